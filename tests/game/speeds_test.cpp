// SPDX-License-Identifier: GPL-3.0-or-later
// Monster speeds drawn at start-up and at a level advance, and the bounce.

#include <gtest/gtest.h>

#include "fixture.h"

namespace quorvane::test {
namespace {

Int16 Draw(float r, Int16 level) {
    GameFixture f({r});
    return level == 1 ? DrawStartSpeed(f.platform) : DrawLevelSpeed(f.platform, level);
}

TEST(Speeds, DrawsRoundHalfEvenOverTheLevelRange) {
    struct Case {
        float r;
        Int16 level;
        Int16 expected;
    };
    const std::vector<Case> cases{
        {0.0f, 1, -2},   {0.125f, 1, -2}, {0.126f, 1, -1}, {0.375f, 1, 0},  {0.625f, 1, 0},
        {0.875f, 1, 2},  {0.9999f, 1, 2}, {0.0f, 3, -3},   {0.25f, 3, -2},  {0.9999f, 9, 9},
        {0.0f, 10, -10}, {0.975f, 10, 10}, {0.5f, 500, 0}, {0.0f, 32767, -10}};
    for (const Case& c : cases) EXPECT_EQ(Draw(c.r, c.level), c.expected) << c.r << " at level " << c.level;
}

TEST(StartUp, SetsTheInitialStateInOrder) {
    std::vector<float> draws;
    for (int i = 0; i < 12; ++i) draws.push_back(static_cast<float>(i) / 12.0f);
    GameFixture f(draws);
    f.game.StartUp();
    EXPECT_EQ(f.state.AppPath, "/q/");
    EXPECT_EQ(f.state.Health, 100);
    EXPECT_EQ(f.state.Level, 1);
    EXPECT_EQ(f.state.MonstersLeft, 6);
    EXPECT_EQ(f.state.Score, 0);
    EXPECT_EQ(f.state.Facing, "Up");
    EXPECT_EQ(f.state.Running, True);
    EXPECT_EQ(f.state.LoopIndex, 6);
    // DX(0), DY(0), DX(1), ... take the draws in turn.
    EXPECT_EQ(f.state.MonsterDX, (SlotArray{-2, -1, -1, 0, 1, 1}));
    EXPECT_EQ(f.state.MonsterDY, (SlotArray{-2, -1, 0, 0, 1, 2}));
}

TEST(MonsterMovement, BouncesOnInclusiveBoundsWithoutPullingBack) {
    struct Case {
        double left, top;
        Int16 dx, dy;
        double expectedLeft, expectedTop;
        Int16 expectedDX, expectedDY;
    };
    const std::vector<Case> cases{
        {2, 100, -2, 0, 0, 100, 2, 0},        // lands on 0: reverses
        {1, 100, -2, 0, -1, 100, 2, 0},       // overshoots, stays outside
        {286, 206, 2, 2, 288, 208, -2, -2},   // corner: both axes
        {100, 100, 0, 0, 100, 100, 0, 0},
        {-1, 100, 1, 0, 0, 100, -1, 0},       // caught at the side: swings back out
    };
    for (const Case& c : cases) {
        GameFixture f;
        f.form.imgMonster[2].Move(c.left, c.top);
        f.state.MonsterDX[2] = c.dx;
        f.state.MonsterDY[2] = c.dy;
        MonsterMovementPhase(f.context());
        EXPECT_EQ(f.form.imgMonster[2].Left, c.expectedLeft);
        EXPECT_EQ(f.form.imgMonster[2].Top, c.expectedTop);
        EXPECT_EQ(f.state.MonsterDX[2], c.expectedDX);
        EXPECT_EQ(f.state.MonsterDY[2], c.expectedDY);
    }
}

}  // namespace
}  // namespace quorvane::test
