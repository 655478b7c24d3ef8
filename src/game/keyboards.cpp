// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "game/collision.h"
#include "game/phases.h"
#include "scores/high_scores.h"

namespace quorvane {
namespace {

constexpr Int16 FirstThrowLevel = 2;
constexpr Int16 AimedThrowLevel = 10;
constexpr Int16 HitDamage = 5;
constexpr double ThrowFactor = 1.5;

Int16 ThrowSpeed(Int16 monsterSpeed) { return Round16(ThrowFactor * monsterSpeed); }

// Points one axis of the throw at the player; a standing monster or a level axis
// leaves the slot's previous speed in place.
void Aim(Int16& keyboardSpeed, Int16 monsterSpeed, double player, double monster) {
    if (monsterSpeed == 0) return;
    if (player > monster) keyboardSpeed = ThrowSpeed(Abs16(monsterSpeed));
    else if (player < monster) keyboardSpeed = Neg16(ThrowSpeed(Abs16(monsterSpeed)));
}

void Throw(Context c, int i, bool aimed) {
    GameState& s = c.state;
    Sprite& monster = c.form.Monster(i);
    Sprite& keyboard = c.form.Keyboard(i);
    if (aimed) {
        Aim(At(s.KeyboardDY, i), At(s.MonsterDY, i), c.form.imgPlayer.Top, monster.Top);
        Aim(At(s.KeyboardDX, i), At(s.MonsterDX, i), c.form.imgPlayer.Left, monster.Left);
    } else {
        At(s.KeyboardDX, i) = ThrowSpeed(At(s.MonsterDX, i));
        At(s.KeyboardDY, i) = ThrowSpeed(At(s.MonsterDY, i));
    }
    keyboard.Top = monster.Top;
    keyboard.Left = monster.Left;
    keyboard.Visible = true;
    keyboard.Tag = FiredTag;
}

void HitTest(Context c, int i) {
    GameState& s = c.state;
    Sprite& keyboard = c.form.Keyboard(i);
    if (!SpritesCollide(keyboard, c.form.imgPlayer)) return;
    keyboard.Tag = "";
    keyboard.Visible = false;
    s.Health = Sub16(s.Health, HitDamage);
    c.form.lblHp.Caption = HealthCaption(s.Health);
    c.platform.PlaySound(InFolder(s.AppPath, "bang.wav"));
    if (s.Health < 1) DeathSequence(c);
}

}  // namespace

void KeyboardPhase(Context c) {
    const Int16 level = c.state.Level;
    if (level < FirstThrowLevel) return;
    const bool aimed = level >= AimedThrowLevel;
    // A death inside this loop leaves LoopIndex past the last slot (the score viewer
    // counts with it), which ends the phase for this step.
    ForEach(c.state.LoopIndex, 0, Slots - 1, [&](int i) {
        const std::string keyboardTag = c.form.Keyboard(i).Tag;
        const std::string monsterTag = c.form.Monster(i).Tag;
        if (monsterTag != DeadTag && keyboardTag.empty()) Throw(c, i, aimed);
        else if (keyboardTag == FiredTag) HitTest(c, i);
    });
}

void FlyKeyboard(Context c, int i) {
    Sprite& keyboard = c.form.Keyboard(i);
    if (keyboard.Tag != FiredTag) return;
    keyboard.Move(keyboard.Left + At(c.state.KeyboardDX, i), keyboard.Top + At(c.state.KeyboardDY, i));
    const auto fallIdle = [&] { keyboard.Tag = ""; keyboard.Visible = false; };
    if (keyboard.Left <= BounceLow) fallIdle();
    if (keyboard.Left >= BounceRight) fallIdle();
    if (keyboard.Top <= BounceLow) fallIdle();
    if (keyboard.Top >= BounceBottom) fallIdle();
}

void DeathSequence(Context c) {
    c.state.Running = False;
    c.form.lblDied.Visible = true;
    CheckHighScore(c.platform, c.state.LoopIndex, c.state.Score, std::string(ProductTitle), HighScoreSlots);
}

}  // namespace quorvane
