// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a phase of the game step works on.

#include "game/form.h"
#include "game/game_state.h"
#include "game/platform.h"

namespace quorvane {

struct Context {
    GameState& state;
    Form& form;
    Platform& platform;
};

// Runs `body` for LoopIndex = first to last, counting with the shared field as the
// game's loops do: the body may move the counter, and the increment is checked.
template <typename Body>
void ForEach(Int16& counter, Int16 first, Int16 last, Body&& body) {
    for (counter = first; counter <= last; counter = Add16(counter, 1)) body(counter);
}

// Sound files and songs are looked for directly inside the program folder.
inline std::string InFolder(const GameState& state, const std::string& file) {
    return state.AppPath + file;
}

}  // namespace quorvane
