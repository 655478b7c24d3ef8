// SPDX-License-Identifier: GPL-3.0-or-later
#include <limits>

#include "game/collision.h"
#include "game/phases.h"

namespace quorvane {
namespace {

constexpr double BoltSpeed = 5;
constexpr Int16 KillPoints = 10;

// Whether a bolt edge at `position` with this extent still fits the collision test's
// 16-bit arithmetic; a bolt in free flight stops short of the limit instead of raising
// Overflow after a few minutes.
bool FitsSixteenBits(double position, double extent) {
    constexpr double low = std::numeric_limits<Int16>::min();
    constexpr double high = std::numeric_limits<Int16>::max();
    return position >= low && position <= high - (extent - 1);
}

}  // namespace

void FirePhase(Context c) {
    Sprite& bolt = c.form.imgFire;
    bolt.Tag = c.state.Facing;
    bolt.Move(c.form.imgPlayer.Left, c.form.imgPlayer.Top);
    bolt.Visible = true;
}

bool BoltPhase(Context c) {
    Sprite& bolt = c.form.imgFire;
    if (bolt.Tag.empty()) return false;
    double left = bolt.Left;
    double top = bolt.Top;
    if (bolt.Tag == FacingUp) top -= BoltSpeed;
    else if (bolt.Tag == FacingDown) top += BoltSpeed;
    else if (bolt.Tag == FacingLeft) left -= BoltSpeed;
    else if (bolt.Tag == FacingRight) left += BoltSpeed;
    if (FitsSixteenBits(left, bolt.Width) && FitsSixteenBits(top, bolt.Height)) {
        bolt.Left = left;
        bolt.Top = top;
    }
    return true;
}

void HitPhase(Context c) {
    GameState& s = c.state;
    Sprite& bolt = c.form.imgFire;
    // The bolt's rectangle stays where it is after a hit, so one bolt destroys every
    // live monster it overlaps, the revived ones of a new level included.
    ForEach(s.LoopIndex, 0, Slots - 1, [&](int i) {
        Sprite& monster = c.form.Monster(i);
        if (!SpritesCollide(bolt, monster)) return;
        if (monster.Tag == DeadTag) return;
        c.platform.PlaySound(InFolder(s.AppPath, "explode.wav"));
        bolt.Tag = "";
        bolt.Visible = false;
        monster.Visible = false;
        monster.Tag = DeadTag;
        s.Score = Add32(s.Score, KillPoints);
        c.form.lblScore.Caption = ScoreCaption(s.Score);
        s.MonstersLeft = Sub16(s.MonstersLeft, 1);
        if (s.MonstersLeft == 0) LevelAdvance(c);
    });
}

}  // namespace quorvane
