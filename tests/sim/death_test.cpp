// SPDX-License-Identifier: GPL-3.0-or-later
// Thrown keyboards, death and the Over state, across passes.

#include <gtest/gtest.h>

#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

// Level 2, monsters standing still. Keyboards 1 and 2 are thrown onto the player; keyboard 3
// falls idle at once (its monster stands below the bounce box), so it would be thrown again.
// The bolt reaches monster 4 only in the second step.
json FatalSetup(int health, int score) {
    return {{"Level", 2}, {"Health", health}, {"Score", score}, {"RightHeld", true},
            {"sprites",
             {{"imgPlayer", {{"Left", 72}, {"Top", 144}}},
              {"imgMonster(2)", {{"Left", 72}, {"Top", 144}}},
              {"imgMonster(3)", {{"Left", 136}, {"Top", 210}}},
              {"imgFire", {{"Left", 136}, {"Top", 0}, {"Tag", "Down"}, {"Visible", true}}}}}};
}

TEST(Death, AFatalHitEndsTheKeyboardPhaseButNotTheStep) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"set", FatalSetup(5, 60)},
                                  {"answers", {"Zed"}}, {"passes", Idle(3)}});
    ASSERT_EQ(out.status, 0);
    const json& first = out.Pass(1);
    EXPECT_EQ(first["sprites"]["imgKeyboard(3)"]["Tag"], "");
    EXPECT_EQ(first["sprites"]["imgKeyboard(2)"]["Tag"], "Fired");

    const json& fatal = out.Pass(2);
    EXPECT_TRUE(fatal["stepped"]);
    EXPECT_EQ(fatal["state"]["Health"], 0);  // keyboard 2 was not tested
    EXPECT_EQ(fatal["state"]["Running"], 0);
    EXPECT_EQ(fatal["labels"]["lblHp"]["Caption"], "Health - 0");
    EXPECT_EQ(fatal["labels"]["lblDied"]["Visible"], true);
    EXPECT_EQ(fatal["sprites"]["imgKeyboard(1)"]["Visible"], false);
    EXPECT_EQ(fatal["sprites"]["imgKeyboard(2)"]["Tag"], "Fired");
    EXPECT_EQ(fatal["sprites"]["imgKeyboard(3)"]["Tag"], "");  // not thrown again
    // The rest of the step ran: the player moved, the bolt scored after the check.
    EXPECT_EQ(fatal["sprites"]["imgPlayer"]["Left"], 82);
    EXPECT_EQ(fatal["state"]["Score"], 70);
    EXPECT_EQ(fatal["labels"]["lblScore"]["Caption"], "Score - 70");
    EXPECT_EQ(fatal["state"]["LastTick"], fatal["tick"]);

    const std::vector<json> calls = fatal["calls"];
    ASSERT_EQ(calls.size(), 1 + 1 + 20 + 1 + 1u);
    EXPECT_EQ(calls[0], json({{"sound", "/q/bang.wav"}}));
    EXPECT_EQ(calls[1]["input"],
              json({{"title", "New High Score!"}, {"prompt", "Enter your name."}, {"answer", "Zed"}}));
    EXPECT_EQ(calls[20], json({{"store_write", {"High Scores", " 9", "60"}}}));
    EXPECT_EQ(calls[21], json({{"store_write", {"Best Players", " 9", "Zed"}}}));
    EXPECT_EQ(calls[22]["message"]["title"], "Quorvane");
    EXPECT_EQ(calls[22]["message"]["icon"], "none");
    EXPECT_EQ(calls[23], json({{"sound", "/q/explode.wav"}}));

    // The loop has ended: no more steps, the player stays put.
    EXPECT_FALSE(out.Pass(3)["stepped"]);
    EXPECT_EQ(out.Pass(3)["sprites"]["imgPlayer"]["Left"], 82);
    EXPECT_EQ(out.Last()["store"]["High Scores"][" 9"], "60");
    EXPECT_EQ(out.Last()["store"]["Best Players"][" 8"], "None");
}

TEST(Death, TwoKeyboardsOnThePlayerCostFiveEach) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"set", FatalSetup(50, 0)}, {"passes", Idle(2)}});
    EXPECT_EQ(out.Pass(2)["state"]["Health"], 40);
    EXPECT_EQ(out.Calls(2, "sound").size(), 3u);  // two hits and the bolt's kill
    EXPECT_EQ(out.Pass(2)["state"]["Running"], -1);
}

TEST(Death, TheOverStateKeepsMenusMusicAndEscape) {
    const SimOutput out = RunSim(
        {{"random", StillDraws()}, {"set", FatalSetup(5, 0)},
         {"files", {{"Music1.mid", 1000}, {"Music2.mid", 60000}}},
         {"passes", J(R"([{}, {},
             {"ms": 900, "events": [["down", 38], ["menu", "mnuPlay"], ["menu", "mnuHighScores"]]},
             {"events": [["menu", "mnuAbout"], ["down", 27], ["menu", "mnuPlay"]]}])")}});
    ASSERT_EQ(out.status, 0);
    const json& over = out.Pass(3);
    EXPECT_FALSE(over["stepped"]);
    EXPECT_EQ(over["state"]["UpHeld"], -1);
    EXPECT_EQ(over["sprites"]["imgPlayer"]["Top"], 144);
    EXPECT_EQ(over["state"]["SongNumber"], 2);  // the music timer still ticks
    const std::vector<json> messages = out.Calls(3, "message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]["message"]["title"], "How to Play - Quorvane");
    EXPECT_EQ(messages[1]["message"]["title"], "Quorvane");

    const json& ended = out.Pass(4);
    EXPECT_TRUE(ended["ended"]);
    EXPECT_EQ(out.Calls(4, "message").size(), 1u);  // About; nothing after Escape
    EXPECT_EQ(out.Calls(4, "media"), std::vector<json>({{{"media", "close all"}, {"reply", ""}}}));
    EXPECT_TRUE(out.Last().contains("store"));
}

}  // namespace
}  // namespace quorvane::test
