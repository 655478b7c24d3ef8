// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"
#include "game/phases.h"

namespace quorvane {

void Game::Step() {
    const Context c{state_, form_, platform_};
    KeyboardPhase(c);
    MonsterMovementPhase(c);
    state_.LastTick = platform_.TickCount();
    PlayerPhase(c);
    if (state_.FireHeld == True) FirePhase(c);
    if (!BoltPhase(c)) return;
    HitPhase(c);
}

}  // namespace quorvane
