// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard throws: the forward speed table, the aimed throw, and the bounds of flight.

#include <gtest/gtest.h>

#include "fixture.h"

namespace quorvane::test {
namespace {

TEST(ForwardThrow, KeyboardSpeedIsOneAndAHalfTimesRoundedHalfEven) {
    const std::vector<std::pair<Int16, Int16>> table{{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 6}, {5, 8},
                                                     {6, 9}, {7, 10}, {8, 12}, {9, 14}, {10, 15}};
    for (const auto& [monster, keyboard] : table) {
        for (const int sign : {1, -1}) {
            GameFixture f;
            f.state.Level = 9;
            f.state.MonsterDX[0] = static_cast<Int16>(sign * monster);
            f.state.MonsterDY[0] = static_cast<Int16>(-sign * monster);
            KeyboardPhase(f.context());
            EXPECT_EQ(f.state.KeyboardDX[0], sign * keyboard) << "speed " << sign * monster;
            EXPECT_EQ(f.state.KeyboardDY[0], -sign * keyboard) << "speed " << -sign * monster;
            EXPECT_EQ(f.form.imgKeyboard[0].Tag, "Fired");
            EXPECT_EQ(f.form.imgKeyboard[0].Left, f.form.imgMonster[0].Left);
        }
    }
}

TEST(AimedThrow, PointsEachAxisAtThePlayerOrKeepsThePreviousSpeed) {
    struct Case {
        const char* name;
        double playerLeft, playerTop;
        Int16 monsterDX, monsterDY;
        Int16 expectedDX, expectedDY;  // the slot held 7, 7 from an earlier throw
    };
    // Monster 0 stands at Left 272, Top 104.
    const std::vector<Case> cases{
        {"player up and left", 100, 50, 2, 2, -3, -3},
        {"player down and right", 290, 150, -4, -1, 6, 2},
        {"same top keeps the vertical speed", 100, 104, 2, 2, -3, 7},
        {"standing monster keeps both", 100, 50, 0, 0, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameFixture f;
        f.state.Level = 10;
        f.state.KeyboardDX[0] = 7;
        f.state.KeyboardDY[0] = 7;
        f.form.imgPlayer.Move(c.playerLeft, c.playerTop);
        f.state.MonsterDX[0] = c.monsterDX;
        f.state.MonsterDY[0] = c.monsterDY;
        KeyboardPhase(f.context());
        EXPECT_EQ(f.state.KeyboardDX[0], c.expectedDX);
        EXPECT_EQ(f.state.KeyboardDY[0], c.expectedDY);
    }
}

TEST(KeyboardPhase, ThrowsOnlyForLiveMonstersWithIdleKeyboardsFromLevelTwo) {
    GameFixture f;
    f.state.Level = 1;
    KeyboardPhase(f.context());
    for (const Sprite& k : f.form.imgKeyboard) EXPECT_EQ(k.Tag, "");

    f.state.Level = 2;
    f.form.imgMonster[1].Tag = "Dead";
    f.form.imgKeyboard[2].Tag = "Fired";
    f.form.imgKeyboard[2].Move(0, 0);
    KeyboardPhase(f.context());
    EXPECT_EQ(f.form.imgKeyboard[0].Tag, "Fired");
    EXPECT_TRUE(f.form.imgKeyboard[0].Visible);
    EXPECT_EQ(f.form.imgKeyboard[1].Tag, "");
    EXPECT_EQ(f.form.imgKeyboard[2].Left, 0);  // in flight: tested, not thrown again
    EXPECT_EQ(f.state.LoopIndex, 6);
}

TEST(KeyboardFlight, FallsIdleAtTheBounceBox) {
    struct Case {
        double left, top;
        Int16 dx, dy;
        bool stillFlying;
    };
    const std::vector<Case> cases{{5, 100, -5, 0, false}, {6, 100, -5, 0, true},   {283, 100, 5, 0, false},
                                  {282, 100, 5, 0, true}, {100, 203, 0, 5, false}, {100, 4, 0, -4, false},
                                  {100, 100, 0, 0, true}};
    for (const Case& c : cases) {
        GameFixture f;
        Sprite& k = f.form.imgKeyboard[3];
        k.Move(c.left, c.top);
        k.Tag = "Fired";
        k.Visible = true;
        f.state.KeyboardDX[3] = c.dx;
        f.state.KeyboardDY[3] = c.dy;
        FlyKeyboard(f.context(), 3);
        EXPECT_EQ(k.Tag == "Fired", c.stillFlying) << c.left << "," << c.top;
        EXPECT_EQ(k.Visible, c.stillFlying);
        EXPECT_EQ(k.Left, c.left + c.dx);
    }
}

}  // namespace
}  // namespace quorvane::test
