// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game variables of the main window, in declaration order.

#include <array>
#include <string>
#include <string_view>
#include <variant>

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

// Every field of GameState by its name, in declaration order: quorvane-sim shows and
// sets the state through this list. The 16-bit booleans are Int16 fields marked as such.
using StateMember = std::variant<Int16 GameState::*, Int32 GameState::*, std::string GameState::*,
                                 SlotArray GameState::*>;
struct StateField {
    std::string_view name;
    StateMember member;
    bool boolean = false;
};
inline constexpr std::array<StateField, 22> StateFields{{
    {"UpHeld", &GameState::UpHeld, true},
    {"DownHeld", &GameState::DownHeld, true},
    {"LeftHeld", &GameState::LeftHeld, true},
    {"RightHeld", &GameState::RightHeld, true},
    {"FireHeld", &GameState::FireHeld, true},
    {"Health", &GameState::Health},
    {"Facing", &GameState::Facing},
    {"MonstersLeft", &GameState::MonstersLeft},
    {"Running", &GameState::Running, true},
    {"LastTick", &GameState::LastTick},
    {"LoopIndex", &GameState::LoopIndex},
    {"LevelLoopIndex", &GameState::LevelLoopIndex},
    {"MonsterDX", &GameState::MonsterDX},
    {"MonsterDY", &GameState::MonsterDY},
    {"KeyboardDX", &GameState::KeyboardDX},
    {"KeyboardDY", &GameState::KeyboardDY},
    {"Level", &GameState::Level},
    {"Score", &GameState::Score},
    {"AppPath", &GameState::AppPath},
    {"SongLength", &GameState::SongLength},
    {"SongStart", &GameState::SongStart},
    {"SongNumber", &GameState::SongNumber},
}};

// How many fields an aggregate has: the most initialisers it takes.
namespace detail {
struct AnyValue {
    template <typename T>
    operator T() const;
};
template <typename T, typename... Values>
constexpr std::size_t FieldCount() {
    if constexpr (requires { T{Values{}..., AnyValue{}}; }) return FieldCount<T, Values..., AnyValue>();
    else return sizeof...(Values);
}
}  // namespace detail
// A field added to GameState and not to the list stops the build here.
static_assert(detail::FieldCount<GameState>() == StateFields.size(), "StateFields must list every GameState field");

// Element `index` of a slot array; outside 0 to 5 raises "Subscript out of range".
Int16& At(SlotArray& array, int index);

}  // namespace quorvane
