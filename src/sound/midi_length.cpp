// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/midi_length.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quorvane {
namespace {

// Exact sums of tick * tempo products: a hostile file can hold 2^28-tick deltas by the
// hundred thousand, which overflows 64 bits.
__extension__ typedef unsigned __int128 Wide;

constexpr std::uint32_t DefaultTempo = 500000;  // microseconds per quarter note: 120 bpm

// A cursor over bytes that never reads past its end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Left() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    std::optional<std::uint8_t> Byte() {
        if (AtEnd()) return std::nullopt;
        return bytes_[pos_++];
    }
    std::optional<std::uint8_t> Peek() const {
        if (AtEnd()) return std::nullopt;
        return bytes_[pos_];
    }
    std::optional<std::uint32_t> BigEndian(std::size_t count) {
        if (Left() < count) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) value = (value << 8) | bytes_[pos_++];
        return value;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    std::optional<std::uint32_t> Vlq() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = Byte();
            if (!b) return std::nullopt;
            value = (value << 7) | (*b & 0x7Fu);
            if ((*b & 0x80u) == 0) return value;
        }
        return std::nullopt;
    }
    bool Skip(std::size_t count) {
        if (Left() < count) return false;
        pos_ += count;
        return true;
    }
    // The next `count` bytes, or fewer where the data ends.
    std::span<const std::uint8_t> Take(std::size_t count) {
        const std::size_t n = std::min(count, Left());
        const auto part = bytes_.subspan(pos_, n);
        pos_ += n;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t microsPerQuarter;
};

// Data bytes that follow a channel status byte.
int DataBytes(std::uint8_t status) {
    switch (status & 0xF0u) {
        case 0xC0:
        case 0xD0: return 1;
        default: return 2;
    }
}

// Reads one track's events; returns the tick of its last complete event and adds its
// tempo changes to `tempos`.
std::uint64_t ReadTrack(std::span<const std::uint8_t> data, std::vector<TempoChange>& tempos) {
    Reader in(data);
    std::uint64_t tick = 0;
    std::uint64_t lastTick = 0;
    std::uint8_t running = 0;  // running status; meta and sysex events leave it alone
    while (!in.AtEnd()) {
        const auto delta = in.Vlq();
        if (!delta) break;
        const auto first = in.Peek();
        if (!first) break;
        const std::uint64_t at = tick + *delta;
        if (*first == 0xFF) {
            in.Byte();
            const auto type = in.Byte();
            const auto length = type ? in.Vlq() : std::nullopt;
            if (!length) break;
            const auto body = in.Take(*length);
            if (body.size() < *length) break;
            tick = lastTick = at;
            if (*type == 0x51 && body.size() == 3) {
                tempos.push_back({at, (std::uint32_t{body[0]} << 16) | (std::uint32_t{body[1]} << 8) | body[2]});
            } else if (*type == 0x2F) {
                break;  // End of Track
            }
        } else if (*first == 0xF0 || *first == 0xF7) {
            in.Byte();
            const auto length = in.Vlq();
            if (!length || !in.Skip(*length)) break;
            tick = lastTick = at;
        } else if (*first >= 0xF1) {
            break;  // system common and real-time messages have no place in a file
        } else {
            std::uint8_t status = running;
            if (*first & 0x80u) {
                status = *first;
                in.Byte();
            }
            if (status == 0) break;  // a data byte with no status to run on
            if (!in.Skip(static_cast<std::size_t>(DataBytes(status)))) break;
            running = status;
            tick = lastTick = at;
        }
    }
    return lastTick;
}

std::int64_t RoundedDivide(Wide numerator, Wide denominator) {
    const Wide ms = (numerator + denominator / 2) / denominator;
    constexpr Wide most = static_cast<Wide>(INT64_MAX);
    return static_cast<std::int64_t>(ms > most ? most : ms);
}

}  // namespace

std::optional<std::int64_t> MidiLengthMs(std::span<const std::uint8_t> file) {
    Reader in(file);
    const auto id = in.BigEndian(4);
    const auto headerLength = in.BigEndian(4);
    if (!id || *id != 0x4D546864u /* MThd */ || !headerLength || *headerLength < 6) return std::nullopt;
    const auto format = in.BigEndian(2);
    const auto trackCount = in.BigEndian(2);
    const auto division = in.BigEndian(2);
    if (!division || !in.Skip(*headerLength - 6)) return std::nullopt;
    if (*format > 1 || *trackCount == 0) return std::nullopt;

    // Ticks per quarter note, or SMPTE frames per second and ticks per frame.
    const bool smpte = (*division & 0x8000u) != 0;
    const std::uint32_t ticksPerQuarter = *division;
    std::uint32_t framesNumerator = 0;  // frames per second = numerator / denominator
    std::uint32_t framesDenominator = 1;
    std::uint32_t ticksPerFrame = 0;
    if (smpte) {
        const int fps = -static_cast<int>(static_cast<std::int8_t>(*division >> 8));
        ticksPerFrame = *division & 0xFFu;
        switch (fps) {
            case 24: case 25: case 30: framesNumerator = static_cast<std::uint32_t>(fps); break;
            case 29: framesNumerator = 30000; framesDenominator = 1001; break;  // drop-frame
            default: return std::nullopt;
        }
        if (ticksPerFrame == 0) return std::nullopt;
    } else if (ticksPerQuarter == 0) {
        return std::nullopt;
    }

    std::vector<TempoChange> tempos;
    std::uint64_t endTick = 0;
    bool anyTrack = false;
    for (std::uint32_t found = 0; found < *trackCount && in.Left() >= 8;) {
        const auto chunk = in.BigEndian(4);
        const auto length = in.BigEndian(4);
        const auto data = in.Take(*length);
        if (*chunk != 0x4D54726Bu /* MTrk */) continue;  // alien chunks are skipped
        ++found;
        anyTrack = true;
        endTick = std::max(endTick, ReadTrack(data, tempos));
    }
    if (!anyTrack) return std::nullopt;

    if (smpte) {
        // ms = ticks * 1000 / (ticksPerFrame * frames per second)
        return RoundedDivide(Wide{endTick} * 1000u * framesDenominator,
                             Wide{ticksPerFrame} * framesNumerator);
    }

    // Tempo changes of every track form one map; at equal ticks the later one read wins.
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    Wide micros = 0;  // in units of 1 / ticksPerQuarter microseconds
    std::uint64_t tick = 0;
    std::uint32_t tempo = DefaultTempo;
    for (const TempoChange& change : tempos) {
        if (change.tick >= endTick) break;
        micros += Wide{change.tick - tick} * tempo;
        tick = change.tick;
        tempo = change.microsPerQuarter;
    }
    micros += Wide{endTick - tick} * tempo;
    return RoundedDivide(micros, Wide{ticksPerQuarter} * 1000u);
}

}  // namespace quorvane
