// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/phases.h"

namespace quorvane {
namespace {
constexpr Int16 TopSpeedLevel = 10;
}

Int16 DrawLevelSpeed(Platform& platform, Int16 level) {
    const double r = platform.Random();
    if (level < TopSpeedLevel) return Round16(r * Mul16(2, level) - level);
    return Round16(20 * r - 10);
}

void LevelAdvance(Context c) {
    GameState& s = c.state;
    s.Level = Add16(s.Level, 1);
    c.form.Caption = LevelTitle(s.Level);
    // Its own counter, so the hit loop that called it goes on with the next slot.
    ForEach(s.LevelLoopIndex, 0, Slots - 1, [&](int i) {
        At(s.MonsterDX, i) = DrawLevelSpeed(c.platform, s.Level);
        At(s.MonsterDY, i) = DrawLevelSpeed(c.platform, s.Level);
    });
    s.MonstersLeft = MonstersPerLevel;
    ForEach(s.LevelLoopIndex, 0, Slots - 1, [&](int j) {
        c.form.Monster(j).Visible = true;
        c.form.Monster(j).Tag = "";
    });
}

}  // namespace quorvane
