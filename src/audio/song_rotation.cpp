// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/song_rotation.h"

#include <string>

#include "game/context.h"

namespace quorvane {

void StartSong(GameState& state, mod_Winmm& media, Platform& platform) {
    media.OpenMedia(InFolder(state, "Music" + std::to_string(state.SongNumber) + ".mid"));
    state.SongLength = ReplyToLong(media.MediaLength());
    media.PlayMedia();
    state.SongStart = platform.TickCount();
}

void TimerMusicTick(GameState& state, mod_Winmm& media, Platform& platform) {
    // Taken modulo 2^32, so songs keep changing when the tick count wraps.
    const std::int64_t playing = TicksSince(platform.TickCount(), state.SongStart);
    if (playing < state.SongLength) return;
    state.SongNumber = Add16(state.SongNumber, 1);
    if (state.SongNumber > SongCount) state.SongNumber = 1;
    media.CloseMedia();
    StartSong(state, media, platform);
}

}  // namespace quorvane
