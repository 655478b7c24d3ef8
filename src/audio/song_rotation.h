// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four songs in rotation, Music1.mid to Music4.mid from the program folder.

#include "audio/mod_winmm.h"
#include "game/game_state.h"
#include "game/platform.h"

namespace quorvane {

inline constexpr Int16 SongCount = 4;

// Opens and plays song SongNumber, recording its length and start tick.
void StartSong(GameState& state, mod_Winmm& media, Platform& platform);

// The music timer's tick: once the current song has had its length, the next starts.
void TimerMusicTick(GameState& state, mod_Winmm& media, Platform& platform);

}  // namespace quorvane
