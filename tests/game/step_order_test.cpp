// SPDX-License-Identifier: GPL-3.0-or-later
// Where in a pass the clock is read. Nothing else shows it: the other tests' clocks
// stand still inside a pass. Here the clock moves while events are handled, while a
// box of the death is open, and with each random draw.

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "game/game.h"

namespace quorvane::test {
namespace {

class MovingClock : public FakePlatform {
public:
    MovingClock() { everyDraw = 0.5f; }  // every monster stands still
    Int32 onEvents = 0, onBoxes = 0, onDraws = 0;

    void ProcessEvents(std::int32_t due) override {
        FakePlatform::ProcessEvents(due);
        tick += onEvents;
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        FakePlatform::ShowMessage(text, title, icon);
        tick += onBoxes;
    }
    float Random() override {
        tick += onDraws;
        return FakePlatform::Random();
    }
};

// The pacing clock is read after the events: a step falls due while they are handled.
TEST(StepOrder, ThePacingClockIsReadAfterTheEvents) {
    MovingClock p;
    Game game(p, "/q");
    game.StartUp();
    game.State().LastTick = p.tick - 10;
    p.onEvents = StepMs;
    EXPECT_EQ(game.Pass(), PassResult::Stepped);
}

// LastTick is read after the keyboard phase, whose death keeps the step waiting on its
// boxes, and before the hit phase, whose level advance draws new speeds.
TEST(StepOrder, LastTickIsReadBetweenTheDeathAndTheLevelAdvance) {
    MovingClock p;
    Game game(p, "/q");
    game.StartUp();
    GameState& s = game.State();
    Form& f = game.Window();
    s.Level = 2;
    s.Health = 5;
    // Keyboard 0 lies on the player: the hit kills.
    f.Keyboard(0).Move(f.imgPlayer.Left, f.imgPlayer.Top);
    f.Keyboard(0).Tag = "Fired";
    f.Keyboard(0).Visible = true;
    // The bolt is one move below monster 5, the last one alive.
    for (int i = 0; i < 5; ++i) f.Monster(i).Tag = "Dead";
    s.MonstersLeft = 1;
    f.imgFire.Move(f.Monster(5).Left, f.Monster(5).Top + 5);
    f.imgFire.Tag = "Up";

    p.onBoxes = 1000;
    p.onDraws = 1;
    const Int32 start = p.tick;
    game.Step();
    ASSERT_EQ(s.Running, False) << "the keyboard killed";
    ASSERT_EQ(s.Level, 3) << "the bolt cleared the level";
    EXPECT_EQ(s.LastTick, start + 1000);
    EXPECT_EQ(p.tick, start + 1000 + 12);
}

}  // namespace
}  // namespace quorvane::test
