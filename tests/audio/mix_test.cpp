// SPDX-License-Identifier: GPL-3.0-or-later
// The mix as the player hears it: a song with the effects of busy play over it,
// rendered through SDL's disk driver faster than real time and measured sample by sample.

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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

constexpr int Rate = SdlAudio::Frequency;
constexpr int FullScale = 32767;

// A cue: at `ms` of the song, these effects start together (in one game step).
struct Cue {
    int ms;
    std::vector<const char*> effects;
};

// A minute of busy play at a high level: a kill every 700 ms, a keyboard hit every
// 450 ms from the tenth second, and what one step can bring at once: two monsters hit
// by one bolt, a kill and a hit, two keyboards arriving together. The last seconds
// are a death: a hit every step or two, twenty in all.
std::vector<Cue> BusyMinute() {
    std::vector<Cue> cues;
    for (int ms = 500; ms < 55000; ms += 700) cues.push_back({ms, {"explode.wav"}});
    for (int ms = 10000; ms < 55000; ms += 450) cues.push_back({ms, {"bang.wav"}});
    for (int ms = 3000; ms < 55000; ms += 3000) cues.push_back({ms + 120, {"explode.wav", "explode.wav"}});
    for (int ms = 4000; ms < 55000; ms += 4000) cues.push_back({ms + 240, {"explode.wav", "bang.wav"}});
    for (int ms = 12000; ms < 55000; ms += 5000) cues.push_back({ms + 360, {"bang.wav", "bang.wav"}});
    for (int i = 0; i < 20; ++i) cues.push_back({55000 + i * 125, {"bang.wav"}});
    std::sort(cues.begin(), cues.end(), [](const Cue& a, const Cue& b) { return a.ms < b.ms; });
    return cues;
}

struct Measured {
    std::vector<std::int16_t> samples;  // interleaved stereo

    long FullScaleSamples() const {
        return std::count_if(samples.begin(), samples.end(),
                             [](std::int16_t s) { return s >= FullScale || s <= -FullScale; });
    }
    // The most full-scale samples within any one second.
    long WorstSecond() const {
        long worst = 0;
        for (std::size_t start = 0; start < samples.size(); start += 2 * Rate) {
            const auto end = samples.begin() + static_cast<long>(std::min(samples.size(), start + 2 * Rate));
            worst =
                std::max<long>(worst, std::count_if(samples.begin() + static_cast<long>(start), end,
                                                    [](std::int16_t s) { return s >= FullScale || s <= -FullScale; }));
        }
        return worst;
    }
    double Peak() const {
        int peak = 0;
        for (const auto s : samples) peak = std::max(peak, std::abs(int{s}));
        return peak / 32768.0;
    }
    // The RMS of the loudest `ms` stretch, in dB below full scale: how loud a short
    // sound is heard.
    double LoudestDb(int ms) const {
        const std::size_t window = std::size_t(ms) * Rate / 1000 * 2;
        if (samples.size() < window) return RmsDb();
        double sum = 0, most = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            sum += double(samples[i]) * samples[i];
            if (i >= window) sum -= double(samples[i - window]) * samples[i - window];
            most = std::max(most, sum);
        }
        return 20 * std::log10(std::max(std::sqrt(most / double(window)) / 32768.0, 1e-9));
    }
    // RMS in dB below full scale, over the samples from `fromMs` on.
    double RmsDb(int fromMs = 0) const {
        const std::size_t first = std::min(samples.size(), std::size_t(fromMs) * Rate / 1000 * 2);
        double sum = 0;
        for (std::size_t i = first; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
        const double rms = std::sqrt(sum / double(std::max<std::size_t>(1, samples.size() - first))) / 32768.0;
        return 20 * std::log10(std::max(rms, 1e-9));
    }
};

std::atomic<long> mixedFrames{0};
void CountFrames(void*, Uint8*, int bytes) { mixedFrames += bytes / 4; }

class MixTest : public ::testing::Test {
protected:
    // Plays `ms` of the first song (or of silence) with the cues' effects started when the
    // device has played up to their time. The disk driver runs at about ten times real time.
    Measured Render(int ms, const std::vector<Cue>& cues, bool song = true) {
        const fs::path file = dir / "mix.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1);
        long start = 0;
        {
            SdlAudio audio;
            EXPECT_TRUE(audio.Ready());
            MediaDevice device(audio);
            SoundEffects effects(audio);
            // Counts every frame the device is given, so the file's frames line up with it.
            mixedFrames = 0;
            Mix_SetPostMix(CountFrames, nullptr);
            if (song) {
                EXPECT_EQ(device.Send("Open \"" + Game("music", "Music1.mid") + "\" alias media"), "1");
                device.Send("play media");
            }
            start = mixedFrames;
            auto next = cues.begin();
            const auto played = [&] { return (mixedFrames - start) * 1000 / Rate; };
            // Cues fall due before the end is tested: on a busy machine the device may
            // run far ahead between two looks, and no cue is left out.
            for (;;) {
                const long now = played();
                for (; next != cues.end() && next->ms <= now; ++next)
                    for (const char* effect : next->effects) effects.Play(Game("sounds", effect));
                if (now >= ms) break;
                std::this_thread::sleep_for(1ms);
            }
            Mix_SetPostMix(nullptr, nullptr);
        }
        unsetenv("SDL_DISKAUDIODELAY");
        const auto bytes = testing::ReadFile(file);
        fs::remove(file);
        // Just the `ms` from the start, whatever the device played while it closed.
        const std::size_t first = std::min(bytes.size() / 2, std::size_t(start) * 2);
        const std::size_t count = std::min(bytes.size() / 2 - first, std::size_t(ms) * Rate / 1000 * 2);
        Measured out;
        out.samples.resize(count);
        std::memcpy(out.samples.data(), bytes.data() + first * 2, count * 2);
        return out;
    }

    static std::string Game(const std::string& folder, const std::string& name) {
        return testing::GameFile(folder, name).string();
    }

    test::TemporaryFolder dir;
};

TEST_F(MixTest, AMinuteOfBusyPlayNeverReachesFullScale) {
    const Measured mix = Render(60000, BusyMinute());
    std::cout << "busy minute: " << mix.FullScaleSamples() << " samples at full scale, at most "
              << mix.WorstSecond() << " in one second; peak " << mix.Peak() << "; RMS " << mix.RmsDb() << " dBFS\n";
    ASSERT_GE(mix.samples.size(), std::size_t{2 * Rate * 59});
    EXPECT_EQ(mix.FullScaleSamples(), 0);
}

TEST_F(MixTest, TheMusicSitsNearMinus20DbfsAndEachEffectClearlyAboveIt) {
    const Measured music = Render(30000, {});
    // From the second second on: the song's first notes are still coming in before.
    const double musicDb = music.RmsDb(2000);
    std::cout << "music alone: RMS " << musicDb << " dBFS, peak " << music.Peak() << "\n";
    EXPECT_NEAR(musicDb, -20.0, 2.0);
    // The limiter leaves the music alone: it stays below the ceiling by itself.
    EXPECT_LT(music.Peak(), SdlAudio::Ceiling);

    for (const char* effect : {"explode.wav", "bang.wav"}) {
        const double effectDb = Render(1000, {{0, {effect}}}, false).LoudestDb(50);
        std::cout << effect << ": RMS " << effectDb << " dBFS over its loudest 50 ms\n";
        EXPECT_GT(effectDb, musicDb + 5) << effect;
    }
}

}  // namespace
}  // namespace quorvane
