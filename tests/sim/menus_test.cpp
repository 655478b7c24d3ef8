// SPDX-License-Identifier: GPL-3.0-or-later
// The menu commands and the ways out.

#include <gtest/gtest.h>

#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

json Menu(const char* name) { return {{"events", json::array({json::array({"menu", name})})}}; }

TEST(Menus, HelpBoxesHaveTheirTitlesAndLines) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"passes", {Menu("mnuPlay"), Menu("mnuAbout")}}});
    const json play = out.Calls(1, "message").at(0)["message"];
    EXPECT_EQ(play["title"], "How to Play - Quorvane");
    EXPECT_EQ(play["icon"], "information");
    const auto howTo = Lines(play["text"]);
    ASSERT_EQ(howTo.size(), 4u);
    EXPECT_EQ(howTo[0], "Destroy all the grobbles using the lightning bolts . . . simple.");
    EXPECT_EQ(howTo[1], "Arrow keys move, space fires.");
    for (const std::string& line : howTo) EXPECT_FALSE(line.empty());

    const json about = out.Calls(2, "message").at(0)["message"];
    EXPECT_EQ(about["title"], "About Quorvane");
    EXPECT_EQ(about["icon"], "information");
    const auto credits = Lines(about["text"]);
    ASSERT_EQ(credits.size(), 6u);
    EXPECT_EQ(credits[0], "Credits");
    EXPECT_EQ(credits[1], "");
    EXPECT_EQ(credits[2], "Programming -");
    EXPECT_EQ(credits[3].substr(0, 4), "    ");
    EXPECT_GT(credits[3].size(), 4u);
    EXPECT_EQ(credits[4], "");
    EXPECT_FALSE(credits[5].empty());
}

TEST(Menus, HighScoresShowsTheTableAndLeavesLoopIndexAtTen) {
    // A pass of 0 ms runs no step after the menu, so the counter shows as the viewer left it.
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"store", {{"High Scores", {{" 9", "120"}, {" 8", "abc"}}},
                                             {"Best Players", {{" 9", "Ann"}, {" 8", ""}}}}},
                                  {"passes", J(R"([{}, {"ms": 0, "events": [["menu", "mnuHighScores"]]}])")}});
    const json message = out.Calls(2, "message").at(0)["message"];
    EXPECT_EQ(message["title"], "Quorvane");
    EXPECT_EQ(message["icon"], "none");
    std::string expected = "High Scores\r\nAnn\t\t120\r\n\t\t0\r\n";
    for (int i = 0; i < 8; ++i) expected += "None\t\t0\r\n";
    EXPECT_EQ(message["text"], expected);
    EXPECT_FALSE(out.Pass(2)["stepped"]);
    EXPECT_EQ(out.Pass(2)["state"]["LoopIndex"], 10);
    EXPECT_TRUE(out.Calls(2, "store_write").empty());
}

TEST(Menus, EveryWayOutClosesTheMusicOnceAndEnds) {
    for (const json& pass : {Menu("mnuExit"), J(R"({"events": [["close"]]})"), J(R"({"events": [["down", 27]]})")}) {
        SCOPED_TRACE(pass.dump());
        const SimOutput out = RunSim({{"random", StillDraws()}, {"set", {{"Score", 500}}},
                                      {"passes", {pass, json::object()}}});
        EXPECT_EQ(out.status, 0);
        ASSERT_EQ(out.lines.size(), 3u);
        EXPECT_TRUE(out.Pass(1)["ended"]);
        EXPECT_EQ(out.Pass(1)["state"]["Running"], 0);
        // Exit closes the media, and the unload that follows finds nothing open.
        EXPECT_EQ(out.Pass(1)["calls"], json::array({{{"media", "close all"}, {"reply", ""}}}));
        EXPECT_EQ(out.Last(), json({{"store", json::object()}}));  // no entry for an unfinished game
    }
}

}  // namespace
}  // namespace quorvane::test
