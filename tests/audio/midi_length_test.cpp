// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/midi_length.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "media_builders.h"

namespace quorvane {
namespace {

using testing::Append;
using testing::Bytes;
using testing::Chunk;
using testing::Header;
using testing::Smf;
using testing::Track;

struct LengthCase {
    const char* name;
    Bytes file;
    std::int64_t ms;
};

// Meta bodies that look like events must be skipped by their stated length.
Bytes LongText() {
    Bytes text{0xFF, 0x01};
    Append(text, testing::Vlq(200));
    text.resize(text.size() + 200, 0x2F);
    return text;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) Append(out, part);
    return out;
}

std::vector<LengthCase> LengthCases() {
    return {
        {"one note at the default 120 bpm", Smf(0, 480, {Track().Note(0, 960).End()}), 1000},
        {"tempo change mid-song",
         Smf(0, 96, {Track().Tempo(0, 500000).Note(0, 192).Tempo(0, 250000).Note(0, 192).End()}), 1500},
        {"format 1: tempo map in track 0, notes in track 2",
         Smf(1, 480, {Track().Tempo(0, 1000000).Tempo(480, 500000).End(), Track().End(), Track().Note(0, 960).End()}),
         1500},
        {"tempo change in a later track applies to all",
         Smf(1, 480, {Track().Note(0, 960).End(), Track().Tempo(480, 250000).End()}), 750},
        {"running status",
         Smf(0, 100,
             {Track().Event(0, {0x90, 60, 100}).Event(100, {60, 0}).Event(100, {62, 100}).Event(100, {62, 0}).End()}),
         1500},
        {"meta and sysex events skipped by their lengths, running status kept across them",
         Smf(0, 100,
             {Track()
                  .Event(0, {0x90, 60, 100})
                  .Event(50, {0xFF, 0x7F, 0x03, 0xFF, 0x2F, 0x00})
                  .Event(0, LongText())
                  .Event(50, {60, 0})
                  .Event(50, {0xF0, 0x03, 0x7E, 0x7F, 0xF7})
                  .Event(50, {0xF7, 0x02, 0xFF, 0x2F})
                  .End()}),
         1000},
        {"SMPTE 25 fps, 40 ticks per frame, tempo ignored",
         Smf(0, 0xE728, {Track().Tempo(0, 250000).Note(0, 2500).End()}), 2500},
        {"SMPTE 30 drop-frame (29.97 fps), 100 ticks per frame", Smf(0, 0xE364, {Track().Note(0, 2997).End()}), 1000},
        {"a track cut short inside its last event", Smf(0, 480, {Track().Note(0, 480).Raw({0x60, 0x90, 0x3C})}), 500},
        {"a track length larger than the file",
         Concat({Header(0, 1, 480), Chunk("MTrk", Track().Note(0, 480).Note(0, 480).bytes(), 100000)}), 1000},
        {"no End of Track: the chunk's end ends the track",
         Smf(1, 480, {Track().Note(0, 960), Track().Note(0, 480).End()}), 1000},
        {"events after End of Track are ignored", Smf(0, 480, {Track().Note(0, 480).End().Note(0, 4800)}), 500},
        {"a delta longer than four bytes ends the track",
         Smf(0, 480, {Track().Note(0, 480).Raw({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 100})}), 500},
        {"a data byte with no status to run on ends the track",
         Smf(0, 480, {Track().Raw({0x00, 0x3C, 0x64}).Note(0, 480).End()}), 0},
        {"an unknown chunk before the track is skipped",
         Concat({Header(0, 1, 480), Chunk("XFIH", {'M', 'T', 'r', 'k'}),
                 Chunk("MTrk", Track().Note(0, 960).End().bytes())}),
         1000},
        // (2^28 - 1) ticks of (2^24 - 1) us = 4503599342157825 us: far beyond 32 bits of ms.
        {"the longest delta at the slowest tempo", Smf(0, 1, {Track().Tempo(0, 0xFFFFFF).End(0x0FFFFFFF)}),
         4503599342158},
    };
}

TEST(MidiLength, ReadsTheLengthOfEachFile) {
    for (const LengthCase& c : LengthCases()) {
        EXPECT_EQ(MidiLengthMs(c.file), std::optional<std::int64_t>(c.ms)) << c.name;
    }
}

TEST(MidiLength, RejectsWhatIsNotAFormat0Or1File) {
    std::mt19937 random(7);
    Bytes noise(4096);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    Bytes shortHeader = Chunk("MThd", {0, 0, 0, 1, 0});
    const Track song = Track().Note(0, 480).End();
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"the header id alone", {'M', 'T', 'h', 'd'}},
        {"a header shorter than 6 bytes", Concat({shortHeader, Chunk("MTrk", song.bytes())})},
        {"format 2", Smf(2, 480, {song})},
        {"no tracks announced", Concat({Header(0, 0, 480), Chunk("MTrk", song.bytes())})},
        {"0 ticks per quarter", Smf(0, 0, {song})},
        {"SMPTE at 23 fps", Smf(0, 0xE928, {song})},
        {"SMPTE with 0 ticks per frame", Smf(0, 0xE700, {song})},
        {"no track chunk", Concat({Header(0, 1, 480), Chunk("XFIH", song.bytes())})},
        {"random bytes", noise},
        {"a WAV file", testing::ToneWav(440, 0.01, 0.5)},
    };
    for (const auto& [name, file] : cases) EXPECT_EQ(MidiLengthMs(file), std::nullopt) << name;
}

// Cut anywhere, a song whose tempo map comes first can lose its end but never grow,
// and no cut makes the reader stumble.
TEST(MidiLength, EveryPrefixOfASongIsAtMostAsLong) {
    const Bytes song = testing::TestSong(16);
    const auto full = MidiLengthMs(song);
    ASSERT_EQ(full, std::optional<std::int64_t>(8000));
    for (std::size_t size = 0; size < song.size(); ++size) {
        const auto length = MidiLengthMs(std::span(song).first(size));
        EXPECT_LE(length.value_or(0), *full) << size << " bytes";
    }
}

// The game's songs are as long as their sources say.
TEST(MidiLength, GameSongsMatchTheirSources) {
    for (int n = 1; n <= 4; ++n) {
        const auto song = testing::GameFile("music", "Music" + std::to_string(n) + ".mid");
        const auto source = testing::GameFile("music", "music" + std::to_string(n) + ".abc");
        // The source states it in a comment line "% length-ms: N".
        std::ifstream in(source);
        std::optional<std::int64_t> stated;
        for (std::string text; std::getline(in, text);) {
            const std::string key = "% length-ms:";
            if (text.starts_with(key)) stated = std::stoll(text.substr(key.size()));
        }
        ASSERT_TRUE(stated) << source << " has no length-ms line";
        EXPECT_EQ(MidiLengthMs(testing::ReadFile(song)), stated) << song;
        EXPECT_GE(*stated, 45000) << song;
        EXPECT_LE(*stated, 120000) << song;
    }
}

}  // namespace
}  // namespace quorvane
