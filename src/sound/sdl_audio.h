// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one connection to the sound device, shared by the songs (MediaDevice)
// and the effects (SoundEffects).

#include <SDL_log.h>

#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "sound/limiter.h"

namespace quorvane {

// Opens SDL's audio and SDL_mixer and picks the SoundFont. Without a sound device the
// object still exists, says so once on standard error, and reports Ready() false: the
// users then play nothing. Create it before, and destroy it after, every MediaDevice and
// SoundEffects that uses it; only one may exist at a time.
//
// It also takes over what SDL and FluidSynth would print themselves: a player hears of a
// problem once, in one line, and never again on every song change.
class SdlAudio {
public:
    static constexpr int Frequency = 44100;
    static constexpr int OutputChannels = 2;  // stereo, signed 16-bit samples
    static constexpr int MixChannels = 16;    // effects that can sound at once, at first

    // The mix: songs and effects are mixed a quarter of the way to full scale and the
    // limiter makes that up, so a pile of effects over the music never clips. The music
    // then sits near -20 dBFS RMS and the effects (made at -1 dBFS peak) reach about
    // -5 dBFS: 5 to 10 dB above the music over their loudest 50 ms, and low enough that
    // an explosion and a hit together seldom need the limiter.
    static constexpr double Headroom = 4.0;
    static constexpr double Ceiling = 0.89;  // -1 dBFS
    static constexpr double ReleaseMs = 80;
    static constexpr int MusicVolume = 20;   // of 128
    static constexpr int EffectVolume = 20;  // of 128

    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // True when the sound device is open and sound can be heard.
    bool Ready() const { return ready_; }
    // True when songs can be heard: the device is open and a SoundFont was found.
    bool SongsHeard() const { return ready_ && soundFont_.has_value(); }

    // The SoundFont handed to SDL_mixer, if one was found.
    const std::optional<std::string>& SoundFont() const { return soundFont_; }

    // Says `line` on standard error, unless something was already said about `file` in
    // this run: one line for each bad file, whatever else goes wrong with it later.
    void Report(const std::string& file, const std::string& line);
    // The song now loading or playing, which FluidSynth's complaints are about.
    void SetCurrentSong(const std::string& file);

private:
    static void FluidMessage(int level, const char* message, void* self);
    static void SdlMessage(void* self, int category, SDL_LogPriority priority, const char* message);

    bool sdlStarted_ = false;
    bool mixerStarted_ = false;
    bool ready_ = false;
    std::optional<std::string> soundFont_;
    Limiter limiter_{Headroom, Ceiling, Frequency, ReleaseMs};

    // FluidSynth and SDL may speak from the sound thread.
    std::mutex mutex_;
    std::set<std::string> reported_;
    std::string currentSong_;
    SDL_LogOutputFunction previousSdlOutput_ = nullptr;
    void* previousSdlData_ = nullptr;
};

}  // namespace quorvane
