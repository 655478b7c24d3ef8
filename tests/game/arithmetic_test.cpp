// SPDX-License-Identifier: GPL-3.0-or-later
// Checked 16/32-bit arithmetic and half-even rounding.

#include <cmath>

#include <gtest/gtest.h>

#include "base/checked.h"
#include "base/errors.h"
#include "base/random.h"

namespace quorvane {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::vector<std::pair<double, int>> cases{
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {0.49999, 0},
        {0.50001, 1}, {3.7, 4}, {-3.7, -4}, {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(Round16(value), expected) << value;
}

TEST(Rounding, OutsideSixteenBitsIsOverflow) {
    for (double value : {32767.5, 32768.0, -32768.6, 1e300, std::nan("")})
        EXPECT_THROW(Round16(value), GameError) << value;
    EXPECT_EQ(Round32(2147483647.4), 2147483647);
    EXPECT_THROW(Round32(2147483647.5), GameError);
}

TEST(CheckedArithmetic, ResultsOutsideTheTypeRaiseOverflow) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_THROW(Add16(32767, 1), GameError);
    EXPECT_THROW(Sub16(-32768, 1), GameError);
    EXPECT_THROW(Neg16(-32768), GameError);
    EXPECT_THROW(Abs16(-32768), GameError);
    EXPECT_THROW(Mul16(2, 16384), GameError);
    EXPECT_EQ(Add32(2147483637, 10), 2147483647);
    EXPECT_THROW(Add32(2147483640, 10), GameError);
    try {
        Add16(32767, 1);
    } catch (const GameError& e) {
        EXPECT_EQ(e.Name(), "Overflow");
    }
}

TEST(TickDifferences, AreTakenModuloTwoToTheThirtyTwo) {
    EXPECT_EQ(TicksSince(44, -6), 50u);
    EXPECT_EQ(TicksSince(-2147483647, 2147483647), 2u);
    EXPECT_EQ(TicksSince(1000, 1000), 0u);
}

TEST(SingleRandom, StaysInsideZeroToOneAndFollowsItsSeed) {
    SingleRandom a(42), b(42);
    float low = 1, high = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = a.Next();
        ASSERT_EQ(r, b.Next());
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_LT(low, 0.001f);
    EXPECT_GT(high, 0.999f);
}

}  // namespace
}  // namespace quorvane
