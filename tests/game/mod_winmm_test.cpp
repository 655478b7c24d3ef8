// SPDX-License-Identifier: GPL-3.0-or-later
// The media module: which commands it sends, and how it reads the replies.

#include <gtest/gtest.h>

#include "audio/mod_winmm.h"
#include "fake_platform.h"

namespace quorvane::test {
namespace {

// A device that answers with scripted replies and records what it was sent.
class ScriptedDevice : public FakePlatform {
public:
    std::string MediaCommand(const std::string& command) override {
        sent.push_back(command);
        if (command.rfind("Open", 0) == 0) return openReply;
        if (command == "status media length") return lengthReply;
        return {};
    }
    std::vector<std::string> sent;
    std::string openReply = "1";
    std::string lengthReply = "  61234   ";
};

struct MediaFixture {
    ScriptedDevice device;
    mod_Winmm media{device};
};

TEST(ModWinmm, NothingOpenSendsNothing) {
    MediaFixture f;
    EXPECT_EQ(f.media.PlayMedia(), std::nullopt);
    EXPECT_EQ(f.media.MediaLength(), std::nullopt);
    EXPECT_EQ(f.media.CloseMedia(), std::nullopt);
    EXPECT_TRUE(f.device.sent.empty());
    EXPECT_EQ(ReplyToLong(f.media.MediaLength()), 0);
}

TEST(ModWinmm, OpenSendsItsThreeCommandsAndASecondOpenNothing) {
    MediaFixture f;
    EXPECT_EQ(f.media.OpenMedia("/my games/q/Music1.mid"), "1");
    EXPECT_EQ(f.device.sent, (std::vector<std::string>{"close all", "Open \"/my games/q/Music1.mid\" alias media",
                                                       "set media time format milliseconds"}));
    EXPECT_EQ(f.media.OpenMedia("/q/Music2.mid"), std::nullopt);
    EXPECT_EQ(f.device.sent.size(), 3u);
    EXPECT_EQ(f.media.MediaLength(), "61234");  // blanks around the reply removed
    EXPECT_EQ(ReplyToLong(f.media.MediaLength()), 61234);
    EXPECT_EQ(f.media.CloseMedia(), "");
    EXPECT_EQ(f.device.sent.back(), "close all");
    EXPECT_FALSE(f.media.IsOpen());
}

TEST(ModWinmm, AnOpenIsSuccessfulOnlyWhenItsReplyReadsAsANonZeroNumber) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"1", true}, {" 7 ", true}, {"0", false}, {"", false}, {"error: file not found", false},
        {"1 extra", false}, {std::string(300, '9'), true}};
    for (const auto& [reply, opens] : cases) {
        MediaFixture f;
        f.device.openReply = reply;
        f.media.OpenMedia("/q/a.mid");
        EXPECT_EQ(f.media.IsOpen(), opens) << reply;
    }
}

TEST(ModWinmm, RepliesAreCutToTheBufferAndAtTheirNul) {
    MediaFixture f;
    f.media.OpenMedia("/q/a.mid");
    f.device.lengthReply = std::string(200, '5');
    EXPECT_EQ(f.media.MediaLength()->size(), mod_Winmm::ReplyCapacity - 1);
    f.device.lengthReply = std::string("42\0garbage", 10);
    EXPECT_EQ(f.media.MediaLength(), "42");
}

}  // namespace
}  // namespace quorvane::test
