// SPDX-License-Identifier: GPL-3.0-or-later
// The player phase: moves by the held arrows, the facing of the last move, the clamps.

#include <gtest/gtest.h>

#include "fixture.h"

namespace quorvane::test {
namespace {

struct PlayerCase {
    const char* name;
    const char* held;  // U, D, L, R
    double left, top;
    double expectedLeft, expectedTop;
    const char* facing;
    double width = 320, height = 240;
};

TEST(PlayerPhase, MovesFacesAndStaysInside) {
    const std::vector<PlayerCase> cases{
        {"nothing held keeps place and facing", "", 100, 100, 100, 100, "Down"},
        {"up", "U", 100, 100, 100, 95, "Up"},
        {"diagonal up and right", "UR", 100, 100, 105, 95, "Right"},
        {"up with down faces down without moving", "UD", 100, 100, 100, 100, "Down"},
        {"all four: still, facing right", "UDLR", 100, 100, 100, 100, "Right"},
        {"left from 2 stops at 0", "L", 2, 50, 0, 50, "Left"},
        {"right from 286 stops at 288", "R", 286, 50, 288, 50, "Right"},
        {"up at the top stays at 0", "U", 50, 0, 50, 0, "Up"},
        {"down from 206 stops at 208", "D", 50, 206, 50, 208, "Down"},
        {"clamps run with nothing held", "", -7, 300, 0, 208, "Down"},
        {"narrow playfield: the far clamp wins", "", 5, 5, -12, 5, "Down", 20, 240},
    };
    for (const PlayerCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameFixture f;
        f.state.Facing = "Down";
        const std::string held = c.held;
        f.state.UpHeld = held.find('U') != std::string::npos ? True : False;
        f.state.DownHeld = held.find('D') != std::string::npos ? True : False;
        f.state.LeftHeld = held.find('L') != std::string::npos ? True : False;
        f.state.RightHeld = held.find('R') != std::string::npos ? True : False;
        f.form.ScaleWidth = c.width;
        f.form.ScaleHeight = c.height;
        f.form.imgPlayer.Move(c.left, c.top);
        PlayerPhase(f.context());
        EXPECT_EQ(f.form.imgPlayer.Left, c.expectedLeft);
        EXPECT_EQ(f.form.imgPlayer.Top, c.expectedTop);
        EXPECT_EQ(f.state.Facing, c.facing);
    }
}

TEST(PlayerPhase, OnlyMinusOneCountsAsHeld) {
    GameFixture f;
    f.state.UpHeld = 1;
    PlayerPhase(f.context());
    EXPECT_EQ(f.form.imgPlayer.Top, 96);
}

}  // namespace
}  // namespace quorvane::test
