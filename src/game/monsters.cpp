// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/phases.h"

namespace quorvane {

namespace {
// The speeds a game starts with are drawn as level 2's are: round(r * 4 - 2).
constexpr Int16 StartSpeedLevel = 2;
}  // namespace

Int16 DrawStartSpeed(Platform& platform) { return DrawLevelSpeed(platform, StartSpeedLevel); }

void MonsterMovementPhase(Context c) {
    GameState& s = c.state;
    // Every slot moves, destroyed monsters too: they come back where their drift took them.
    ForEach(s.LoopIndex, 0, Slots - 1, [&](int i) {
        Sprite& m = c.form.Monster(i);
        Int16& dx = At(s.MonsterDX, i);
        Int16& dy = At(s.MonsterDY, i);
        m.Move(m.Left + dx, m.Top + dy);
        // A bounce only turns the speed; the position is never pulled back inside.
        if (m.Left <= BounceLow) dx = Neg16(dx);
        if (m.Left >= BounceRight) dx = Neg16(dx);
        if (m.Top <= BounceLow) dy = Neg16(dy);
        if (m.Top >= BounceBottom) dy = Neg16(dy);
        FlyKeyboard(c, i);
    });
}

}  // namespace quorvane
