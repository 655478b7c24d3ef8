// SPDX-License-Identifier: GPL-3.0-or-later
// What counts as a sound effect: a small, short RIFF/WAVE file, and nothing else.

#include "sound/wave_file.h"

#include <gtest/gtest.h>

#include "media_builders.h"

namespace quorvane {
namespace {

using testing::Bytes;

Bytes Little(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A RIFF/WAVE file of these chunks, each given as id and body.
Bytes Riff(const std::vector<std::pair<std::string, Bytes>>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& [id, data] : chunks) {
        body.insert(body.end(), id.begin(), id.end());
        testing::Append(body, Little(static_cast<std::uint32_t>(data.size())));
        testing::Append(body, data);
        if (data.size() % 2) body.push_back(0);
    }
    Bytes file{'R', 'I', 'F', 'F'};
    testing::Append(file, Little(static_cast<std::uint32_t>(body.size())));
    testing::Append(file, body);
    return file;
}

// A PCM format chunk: mono, 8-bit, at `rate` bytes a second.
Bytes Format(std::uint32_t rate) {
    Bytes fmt{1, 0, 1, 0};
    testing::Append(fmt, Little(rate));
    testing::Append(fmt, Little(rate));
    testing::Append(fmt, {1, 0, 8, 0});
    return fmt;
}

struct WaveCase {
    const char* what;
    Bytes file;
    std::optional<std::string> problem;
};

void PrintTo(const WaveCase& c, std::ostream* os) { *os << c.what; }

class WaveFileTest : public ::testing::TestWithParam<WaveCase> {};

TEST_P(WaveFileTest, TellsAnEffectFromAnythingElse) {
    EXPECT_EQ(WaveProblem(GetParam().file), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaveFileTest,
    ::testing::Values(
        WaveCase{"a tone", testing::ToneWav(440, 0.5, 0.5), std::nullopt},
        WaveCase{"ten seconds exactly", Riff({{"fmt ", Format(8000)}, {"data", Bytes(80000, 128)}}), std::nullopt},
        WaveCase{"other chunks first", Riff({{"LIST", Bytes(7, 1)}, {"fmt ", Format(8000)}, {"data", Bytes(9, 128)}}),
                 std::nullopt},
        WaveCase{"a MIDI file", testing::TestSong(4), "not a WAV file"},
        WaveCase{"text", Bytes{'b', 'a', 'n', 'g', '\n'}, "not a WAV file"},
        WaveCase{"empty", Bytes{}, "not a WAV file"},
        WaveCase{"RIFF but not WAVE", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "not a WAV file"},
        WaveCase{"no format", Riff({{"data", Bytes(9, 128)}}), "a WAV file without its format or its sound"},
        WaveCase{"no sound", Riff({{"fmt ", Format(8000)}}), "a WAV file without its format or its sound"},
        WaveCase{"no playing rate", Riff({{"fmt ", Format(0)}, {"data", Bytes(9, 128)}}),
                 "a WAV file with no playing rate"},
        WaveCase{"eleven seconds", Riff({{"fmt ", Format(8000)}, {"data", Bytes(88000, 128)}}),
                 "longer than 10 seconds"},
        WaveCase{"hours, by a slow rate", Riff({{"fmt ", Format(1)}, {"data", Bytes(100, 128)}}),
                 "longer than 10 seconds"},
        WaveCase{"over 2 MB", Riff({{"fmt ", Format(1 << 20)}, {"data", Bytes(MaxEffectBytes, 128)}}),
                 "larger than 2 MB"}));

// A chunk that claims more than the file holds counts for what is there.
TEST(WaveFile, AChunkCutShortCountsForWhatIsThere) {
    Bytes file = Riff({{"fmt ", Format(8000)}});
    testing::Append(file, {'d', 'a', 't', 'a'});
    testing::Append(file, Little(0xFFFFFFF0));
    testing::Append(file, Bytes(100, 128));
    EXPECT_EQ(WaveProblem(file), std::nullopt);
}

}  // namespace
}  // namespace quorvane
