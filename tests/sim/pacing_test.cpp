// SPDX-License-Identifier: GPL-3.0-or-later
// Pacing of the main loop and the key handlers, across passes.

#include <gtest/gtest.h>

#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

struct PacingCase {
    const char* name;
    std::int64_t startTick;
    std::vector<int> ms;
    std::vector<bool> stepped;
};

TEST(Pacing, AStepRunsOnceFiftyMillisecondsHavePassedSinceLastTick) {
    const std::vector<PacingCase> cases{
        {"first pass steps at once", 1000000, {0}, {true}},
        {"passes in between only process events",
         1000000,
         {20, 20, 20, 20, 29, 21},
         {true, false, false, true, false, true}},
        {"exactly fifty is due", 1000000, {50, 49, 1, 50}, {true, false, true, true}},
        {"one step after a long pause, then the spacing starts again",
         1000000,
         {50, 60000, 0, 49, 1},
         {true, true, false, false, true}},
        {"tick count wrapping past 2^32", 4294967270LL, {10, 30, 20, 50}, {true, false, true, true}},
        {"tick count passing 2^31", 2147483600LL, {0, 30, 20, 50}, {true, false, true, true}},
    };
    for (const PacingCase& c : cases) {
        SCOPED_TRACE(c.name);
        json passes = json::array();
        for (int ms : c.ms) passes.push_back({{"ms", ms}});
        const SimOutput out = RunSim({{"random", StillDraws()}, {"start_tick", c.startTick}, {"passes", passes}});
        ASSERT_EQ(out.status, 0);
        std::int32_t lastStep = 0;
        for (std::size_t i = 0; i < c.ms.size(); ++i) {
            const json& line = out.Pass(i + 1);
            EXPECT_EQ(line["stepped"], c.stepped[i]) << "pass " << i + 1;
            if (c.stepped[i]) {
                EXPECT_EQ(line["state"]["LastTick"], line["tick"]);
                if (i > 0) {
                    const auto since = static_cast<std::uint32_t>(line["tick"].get<std::int32_t>()) -
                                       static_cast<std::uint32_t>(lastStep);
                    EXPECT_GE(since, 50u);
                }
                lastStep = line["tick"];
            }
        }
    }
}

TEST(Keys, HandlersSetAndClearTheHeldFlags) {
    const SimOutput out = RunSim(
        {{"random", StillDraws()},
         {"passes", J(R"([{"events": [["down", 38], ["down", 40], ["down", 37], ["down", 39],
                                      ["down", 32], ["down", 65], ["up", 27]]},
                          {"events": [["up", 38], ["up", 40], ["up", 37], ["up", 39], ["up", 32]]}])")}});
    const json& held = out.Pass(1)["state"];
    for (const char* flag : {"UpHeld", "DownHeld", "LeftHeld", "RightHeld", "FireHeld"}) {
        EXPECT_EQ(held[flag], -1) << flag;
        EXPECT_EQ(out.Pass(2)["state"][flag], 0) << flag;
    }
    // All four arrows: no movement, facing right; Space fired the bolt.
    EXPECT_EQ(out.Pass(1)["sprites"]["imgPlayer"]["Left"], 168);
    EXPECT_EQ(held["Facing"], "Right");
    EXPECT_EQ(out.Pass(1)["sprites"]["imgFire"]["Tag"], "Right");
    EXPECT_EQ(held["Running"], -1);
}

TEST(Keys, APressReleasedInTheSamePassLeavesNoTrace) {
    const SimOutput out =
        RunSim({{"random", StillDraws()},
                {"passes", J(R"([{"events": [["down", 37], ["up", 37], ["down", 32], ["up", 32]]}])")}});
    EXPECT_EQ(out.Pass(1)["sprites"]["imgPlayer"]["Left"], 168);
    EXPECT_EQ(out.Pass(1)["state"]["Facing"], "Up");
    EXPECT_EQ(out.Pass(1)["sprites"]["imgFire"]["Visible"], false);
}

TEST(Keys, EscapeClosesTheMusicAndEndsAtOnce) {
    const SimOutput out =
        RunSim({{"random", StillDraws()},
                {"passes", J(R"([{}, {"events": [["down", 38], ["down", 27], ["down", 40]]}, {}])")}});
    EXPECT_EQ(out.status, 0);
    ASSERT_EQ(out.lines.size(), 4u);  // start-up, two passes, the store
    const json& ending = out.Pass(2);
    EXPECT_EQ(ending["ended"], true);
    EXPECT_EQ(ending["stepped"], false);
    EXPECT_EQ(ending["state"]["Running"], 0);
    EXPECT_EQ(ending["state"]["UpHeld"], -1);
    EXPECT_EQ(ending["state"]["DownHeld"], 0);  // after Escape nothing is delivered
    EXPECT_EQ(ending["calls"], json::array({{{"media", "close all"}, {"reply", ""}}}));
    EXPECT_TRUE(out.Last().contains("store"));
}

}  // namespace
}  // namespace quorvane::test
