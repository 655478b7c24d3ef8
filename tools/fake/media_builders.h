// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small song and sound files built by the tests and benchmarks, and where the game's
// own files lie.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

inline void BigEndian(Bytes& to, std::uint32_t value, int count) {
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8) to.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline Bytes Vlq(std::uint32_t value) {
    Bytes out{static_cast<std::uint8_t>(value & 0x7F)};
    while (value >>= 7) out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    return out;
}

// A track's events, each a delta time followed by raw event bytes.
class Track {
public:
    Track& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        Append(bytes_, Vlq(delta));
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    Track& Event(std::uint32_t delta, const Bytes& bytes) {
        Append(bytes_, Vlq(delta));
        Append(bytes_, bytes);
        return *this;
    }
    Track& Tempo(std::uint32_t delta, std::uint32_t microsPerQuarter) {
        return Event(delta,
                     {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                      static_cast<std::uint8_t>(microsPerQuarter >> 8), static_cast<std::uint8_t>(microsPerQuarter)});
    }
    Track& Note(std::uint32_t delta, std::uint32_t duration, std::uint8_t key = 60, std::uint8_t channel = 0) {
        Event(delta, {static_cast<std::uint8_t>(0x90 | channel), key, 100});
        return Event(duration, {static_cast<std::uint8_t>(0x80 | channel), key, 0});
    }
    Track& End(std::uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }
    Track& Raw(std::initializer_list<std::uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

inline Bytes Chunk(const char* id, const Bytes& data, std::optional<std::uint32_t> statedLength = {}) {
    Bytes out(id, id + 4);
    BigEndian(out, statedLength.value_or(static_cast<std::uint32_t>(data.size())), 4);
    Append(out, data);
    return out;
}

inline Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    Bytes data;
    BigEndian(data, format, 2);
    BigEndian(data, tracks, 2);
    BigEndian(data, division, 2);
    return Chunk("MThd", data);
}

inline Bytes Smf(std::uint16_t format, std::uint16_t division, std::initializer_list<Track> tracks) {
    Bytes out = Header(format, static_cast<std::uint16_t>(tracks.size()), division);
    for (const Track& track : tracks) Append(out, Chunk("MTrk", track.bytes()));
    return out;
}

// A song of `quarters` quarter notes at 120 bpm: melody, bass and drums, so it sounds
// through a General MIDI SoundFont. It lasts quarters * 500 ms.
inline Bytes TestSong(int quarters) {
    Track tempo, melody, bass, drums;
    tempo.Tempo(0, 500000).End(static_cast<std::uint32_t>(quarters) * 96);
    melody.Event(0, {0xC0, 0});
    bass.Event(0, {0xC1, 33});
    for (int q = 0; q < quarters; ++q) {
        melody.Note(0, 96, static_cast<std::uint8_t>(60 + (q * 5) % 12), 0);
        bass.Note(0, 96, static_cast<std::uint8_t>(36 + (q % 2) * 7), 1);
        drums.Note(0, 96, q % 2 ? 38 : 36, 9);
    }
    return Smf(1, 96, {tempo, melody.End(), bass.End(), drums.End()});
}

// A mono 16-bit WAV file of a sine tone.
inline Bytes ToneWav(double hertz, double seconds, double amplitude, int rate = 44100) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    auto little = [](Bytes& to, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    Bytes out{'R', 'I', 'F', 'F'};
    little(out, 36 + frames * 2, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    little(out, 16, 4);
    little(out, 1, 2);  // PCM
    little(out, 1, 2);  // mono
    little(out, static_cast<std::uint32_t>(rate), 4);
    little(out, static_cast<std::uint32_t>(rate * 2), 4);
    little(out, 2, 2);
    little(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    little(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * 32767.0 * std::sin(2.0 * std::numbers::pi * hertz * i / rate);
        little(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(std::lround(value))), 2);
    }
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// One of the game's own song or sound files, in the sources.
inline std::filesystem::path GameFile(const std::string& folder, const std::string& name) {
    return std::filesystem::path(QUORVANE_SOURCE_DIR) / "assets" / folder / name;
}

}  // namespace quorvane::testing
