// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/sound_effects.h"

#include <SDL_mixer.h>

#include <algorithm>

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
    // A NUL would cut the name short at the system call and open another file.
    if (path.empty() || path.find('\0') != std::string::npos) return nullptr;
    Chunk chunk(Mix_LoadWAV(path.c_str()));
    // Failures are not kept: a file put right later plays.
    if (!chunk) return nullptr;
    return cache_.emplace(path, std::move(chunk)).first->second.get();
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
