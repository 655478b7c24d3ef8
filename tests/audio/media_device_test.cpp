// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/media_device.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "sound/sound_effects.h"
#include "sound/sound_font.h"
#include "media_builders.h"
#include "temporary_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::TemporaryFolder;
using testing::WriteFile;

std::string Open(const std::string& path) { return "Open \"" + path + "\" alias media"; }

// A failure reply: text that a caller reading a device number or a length reads as
// no number.
bool IsError(const std::string& reply) {
    return !reply.empty() && std::isalpha(static_cast<unsigned char>(reply[0]));
}

// The sound device for these tests: SDL's "dummy" driver, which plays into nothing.
struct DummyDriver {
    DummyDriver() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

class MediaDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(audio.Ready());
        WriteFile(song, testing::TestSong(4));   // 2000 ms
        WriteFile(other, testing::TestSong(6));  // 3000 ms
    }

    DummyDriver driver;
    SdlAudio audio;
    MediaDevice device{audio};
    TemporaryFolder dir;
    const std::string song = (dir / "song.mid").string();
    const std::string other = (dir / "other.mid").string();
};

constexpr const char* Error = "<error>";

struct Exchange {
    std::string command;
    std::string reply;  // or Error
};

void Converse(MediaDevice& device, const std::vector<Exchange>& exchanges, const std::string& name) {
    for (const Exchange& e : exchanges) {
        const std::string reply = device.Send(e.command);
        if (e.reply == Error) {
            EXPECT_TRUE(IsError(reply)) << name << ": \"" << e.command << "\" replied \"" << reply << "\"";
        } else {
            EXPECT_EQ(reply, e.reply) << name << ": \"" << e.command << "\"";
        }
    }
}

TEST_F(MediaDeviceTest, RepliesToEachCommandInAndOutOfOrder) {
    const std::pair<const char*, std::vector<Exchange>> cases[] = {
        {"a song change",
         {{"close all", ""},
          {Open(song), "1"},
          {"set media time format milliseconds", ""},
          {"status media length", "2000"},
          {"play media", ""},
          {"close all", ""},
          {Open(other), "1"},
          {"status media length", "3000"},
          {"close all", ""}}},
        {"nothing open",
         {{"play media", Error},
          {"status media length", Error},
          {"set media time format milliseconds", Error},
          {"close all", ""},
          {"close all", ""}}},
        {"a second open keeps the first file",
         {{Open(song), "1"},
          {"play media", ""},
          {Open(other), Error},
          {"status media length", "2000"},
          {"close all", ""}}},
        {"after a close nothing is open",
         {{Open(song), "1"}, {"close all", ""}, {"status media length", Error}, {"play media", Error}}},
        {"only the five commands",
         {{"open \"" + song + "\" alias media", Error},
          {"Open \"" + song + "\" alias tune", Error},
          {"Open " + song + " alias media", Error},
          {"Open \"" + song + "\"", Error},
          {"status media length", Error},
          {"", Error},
          {"close media", Error},
          {"close all ", Error},
          {"play media wait", Error},
          {"status media position", Error}}},
    };
    for (const auto& [name, exchanges] : cases) {
        Converse(device, exchanges, name);
        device.Send("close all");
    }
}

TEST_F(MediaDeviceTest, FilesThatAreNoSongFailToOpen) {
    std::vector<std::uint8_t> noise(2000);
    std::srand(3);
    for (auto& b : noise) b = static_cast<std::uint8_t>(std::rand());
    WriteFile(dir / "empty.mid", {});
    WriteFile(dir / "noise.mid", noise);
    WriteFile(dir / "tone.mid", testing::ToneWav(440, 0.1, 0.5));
    WriteFile(dir / "header.mid", {'M', 'T', 'h', 'd', 0, 0});
    fs::create_directory(dir / "folder.mid");
    for (const char* name : {"missing.mid", "empty.mid", "noise.mid", "tone.mid", "header.mid", "folder.mid"}) {
        Converse(device, {{Open((dir / name).string()), Error}, {"status media length", Error}, {"play media", Error}},
                 name);
    }
    Converse(device, {{Open(song), "1"}}, "a good song after the bad ones");
}

TEST_F(MediaDeviceTest, ReadsTheQuotedPathWhole) {
    fs::create_directory(dir / "my songs");
    WriteFile(dir / "my songs" / "first song.mid", testing::TestSong(4));
    WriteFile(dir / "say \"hi\".mid", testing::TestSong(6));
    const std::pair<std::string, std::string> cases[] = {
        {(dir / "my songs" / "first song.mid").string(), "2000"},
        {(dir / "say \"hi\".mid").string(), "3000"},
        {song + "\" alias media", Error},  // not song.mid followed by command words
        {song + "\" alias media wait", Error},
        {song + std::string(1, '\0') + ".txt", Error},
        {"", Error},
    };
    for (const auto& [path, length] : cases) {
        const std::string opened = length == Error ? Error : "1";
        Converse(device, {{Open(path), opened}, {"status media length", length}, {"close all", ""}}, path);
    }
}

TEST_F(MediaDeviceTest, LengthBeyond32BitsRepliesTheLargest) {
    using testing::Track;
    WriteFile(dir / "long.mid", testing::Smf(0, 1, {Track().Tempo(0, 0xFFFFFF).End(0x0FFFFFFF)}));
    Converse(device, {{Open((dir / "long.mid").string()), "1"}, {"status media length", "2147483647"}}, "long");
}

TEST_F(MediaDeviceTest, PlayStartsTheSongOnceAndReturns) {
    WriteFile(dir / "short.mid", testing::TestSong(1));  // 500 ms
    Converse(device, {{Open((dir / "short.mid").string()), "1"}, {"play media", ""}}, "short");
    EXPECT_TRUE(Mix_PlayingMusic());
    // The synthesizer lets the last notes ring out for a few seconds after the end.
    for (int i = 0; i < 200 && Mix_PlayingMusic(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(Mix_PlayingMusic()) << "the song should stop at its end, not loop";
    device.Send("play media");
    EXPECT_TRUE(Mix_PlayingMusic()) << "a song that has ended plays again";
    device.Send("close all");
    EXPECT_FALSE(Mix_PlayingMusic());
}

// Effects on the dummy driver: what plays is seen in SDL_mixer's channels.
class SoundEffectsTest : public MediaDeviceTest {
protected:
    SoundEffects effects{audio};
};

TEST_F(SoundEffectsTest, EffectsStartedTogetherEachGetAChannel) {
    const std::string tone = (dir / "tone.wav").string();
    WriteFile(tone, testing::ToneWav(440, 5.0, 0.3));
    const std::pair<int, int> cases[] = {
        {1, 1}, {2, 2}, {20, 20}, {SoundEffects::MaxChannels + 6, SoundEffects::MaxChannels}};
    for (const auto& [started, playing] : cases) {
        for (int i = 0; i < started; ++i) effects.Play(tone);
        EXPECT_EQ(Mix_Playing(-1), playing) << started << " started";
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundEffectsTest, BadFilesAreSilenceAndGoodOnesAreKept) {
    const std::string tone = (dir / "tone.wav").string();
    WriteFile(tone, testing::ToneWav(440, 5.0, 0.3));
    WriteFile(dir / "noise.wav", {'R', 'I', 'F', 'F', 9, 9, 9, 9, 'W', 'A', 'V', 'E', 1, 2, 3});
    WriteFile(dir / "empty.wav", {});
    for (const char* name : {"missing.wav", "noise.wav", "empty.wav"}) effects.Play((dir / name).string());
    effects.Play(tone + std::string(1, '\0') + "x");
    effects.Play("");
    EXPECT_EQ(Mix_Playing(-1), 0);

    effects.Play(tone);
    fs::remove(tone);
    effects.Play(tone);
    EXPECT_EQ(Mix_Playing(-1), 2) << "a decoded effect is kept after its first use";
}

TEST(NoSoundDevice, AnswersInSilenceAndSaysEachProblemInOneLine) {
    TemporaryFolder dir;
    const std::string song = (dir / "song.mid").string();
    WriteFile(song, testing::TestSong(4));
    WriteFile(dir / "tone.wav", testing::ToneWav(440, 0.2, 0.3));

    // No such driver; and ALSA with no such card, which ALSA itself would report at length.
    const std::pair<const char*, const char*> drivers[] = {{"quorvane-no-such-driver", ""},
                                                           {"alsa", "hw:97"}};
    for (const auto& [driver, card] : drivers) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("AUDIODEV", card, 1);
        ::testing::internal::CaptureStderr();
        {
            SdlAudio audio;
            MediaDevice device(audio);
            SoundEffects effects(audio);
            EXPECT_FALSE(audio.Ready()) << driver;
            Converse(device,
                {{"close all", ""},
                 {Open(song), "1"},
                 {"set media time format milliseconds", ""},
                 {"status media length", "2000"},
                 {"play media", ""},
                 {"close all", ""},
                 {Open((dir / "missing.mid").string()), Error}},
                driver);
            effects.Play((dir / "tone.wav").string());
            effects.Play((dir / "tone.wav").string());
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        // One line for the device, and one for the song that is not there.
        EXPECT_NE(said.find("the sound device could not be opened"), std::string::npos) << driver << ": " << said;
        EXPECT_NE(said.find("missing.mid cannot be played (not found)"), std::string::npos) << driver << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << driver << ": " << said;
    }
    unsetenv("AUDIODEV");
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return -1;
}

// Files under the game's own names that are not what their names say: each is silence
// or a failed open, named once on standard error, and none of them is read into memory.
TEST(HostileMedia, IsSilenceOrAFailedOpenAndSaidOnceForEachFile) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TemporaryFolder dir;
    using testing::Track;
    const std::vector<std::string> effectFiles = {"explode.wav", "bang.wav", "long.wav"};
    const std::vector<std::string> songFiles = {"Music1.mid", "Music2.mid", "Music3.mid"};
    // A MIDI file that describes hours of sound, a text, and eleven seconds of a real tone.
    WriteFile(dir / "explode.wav", testing::Smf(0, 1, {Track().Tempo(0, 0xFFFFFF).Note(0, 1100).End()}));
    WriteFile(dir / "bang.wav", {'b', 'a', 'n', 'g', '\n'});
    WriteFile(dir / "long.wav", testing::ToneWav(440, 11, 0.3, 8000));
    // An empty song, one of 2 GB (sparse, so it takes no room on the disk), and text.
    WriteFile(dir / "Music1.mid", {});
    WriteFile(dir / "Music2.mid", {});
    fs::resize_file(dir / "Music2.mid", std::uintmax_t{2} << 30);
    WriteFile(dir / "Music3.mid", {'M', 'T', 'h', 'd', ' ', 't', 'e', 'x', 't'});

    ::testing::internal::CaptureStderr();
    long growth = 0;
    {
        SdlAudio audio;
        MediaDevice device(audio);
        SoundEffects effects(audio);
        const long before = ResidentKilobytes();
        for (int round = 0; round < 3; ++round) {
            for (const std::string& name : effectFiles) effects.Play((dir / name).string());
            for (const std::string& name : songFiles) {
                EXPECT_TRUE(IsError(device.Send(Open((dir / name).string())))) << name;
                device.Send("close all");
            }
        }
        EXPECT_EQ(Mix_Playing(-1), 0);
        growth = ResidentKilobytes() - before;
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_LT(growth, 20 * 1024) << "kB";
    for (const auto& names : {effectFiles, songFiles})
        for (const std::string& name : names) {
            std::size_t lines = 0;
            for (std::size_t at = said.find(name); at != std::string::npos; at = said.find(name, at + 1)) ++lines;
            EXPECT_EQ(lines, 1u) << name << " in:\n" << said;
        }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 6) << said;
}

TEST(SoundFont, TheFirstReadableFileOfTheList) {
    TemporaryFolder dir;
    WriteFile(dir / "font.sf2", {'R', 'I', 'F', 'F'});
    WriteFile(dir / "later.sf2", {'R', 'I', 'F', 'F'});
    fs::create_directory(dir / "folder.sf2");
    const std::string missing = (dir / "missing.sf2").string(), folder = (dir / "folder.sf2").string(),
                      font = (dir / "font.sf2").string(), later = (dir / "later.sf2").string();
    const std::vector<const char*> list = {missing.c_str(), folder.c_str(), font.c_str(), later.c_str()};
    EXPECT_EQ(FindSoundFont(list), font);
    EXPECT_EQ(FindSoundFont(std::span(list).first(2)), std::nullopt);
}

}  // namespace
}  // namespace quorvane
