// SPDX-License-Identifier: GPL-3.0-or-later
// The bolt's hits and the level advance inside the hit loop, across steps.

#include <gtest/gtest.h>

#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

json Dead() { return {{"Tag", "Dead"}, {"Visible", false}}; }

// Start-up speeds of 0, then every speed of the next level 2.
json StillThenFast() {
    json draws = StillDraws();
    for (int i = 0; i < 12; ++i) draws.push_back(0.9);
    return draws;
}

TEST(Levels, AdvanceInsideTheHitLoopLetsLaterRevivedMonstersBeHitAtOnce) {
    // Monster 2 is the last one alive. Monsters 0 and 4 lie dead under the same spot.
    json sprites = {{"imgFire", {{"Left", 232}, {"Top", 21}, {"Tag", "Up"}, {"Visible", true}}}};
    for (int i : {0, 1, 3, 4, 5}) sprites["imgMonster(" + std::to_string(i) + ")"] = Dead();
    sprites["imgMonster(0)"]["Left"] = 232;
    sprites["imgMonster(0)"]["Top"] = 16;
    sprites["imgMonster(4)"]["Left"] = 240;
    sprites["imgMonster(4)"]["Top"] = 20;
    const SimOutput out = RunSim({{"random", StillThenFast()},
                                  {"set", {{"MonstersLeft", 1}, {"Score", 50}, {"sprites", sprites}}},
                                  {"passes", Idle(1)}});
    ASSERT_EQ(out.status, 0);
    const json& line = out.Pass(1);
    EXPECT_EQ(line["title"], "Quorvane - Level 2");
    EXPECT_EQ(line["state"]["Level"], 2);
    EXPECT_EQ(line["state"]["MonstersLeft"], 5);
    EXPECT_EQ(line["state"]["Score"], 70);
    EXPECT_EQ(line["labels"]["lblScore"]["Caption"], "Score - 70");
    EXPECT_EQ(line["state"]["LevelLoopIndex"], 6);
    // round(0.9 * 4 - 2) = 2 for every new speed of level 2.
    EXPECT_EQ(line["state"]["MonsterDX"], json::array({2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(line["sprites"]["imgMonster(2)"]["Tag"], "");      // revived after its own kill
    EXPECT_EQ(line["sprites"]["imgMonster(4)"]["Tag"], "Dead");  // revived, then hit
    EXPECT_EQ(line["sprites"]["imgMonster(0)"]["Tag"], "");      // lower slot: not tested again
    EXPECT_EQ(line["sprites"]["imgMonster(0)"]["Visible"], true);
    EXPECT_EQ(out.Calls(1, "sound").size(), 2u);
    // The next step: every live monster throws.
    const SimOutput next = RunSim({{"random", StillThenFast()},
                                   {"set", {{"MonstersLeft", 1}, {"sprites", sprites}}},
                                   {"passes", Idle(2)}});
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(next.Pass(2)["sprites"]["imgKeyboard(" + std::to_string(i) + ")"]["Tag"], i == 4 ? "" : "Fired");
}

struct BoltCase {
    const char* name;
    json bolt;
    json expected;  // the bolt after two steps
};

TEST(Bolt, FreeFlightStaysInFlightWithoutErrorAtTheSixteenBitLimit) {
    const std::vector<BoltCase> cases{
        {"right", {{"Left", 32730}, {"Top", 0}, {"Tag", "Right"}}, {{"Left", 32735}, {"Top", 0}}},
        {"left", {{"Left", -32763}, {"Top", 0}, {"Tag", "Left"}}, {{"Left", -32768}, {"Top", 0}}},
        {"up", {{"Left", 0}, {"Top", -32766}, {"Tag", "Up"}}, {{"Left", 0}, {"Top", -32766}}},
        {"down", {{"Left", 0}, {"Top", 32726}, {"Tag", "Down"}}, {{"Left", 0}, {"Top", 32736}}},
        {"unknown tag moves nothing", {{"Left", 5}, {"Top", 5}, {"Tag", "North"}}, {{"Left", 5}, {"Top", 5}}},
    };
    for (const BoltCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SimOutput out = RunSim({{"random", StillDraws()}, {"set", {{"sprites", {{"imgFire", c.bolt}}}}},
                                      {"passes", Idle(2)}});
        ASSERT_EQ(out.status, 0) << out.Last();
        const json& bolt = out.Pass(2)["sprites"]["imgFire"];
        EXPECT_EQ(bolt["Left"], c.expected["Left"]);
        EXPECT_EQ(bolt["Top"], c.expected["Top"]);
        EXPECT_EQ(bolt["Tag"], c.bolt["Tag"]);
    }
}

TEST(Bolt, HitsEveryLiveMonsterItOverlapsInSlotOrder) {
    // Monsters 3 and 4 overlap the bolt; 5 overlaps too but is already dead; monster 1's
    // left column is one past the bolt's right edge.
    const json sprites = {{"imgFire", {{"Left", 100}, {"Top", 105}, {"Tag", "Up"}}},
                          {"imgMonster(1)", {{"Left", 132}, {"Top", 100}}},
                          {"imgMonster(3)", {{"Left", 90}, {"Top", 90}}},
                          {"imgMonster(4)", {{"Left", 131}, {"Top", 131}}},
                          {"imgMonster(5)", {{"Left", 100}, {"Top", 100}, {"Tag", "Dead"}, {"Visible", false}}}};
    const SimOutput out = RunSim({{"random", StillDraws()}, {"set", {{"sprites", sprites}}}, {"passes", Idle(1)}});
    const json& line = out.Pass(1);
    EXPECT_EQ(line["state"]["Score"], 20);
    EXPECT_EQ(line["state"]["MonstersLeft"], 4);
    EXPECT_EQ(line["sprites"]["imgMonster(1)"]["Tag"], "");
    EXPECT_EQ(line["sprites"]["imgMonster(3)"]["Tag"], "Dead");
    EXPECT_EQ(line["sprites"]["imgMonster(4)"]["Tag"], "Dead");
    EXPECT_EQ(line["sprites"]["imgFire"]["Tag"], "");
    EXPECT_EQ(line["sprites"]["imgFire"]["Visible"], false);
    EXPECT_EQ(out.Calls(1, "sound"), std::vector<json>(2, {{"sound", "/q/explode.wav"}}));
}

TEST(Bolt, HeldSpaceKeepsTheBoltJustAheadOfThePlayer) {
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"set", {{"sprites", {{"imgPlayer", {{"Top", 100}}}}}}},
                                  {"passes", J(R"([{"events": [["down", 32]]}, {}, {"events": [["up", 32]]}])")}});
    EXPECT_EQ(out.Pass(1)["sprites"]["imgFire"]["Top"], 95);
    EXPECT_EQ(out.Pass(1)["sprites"]["imgFire"]["Left"], 168);
    EXPECT_EQ(out.Pass(2)["sprites"]["imgFire"]["Top"], 95);
    EXPECT_EQ(out.Pass(3)["sprites"]["imgFire"]["Top"], 90);  // released: it flies off
    EXPECT_EQ(out.Pass(3)["sprites"]["imgFire"]["Tag"], "Up");
}

}  // namespace
}  // namespace quorvane::test
