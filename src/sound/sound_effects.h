// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound-effect call: starts a WAV file and returns at once.

#include <memory>
#include <string>
#include <unordered_map>

#include "sound/sdl_audio.h"

struct Mix_Chunk;

namespace quorvane {

// Each effect sounds on a mixer channel of its own, so effects started together are
// mixed, not cut. Each file is decoded once, at its first use, and kept. A file that is
// missing, or is not a short RIFF/WAVE file, or no sound device, is silence; a bad file
// is named once on standard error.
class SoundEffects {
public:
    static constexpr int MaxChannels = 64;  // beyond this the oldest effect makes room

    explicit SoundEffects(SdlAudio& audio);
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Never throws, never waits for the sound.
    void Play(const std::string& path) noexcept;

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };
    using Chunk = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

    Mix_Chunk* Load(const std::string& path);
    Chunk Decode(const std::string& path);
    static int FreeChannel();

    SdlAudio& audio_;
    std::unordered_map<std::string, Chunk> cache_;
};

}  // namespace quorvane
