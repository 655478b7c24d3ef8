// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_effects.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sound/media_file.h"
#include "sound/wave_file.h"

namespace quorvane {

void SoundEffects::ChunkDeleter::operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }

SoundEffects::SoundEffects(SdlAudio& audio) : audio_(audio) {}

SoundEffects::~SoundEffects() {
    // A chunk must not be freed while a channel still reads it.
    if (audio_.Ready()) Mix_HaltChannel(-1);
}

void SoundEffects::Play(const std::string& path) noexcept {
    if (!audio_.Ready()) return;
    try {
        Mix_Chunk* chunk = Load(path);
        if (!chunk) return;
        const int channel = FreeChannel();
        if (channel >= 0) Mix_PlayChannel(channel, chunk, 0);
    } catch (...) {
        // Out of memory while caching: the effect is silent.
    }
}

Mix_Chunk* SoundEffects::Load(const std::string& path) {
    if (const auto found = cache_.find(path); found != cache_.end()) return found->second.get();
    // Decided once: a file that is no effect stays silent for the rest of the run.
    Chunk chunk = Decode(path);
    return cache_.emplace(path, std::move(chunk)).first->second.get();
}

SoundEffects::Chunk SoundEffects::Decode(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> problem = ReadMediaFile(path, MaxEffectBytes, bytes);
    if (!problem) problem = WaveProblem(bytes);
    Chunk chunk;
    if (!problem) {
        SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        if (source) chunk.reset(Mix_LoadWAV_RW(source, 1));
        if (!chunk) problem = SDL_GetError();
    }
    // However it is stored, the sound itself is held to the same length once decoded.
    constexpr Uint32 longest = SdlAudio::Frequency * SdlAudio::OutputChannels * 2 * MaxEffectSeconds;
    if (chunk && chunk->alen > longest) {
        problem = "longer than 10 seconds";
        chunk.reset();
    }
    if (problem) audio_.Report(path, "the sound " + path + " cannot be played (" + *problem + "); it stays silent.");
    return chunk;
}

int SoundEffects::FreeChannel() {
    for (;;) {
        for (int channel = 0, count = Mix_AllocateChannels(-1); channel < count; ++channel) {
            if (!Mix_Playing(channel)) return channel;
        }
        const int count = Mix_AllocateChannels(-1);
        if (count >= MaxChannels) break;
        Mix_AllocateChannels(std::min(MaxChannels, std::max(1, count * 2)));
    }
    const int oldest = Mix_GroupOldest(-1);
    if (oldest >= 0) Mix_HaltChannel(oldest);
    return oldest;
}

}  // namespace quorvane
