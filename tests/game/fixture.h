// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game on the in-memory platform, for driving single phases.

#include <vector>

#include "fake_platform.h"
#include "game/context.h"
#include "game/game.h"
#include "game/phases.h"

namespace quorvane::test {

struct GameFixture {
    explicit GameFixture(std::vector<float> draws = std::vector<float>(12, 0.5f)) {
        platform.draws.assign(draws.begin(), draws.end());
    }
    FakePlatform platform;
    Game game{platform, "/q"};
    GameState& state = game.State();
    Form& form = game.Window();
    Context context() { return {state, form, platform}; }
};

}  // namespace quorvane::test
