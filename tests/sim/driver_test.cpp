// SPDX-License-Identifier: GPL-3.0-or-later
// The driver's own contract: its output shape, its exit codes, and the example scenario.

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

TEST(Driver, ExampleScenarioPrintsWhatItPromises) {
    // The real binary, on the example file.
    FILE* pipe = popen(QUORVANE_SIM " " QUORVANE_SIM_EXAMPLE, "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0);

    std::vector<json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
    ASSERT_EQ(lines.size(), 5u);  // start-up, three passes, the store

    for (int pass = 0; pass <= 3; ++pass) {
        EXPECT_EQ(lines[pass]["state"]["MonsterDX"], json::array({0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(lines[pass]["sprites"]["imgMonster(0)"]["Left"], 272);
    }
    EXPECT_EQ(lines[1]["sprites"]["imgPlayer"]["Top"], 91);
    EXPECT_EQ(lines[2]["sprites"]["imgPlayer"]["Top"], 86);
    EXPECT_EQ(lines[2]["state"]["Facing"], "Up");
    EXPECT_EQ(lines[3]["sprites"]["imgPlayer"]["Top"], 86);
    const json& bolt = lines[3]["sprites"]["imgFire"];
    EXPECT_EQ(bolt["Left"], 168);
    EXPECT_EQ(bolt["Top"], 81);
    EXPECT_EQ(bolt["Tag"], "Up");
    EXPECT_EQ(bolt["Visible"], true);
    EXPECT_EQ(lines[4], json({{"store", json::object()}}));
}

TEST(Driver, LinesHoldEveryFieldAndNothingElse) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"passes", Idle(1)}});
    const json& line = out.Pass(0);
    EXPECT_EQ(line["pass"], 0);
    EXPECT_EQ(line["tick"], 1000000);
    EXPECT_EQ(line["stepped"], false);
    EXPECT_EQ(line["ended"], false);
    // Every field of the game's state, and nothing else.
    std::vector<std::string> fields, expected;
    for (const auto& [name, value] : line["state"].items()) fields.push_back(name);
    for (const StateField& field : StateFields) expected.emplace_back(field.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(line["sprites"].size(), 14u);
    EXPECT_EQ(line["state"]["AppPath"], "/q/");
    EXPECT_EQ(line["state"]["Running"], -1);
    EXPECT_EQ(line["title"], "Quorvane");
    EXPECT_EQ(line["labels"]["lblScore"], json({{"Caption", "Score - 0"}, {"Visible", true}}));
    EXPECT_EQ(line["labels"]["lblHp"], json({{"Caption", "Health - 100"}, {"Visible", true}}));
    EXPECT_EQ(line["labels"]["lblDied"], json({{"Caption", "You Died"}, {"Visible", false}}));
}

TEST(Driver, SetChangesOnlyWhatItNames) {
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"set", {{"Score", 990}, {"Running", true}, {"UpHeld", -1},
                                           {"MonsterDX", {1, 2, 3, 4, 5, 6}},
                                           {"sprites", {{"imgKeyboard(5)", {{"Left", 10.5}, {"Tag", "Fired"}}}}}}}});
    const json& line = out.Pass(0);
    EXPECT_EQ(line["state"]["Score"], 990);
    EXPECT_EQ(line["state"]["UpHeld"], -1);
    EXPECT_EQ(line["state"]["MonsterDX"], json::array({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(line["sprites"]["imgKeyboard(5)"]["Left"], 10.5);
    EXPECT_EQ(line["sprites"]["imgKeyboard(5)"]["Top"], 200);
    EXPECT_EQ(line["labels"]["lblScore"]["Caption"], "Score - 0");
}

TEST(Driver, FolderGetsOneSeparatorAndTicksReadAsSignedThirtyTwoBits) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"folder", "/games/q/"},
                                  {"start_tick", 4294967290LL}, {"passes", Idle(2)}});
    EXPECT_EQ(out.Pass(0)["state"]["AppPath"], "/games/q/");
    EXPECT_EQ(out.Pass(0)["tick"], -6);
    // 44 ms after the wrap is only 44 ms after the LastTick of 0 that nothing has set yet.
    EXPECT_EQ(out.Pass(1)["tick"], 44);
    EXPECT_FALSE(out.Pass(1)["stepped"]);
    EXPECT_EQ(out.Pass(2)["state"]["LastTick"], 94);
    EXPECT_EQ(out.Calls(0, "media")[1]["media"], "Open \"/games/q/Music1.mid\" alias media");
}

struct BadCase {
    const char* name;
    json scenario;
    int status;
    std::size_t linesBefore;  // good lines printed before the failing one
    const char* member;       // "error" or "scenario_error"
};

TEST(Driver, FailuresReplaceTheLineOfTheirPassAndSetTheStatus) {
    const json overflowSet = {{"Score", 2147483640},
                              {"sprites", {{"imgFire", {{"Left", 272}, {"Top", 104}, {"Tag", "Up"}}}}}};
    const std::vector<BadCase> cases{
        {"unknown member", {{"pases", json::array()}}, 2, 0, "scenario_error"},
        {"unknown control", {{"set", {{"sprites", {{"imgMonster(6)", {{"Left", 1}}}}}}}}, 2, 0, "scenario_error"},
        {"unknown state field", {{"set", {{"Lives", 3}}}}, 2, 0, "scenario_error"},
        {"draw out of range", {{"random", {1.0}}}, 2, 0, "scenario_error"},
        {"too few start-up draws", {{"random", {0.5, 0.5}}}, 2, 0, "scenario_error"},
        {"unknown event", J(R"({"passes": [{"events": [["press", 38]]}]})"), 2, 0, "scenario_error"},
        {"unknown menu", J(R"({"passes": [{"events": [["menu", "mnuFile"]]}]})"), 2, 0, "scenario_error"},
        {"no answer left",
         {{"random", StillDraws()},
          {"set",
           {{"Health", 5}, {"Score", 10}, {"Level", 2}, {"sprites", {{"imgPlayer", {{"Left", 72}, {"Top", 144}}}}}}},
          {"passes", Idle(3)}},
         2,
         2,
         "scenario_error"},
        {"score overflow on a kill",
         {{"random", StillDraws()}, {"set", overflowSet}, {"passes", Idle(2)}},
         1,
         1,
         "error"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SimOutput out = RunSim(c.scenario);
        EXPECT_EQ(out.status, c.status);
        ASSERT_EQ(out.lines.size(), c.linesBefore + 1);
        EXPECT_TRUE(out.Last().contains(c.member)) << out.Last();
    }
    EXPECT_EQ(RunSim(cases.back().scenario).Last(), json({{"error", "Overflow"}}));
}

TEST(Driver, InvalidJsonIsABadScenario) {
    std::ostringstream out;
    EXPECT_EQ(sim::RunScenario("{\"passes\": [", 1, out), 2);
    EXPECT_TRUE(json::parse(out.str()).contains("scenario_error"));
}

TEST(Driver, UnscriptedDrawsFollowTheSeed) {
    const json scenario = {{"passes", Idle(1)}};
    EXPECT_EQ(RunSim(scenario, 7).Pass(0)["state"], RunSim(scenario, 7).Pass(0)["state"]);
    const SimOutput a = RunSim(scenario, 1);
    for (int v : a.Pass(0)["state"]["MonsterDX"]) EXPECT_TRUE(v >= -2 && v <= 2);
}

}  // namespace
}  // namespace quorvane::test
