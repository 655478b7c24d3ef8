// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a phase of the game step works on.

#include "base/counting.h"
#include "base/folder.h"
#include "game/form.h"
#include "game/game_state.h"
#include "base/platform.h"

namespace quorvane {

struct Context {
    GameState& state;
    Form& form;
    Platform& platform;
};

}  // namespace quorvane
