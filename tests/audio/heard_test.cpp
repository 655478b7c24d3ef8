// SPDX-License-Identifier: GPL-3.0-or-later
// Heard, not just called: SDL's "disk" driver writes what the device would play to a
// file of raw samples (signed 16-bit, stereo, 44.1 kHz), which is measured here.

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

#include "sound/media_device.h"
#include "sound/sound_effects.h"
#include "media_builders.h"
#include "temporary_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TemporaryFolder;
using testing::WriteFile;

constexpr double FullScale = 32768.0;

struct Output {
    std::vector<std::int16_t> samples;

    // Energy of everything played: the sum of the squares of the samples.
    double Energy() const {
        double sum = 0;
        for (const auto s : samples) sum += double(s) * s;
        return sum;
    }
    // Root mean square from the first to the last sample that is not silent, as a
    // share of full scale.
    double Rms() const {
        const auto first = std::find_if(samples.begin(), samples.end(), [](auto s) { return s != 0; });
        const auto last = std::find_if(samples.rbegin(), samples.rend(), [](auto s) { return s != 0; }).base();
        if (first >= last) return 0;
        return std::sqrt(Energy() / double(last - first)) / FullScale;
    }
};

class HeardTest : public ::testing::Test {
protected:
    // Opens the sound device on the disk driver, does `act`, lets it sound for
    // `duration` (or until the effects end, when zero), and returns what was played.
    Output Render(const std::function<void(MediaDevice&, SoundEffects&)>& act, std::chrono::milliseconds duration) {
        const fs::path file = dir / "output.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        {
            SdlAudio audio;
            EXPECT_TRUE(audio.Ready());
            MediaDevice device(audio);
            SoundEffects effects(audio);
            act(device, effects);
            if (duration.count() > 0) {
                std::this_thread::sleep_for(duration);
            } else {
                for (int i = 0; i < 100 && Mix_Playing(-1) > 0; ++i) std::this_thread::sleep_for(30ms);
                std::this_thread::sleep_for(100ms);
            }
        }
        const auto bytes = testing::ReadFile(file);
        Output out;
        out.samples.resize(bytes.size() / 2);
        std::memcpy(out.samples.data(), bytes.data(), out.samples.size() * 2);
        fs::remove(file);
        return out;
    }


    TemporaryFolder dir;
};

TEST_F(HeardTest, TwoSecondsOfTheFirstSongAreNotSilent) {
    const std::string song = testing::GameFile("music", "Music1.mid").string();
    const Output out = Render(
        [&](MediaDevice& device, SoundEffects&) {
            ASSERT_EQ(device.Send("Open \"" + song + "\" alias media"), "1");
            device.Send("play media");
        },
        2000ms);
    // At least a second of stereo was measured, however busy the machine.
    EXPECT_GE(out.samples.size(), std::size_t{2 * 44100});
    EXPECT_GT(out.Rms(), 0.01) << song;
}

TEST_F(HeardTest, EachEffectIsHeardAndTwoAtOnceAreLouder) {
    const std::string explode = testing::GameFile("sounds", "explode.wav").string();
    const std::string bang = testing::GameFile("sounds", "bang.wav").string();
    auto play = [](std::vector<std::string> paths) {
        return [paths](MediaDevice&, SoundEffects& effects) {
            for (const auto& path : paths) effects.Play(path);
        };
    };
    const Output one = Render(play({explode}), 0ms);
    const Output other = Render(play({bang}), 0ms);
    const Output both = Render(play({explode, bang}), 0ms);
    EXPECT_GT(one.Rms(), 0.01) << explode;
    EXPECT_GT(other.Rms(), 0.01) << bang;
    // Mixed, not cut: both effects' energy is there, not just the louder one's.
    const double louder = std::max(one.Energy(), other.Energy());
    const double softer = std::min(one.Energy(), other.Energy());
    EXPECT_GT(both.Energy(), louder + softer / 2);
}

TEST_F(HeardTest, TheSameEffectTwiceAtOnceIsLouder) {
    const std::string tone = (dir / "tone.wav").string();
    WriteFile(tone, testing::ToneWav(440, 0.3, 0.25));
    const Output once = Render([&](MediaDevice&, SoundEffects& effects) { effects.Play(tone); }, 0ms);
    const Output twice = Render(
        [&](MediaDevice&, SoundEffects& effects) {
            effects.Play(tone);
            effects.Play(tone);
        },
        0ms);
    // Started in the same step the two copies line up: twice the amplitude, four
    // times the energy. One cutting the other would leave it unchanged.
    EXPECT_GT(twice.Energy(), 3.0 * once.Energy());
}

TEST_F(HeardTest, MissingAndCorruptEffectsAreSilence) {
    WriteFile(dir / "corrupt.wav", {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0x7F, 'W', 'A', 'V', 'E', 'f', 'm', 't'});
    const Output out = Render(
        [&](MediaDevice&, SoundEffects& effects) {
            effects.Play((dir / "missing.wav").string());
            effects.Play((dir / "corrupt.wav").string());
        },
        300ms);
    EXPECT_FALSE(out.samples.empty()) << "the device ran";
    EXPECT_EQ(out.Energy(), 0.0);
}

}  // namespace
}  // namespace quorvane
