// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four songs in rotation, Music1.mid to Music4.mid from the program folder.

#include <string>

#include "audio/mod_winmm.h"
#include "base/checked.h"
#include "base/platform.h"

namespace quorvane {

inline constexpr Int16 SongCount = 4;

// The game's song bookkeeping, which the rotation reads and sets: the game keeps these
// fields with the rest of its state.
struct SongFields {
    const std::string& AppPath;
    Int16& SongNumber;
    Int32& SongLength;
    Int32& SongStart;
};

// Opens and plays song SongNumber, recording its length and start tick.
void StartSong(SongFields song, mod_Winmm& media, Platform& platform);

// The music timer's tick: once the current song has had its length, the next starts.
void TimerMusicTick(SongFields song, mod_Winmm& media, Platform& platform);

}  // namespace quorvane
