// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game on the scripted platform, for driving single phases.

#include "game/context.h"
#include "game/phases.h"
#include "sim_platform.h"

namespace quorvane::test {

struct GameFixture {
    explicit GameFixture(std::vector<float> draws = std::vector<float>(12, 0.5f)) {
        scenario.random = std::move(draws);
    }
    sim::Scenario scenario;
    sim::SimPlatform platform{scenario, 1};
    Game game{platform, "/q"};
    GameState& state = game.State();
    Form& form = game.Window();
    Context context() { return {state, form, platform}; }
};

}  // namespace quorvane::test
