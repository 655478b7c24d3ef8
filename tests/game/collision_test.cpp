// SPDX-License-Identifier: GPL-3.0-or-later
// The rectangle test: inclusive edges, symmetric, all four edges computed in 16 bits.

#include <gtest/gtest.h>

#include "game/collision.h"
#include "base/errors.h"

namespace quorvane {
namespace {

struct Rect {
    Int16 x, y, w, h;
};

Bool16 Collide(Rect i, Rect j) { return SprRectCollision(i.x, i.y, i.w, i.h, j.x, j.y, j.w, j.h); }

TEST(SprRectCollision, SharesAPixelOrNot) {
    struct Case {
        const char* name;
        Rect i, j;
        Bool16 expected;
    };
    const std::vector<Case> cases{
        {"side by side, touching along a line", {0, 0, 32, 32}, {32, 0, 32, 32}, False},
        {"one column shared", {0, 0, 32, 32}, {31, 0, 32, 32}, True},
        {"one above the other", {0, 0, 32, 32}, {0, 32, 32, 32}, False},
        {"one row shared", {0, 0, 32, 32}, {0, 31, 32, 32}, True},
        {"identical", {5, 5, 10, 10}, {5, 5, 10, 10}, True},
        {"inside another", {10, 10, 5, 5}, {0, 0, 40, 40}, True},
        {"negative coordinates", {-20, -20, 32, 32}, {0, 0, 40, 40}, True},
        {"negative, apart", {-40, -5, 32, 32}, {-8, 0, 40, 40}, False},
        {"empty rectangle inside compares edges only", {10, 10, 0, 0}, {0, 0, 20, 20}, True},
        {"empty rectangle at the corner", {0, 0, 0, 0}, {0, 0, 20, 20}, False},
        {"far apart diagonally", {0, 0, 10, 10}, {20, 20, 10, 10}, False},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Collide(c.i, c.j), c.expected) << c.name;
        EXPECT_EQ(Collide(c.j, c.i), c.expected) << c.name << " (swapped)";
    }
}

TEST(SprRectCollision, AnEdgeOutsideSixteenBitsIsOverflowEvenAfterAMiss) {
    const std::vector<std::pair<Rect, Rect>> cases{
        {{32767, 0, 2, 2}, {0, 0, 1, 1}},         // right edge 32768
        {{0, 0, 1, 1}, {0, 32767, 1, 2}},         // second bottom edge, after the first test missed
        {{0, 0, -32768, 1}, {0, 0, 1, 1}},        // width - 1 leaves 16 bits
        {{-32768, 0, 0, 1}, {100, 100, 1, 1}},    // -32768 + (0 - 1)
    };
    for (const auto& [i, j] : cases) EXPECT_THROW(Collide(i, j), GameError);
    EXPECT_EQ(Collide({32736, 0, 32, 32}, {32700, 0, 40, 40}), True);  // right edge 32767 fits
}

}  // namespace
}  // namespace quorvane
