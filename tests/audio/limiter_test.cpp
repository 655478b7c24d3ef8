// SPDX-License-Identifier: GPL-3.0-or-later
// The mix's last stage: made-up gain for what fits, never a sample above the ceiling,
// and a smooth way back after a loud moment.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sound/limiter.h"

namespace quorvane {
namespace {

constexpr int Rate = 44100;

TEST(Limiter, MakesUpTheHeadroomOfAQuietMixExactly) {
    Limiter limiter(4.0, 0.89, Rate, 80);
    std::vector<std::int16_t> samples{0, 1000, -1000, 7000, -7000, 123};
    limiter.Process(samples.data(), samples.size(), 2);
    EXPECT_EQ(samples, (std::vector<std::int16_t>{0, 4000, -4000, 28000, -28000, 492}));
    EXPECT_EQ(limiter.Gain(), 1.0);
}

TEST(Limiter, KeepsEverySampleBelowTheCeilingAndComesBackSmoothly) {
    Limiter limiter(4.0, 0.89, Rate, 80);
    const auto ceiling = std::lround(0.89 * 32767);
    // 50 ms of a pile-up that would be four times full scale, then a quiet tone.
    std::vector<std::int16_t> samples;
    for (int i = 0; i < Rate / 20; ++i)
        samples.insert(samples.end(), 2, static_cast<std::int16_t>(i % 2 ? 32767 : -32768));
    for (int i = 0; i < Rate; ++i) samples.insert(samples.end(), 2, static_cast<std::int16_t>(i % 2 ? 1000 : -1000));
    limiter.Process(samples.data(), samples.size(), 2);
    for (std::size_t i = 0; i < samples.size(); ++i) ASSERT_LE(std::abs(int{samples[i]}), ceiling) << i;
    // Just after the loud part the tone is still turned down; the gain only grows from
    // there, and after a second it is back to the full make-up.
    const std::size_t after = Rate / 20 * 2;
    EXPECT_LT(std::abs(int{samples[after]}), 1000);
    for (std::size_t i = after + 2; i < samples.size(); i += 2)
        ASSERT_GE(std::abs(int{samples[i]}), std::abs(int{samples[i - 2]})) << i;
    EXPECT_EQ(std::abs(int{samples.back()}), 4000);
}

TEST(Limiter, TurnsBothChannelsDownTogether) {
    Limiter limiter(4.0, 0.89, Rate, 80);
    std::vector<std::int16_t> samples{32000, 1000};
    limiter.Process(samples.data(), samples.size(), 2);
    EXPECT_NEAR(double(samples[1]) / samples[0], 1000.0 / 32000, 0.001);
}

}  // namespace
}  // namespace quorvane
