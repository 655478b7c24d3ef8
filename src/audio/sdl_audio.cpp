// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cstdint>
#include <cstdio>

#include "audio/sound_font.h"

namespace quorvane {
namespace {

// On a machine with no sound card ALSA prints every failed probe on standard error by
// itself, eight lines or more; the game says it once, below.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

// Runs on the sound thread, on the finished mix, before it goes to the device.
void Limit(int, void* stream, int bytes, void* limiter) {
    static_cast<Limiter*>(limiter)->Process(static_cast<std::int16_t*>(stream), static_cast<std::size_t>(bytes) / 2,
                                            SdlAudio::OutputChannels);
}

}  // namespace

SdlAudio::SdlAudio() {
    // SDL's event subsystem comes with its audio and would otherwise catch Ctrl-C and
    // turn it into an event that this program never reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Quorvane");

    snd_lib_error_set_handler(QuietAlsa);

    soundFont_ = FindSoundFont();
    if (soundFont_) Mix_SetSoundFonts(soundFont_->c_str());

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        sdlStarted_ = true;
        Mix_Init(MIX_INIT_MID);
        mixerStarted_ = true;
        // No format changes allowed: SDL converts for the device, and the mixer always
        // works in the one format above.
        ready_ = Mix_OpenAudioDevice(Frequency, AUDIO_S16SYS, OutputChannels, 1024, nullptr, 0) == 0;
    }
    if (!ready_) {
        std::fprintf(stderr, "Quorvane: the sound device could not be opened (%s); playing without sound.\n",
                     SDL_GetError());
        return;
    }
    Mix_AllocateChannels(MixChannels);
    Mix_VolumeMusic(MusicVolume);
    Mix_MasterVolume(EffectVolume);
    Mix_RegisterEffect(MIX_CHANNEL_POST, Limit, nullptr, &limiter_);
    if (!soundFont_) {
        std::fprintf(stderr, "Quorvane: no General MIDI SoundFont was found; the music may be silent.\n");
    }
}

SdlAudio::~SdlAudio() {
    if (ready_) Mix_CloseAudio();
    if (mixerStarted_) Mix_Quit();
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace quorvane
