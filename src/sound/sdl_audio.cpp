// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdint>
#include <cstdio>

#include "sound/sound_font.h"

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

constexpr int FluidLevels[] = {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG};

}  // namespace

SdlAudio::SdlAudio() {
    // SDL's event subsystem comes with its audio and would otherwise catch Ctrl-C and
    // turn it into an event that this program never reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Quorvane");

    snd_lib_error_set_handler(QuietAlsa);
    for (const int level : FluidLevels) fluid_set_log_function(level, FluidMessage, this);
    SDL_LogGetOutputFunction(&previousSdlOutput_, &previousSdlData_);
    SDL_LogSetOutputFunction(SdlMessage, this);

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
        std::fprintf(stderr,
                     "Quorvane: no General MIDI SoundFont was found, so the music is silent; install the "
                     "package %s to hear it.\n",
                     SoundFontPackage);
    }
}

SdlAudio::~SdlAudio() {
    if (ready_) Mix_CloseAudio();
    if (mixerStarted_) Mix_Quit();
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // Nothing may call back into this object once it is gone.
    for (const int level : FluidLevels) fluid_set_log_function(level, nullptr, nullptr);
    SDL_LogSetOutputFunction(previousSdlOutput_, previousSdlData_);
}

void SdlAudio::Report(const std::string& file, const std::string& line) {
    const std::lock_guard lock(mutex_);
    if (!reported_.insert(file).second) return;
    // A file's name may hold anything; the line stays one line.
    std::string shown = line;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    std::fprintf(stderr, "Quorvane: %s\n", shown.c_str());
}

void SdlAudio::SetCurrentSong(const std::string& file) {
    const std::lock_guard lock(mutex_);
    currentSong_ = file;
}

// FluidSynth's errors are about the song it is reading or playing; its warnings and
// notes are for its own developers.
void SdlAudio::FluidMessage(int level, const char* message, void* self) {
    if (level != FLUID_PANIC && level != FLUID_ERR) return;
    auto& audio = *static_cast<SdlAudio*>(self);
    std::string song;
    {
        const std::lock_guard lock(audio.mutex_);
        song = audio.currentSong_;
    }
    audio.Report(song, "the song " + song + " is damaged (" + message + "); it may sound wrong.");
}

// What SDL has to say, once for each thing said.
void SdlAudio::SdlMessage(void* self, int, SDL_LogPriority priority, const char* message) {
    if (priority < SDL_LOG_PRIORITY_WARN) return;
    static_cast<SdlAudio*>(self)->Report(std::string("SDL: ") + message, std::string("sound: ") + message);
}

}  // namespace quorvane
