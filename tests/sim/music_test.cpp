// SPDX-License-Identifier: GPL-3.0-or-later
// The song rotation driven by the music timer, and the media module's commands.

#include <gtest/gtest.h>

#include "sim_run.h"

namespace quorvane::test {
namespace {

using nlohmann::json;

std::vector<std::string> Commands(const SimOutput& out, std::size_t pass) {
    std::vector<std::string> sent;
    for (const json& call : out.Calls(pass, "media")) sent.push_back(call["media"]);
    return sent;
}

json Seconds(int n) { return std::vector<json>(static_cast<std::size_t>(n), {{"ms", 1000}}); }

json Files(std::initializer_list<std::pair<const char*, int>> songs) {
    json files = {{"bang.wav", 0}, {"explode.wav", 0}};
    for (const auto& [name, length] : songs) files[name] = length;
    return files;
}

TEST(Music, StartUpOpensPlaysAndTimesTheFirstSong) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"files", Files({{"Music1.mid", 1500}})}});
    EXPECT_EQ(Commands(out, 0), (std::vector<std::string>{"close all", "Open \"/q/Music1.mid\" alias media",
                                                         "set media time format milliseconds",
                                                         "status media length", "play media"}));
    EXPECT_EQ(out.Pass(0)["state"]["SongLength"], 1500);
    EXPECT_EQ(out.Pass(0)["state"]["SongStart"], 1000000);
    EXPECT_EQ(out.Pass(0)["state"]["SongNumber"], 1);
}

TEST(Music, ASongChangesAtTheFirstTickAfterItsLength) {
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"files", Files({{"Music1.mid", 1500}, {"Music2.mid", 90000}})},
                                  {"passes", Seconds(2)}});
    EXPECT_TRUE(Commands(out, 1).empty());  // 1000 ms into a 1500 ms song
    EXPECT_EQ(Commands(out, 2), (std::vector<std::string>{"close all", "close all",
                                                         "Open \"/q/Music2.mid\" alias media",
                                                         "set media time format milliseconds",
                                                         "status media length", "play media"}));
    const json& state = out.Pass(2)["state"];
    EXPECT_EQ(state["SongNumber"], 2);
    EXPECT_EQ(state["SongLength"], 90000);
    EXPECT_EQ(state["SongStart"], 1002000);
}

TEST(Music, TheTimerTicksOnWholeSecondsSinceStart) {
    // 2999 ms in one pass hold two ticks: with a zero-length song, two changes.
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"files", Files({{"Music1.mid", 0}, {"Music2.mid", 0}, {"Music3.mid", 0}})},
                                  {"passes", {{{"ms", 2999}}, {{"ms", 1}}}}});
    EXPECT_EQ(out.Pass(1)["state"]["SongNumber"], 3);
    EXPECT_EQ(out.Pass(2)["state"]["SongNumber"], 4);
}

TEST(Music, SongFourIsFollowedBySongOne) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"set", {{"SongNumber", 4}, {"SongLength", 0}}},
                                  {"passes", Seconds(1)}});
    EXPECT_EQ(out.Pass(1)["state"]["SongNumber"], 1);
    EXPECT_EQ(Commands(out, 1)[2], "Open \"/q/Music1.mid\" alias media");
}

TEST(Music, AMissingSongFileMakesTheSongChangeOnEveryTick) {
    // Only Music1 exists: songs 2, 3 and 4 fail to open, so each lasts one tick.
    const SimOutput out = RunSim({{"random", StillDraws()},
                                  {"files", Files({{"Music1.mid", 1000}})},
                                  {"passes", Seconds(4)}});
    EXPECT_EQ(out.Pass(1)["state"]["SongNumber"], 2);
    EXPECT_EQ(out.Pass(1)["state"]["SongLength"], 0);
    // The failed open leaves nothing open: no close, no length, no play.
    EXPECT_EQ(Commands(out, 2), (std::vector<std::string>{"close all", "Open \"/q/Music3.mid\" alias media",
                                                         "set media time format milliseconds"}));
    EXPECT_EQ(out.Calls(2, "media")[1]["reply"], "");
    EXPECT_EQ(out.Pass(3)["state"]["SongNumber"], 4);
    EXPECT_EQ(out.Pass(4)["state"]["SongNumber"], 1);
    EXPECT_EQ(out.Pass(4)["state"]["SongLength"], 1000);
}

TEST(Music, SongsChangeAcrossTheTickCountWrap) {
    const SimOutput out = RunSim({{"random", StillDraws()}, {"start_tick", 4294966796LL},
                                  {"files", Files({{"Music1.mid", 1500}, {"Music2.mid", 60000}})},
                                  {"passes", Seconds(2)}});
    EXPECT_EQ(out.Pass(1)["state"]["SongNumber"], 1);
    EXPECT_EQ(out.Pass(2)["state"]["SongNumber"], 2);
    EXPECT_EQ(out.Pass(2)["state"]["SongStart"], 1500);
}

}  // namespace
}  // namespace quorvane::test
