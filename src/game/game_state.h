// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game variables of the main window, in declaration order.

#include <array>
#include <string>

#include "base/checked.h"
#include "game/form.h"

namespace quorvane {

using SlotArray = std::array<Int16, Slots>;

struct GameState {
    Bool16 UpHeld = False;
    Bool16 DownHeld = False;
    Bool16 LeftHeld = False;
    Bool16 RightHeld = False;
    Bool16 FireHeld = False;
    Int16 Health = 0;
    std::string Facing;
    Int16 MonstersLeft = 0;
    Bool16 Running = False;
    Int32 LastTick = 0;
    // Shared by every 0-to-5 loop of start-up and the step, and by the score viewer.
    Int16 LoopIndex = 0;
    Int16 LevelLoopIndex = 0;
    SlotArray MonsterDX{};
    SlotArray MonsterDY{};
    SlotArray KeyboardDX{};
    SlotArray KeyboardDY{};
    Int16 Level = 0;
    Int32 Score = 0;
    std::string AppPath;
    Int32 SongLength = 0;
    Int32 SongStart = 0;
    Int16 SongNumber = 0;
};

// Element `index` of a slot array; outside 0 to 5 raises "Subscript out of range".
Int16& At(SlotArray& array, int index);

}  // namespace quorvane
