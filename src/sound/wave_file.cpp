// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wave_file.h"

#include <cstring>

namespace quorvane {
namespace {

std::uint32_t Little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool Id(std::span<const std::uint8_t> bytes, std::size_t at, const char* id) {
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

}  // namespace

std::optional<std::string> WaveProblem(std::span<const std::uint8_t> file) {
    if (file.size() > MaxEffectBytes) return "larger than 2 MB";
    if (file.size() < 12 || !Id(file, 0, "RIFF") || !Id(file, 8, "WAVE")) return "not a WAV file";
    std::optional<std::uint32_t> bytesPerSecond;
    std::optional<std::uint64_t> dataBytes;
    // Chunk by chunk, each padded to an even length; a chunk cut short ends the file.
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::uint64_t size = Little32(file, at + 4);
        const std::size_t body = at + 8;
        const std::uint64_t available = std::min<std::uint64_t>(size, file.size() - body);
        if (Id(file, at, "fmt ") && available >= 16) bytesPerSecond = Little32(file, body + 8);
        if (Id(file, at, "data")) dataBytes = available;
        at = static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), body + size + (size & 1)));
    }
    if (!bytesPerSecond || !dataBytes) return "a WAV file without its format or its sound";
    if (*bytesPerSecond == 0) return "a WAV file with no playing rate";
    if (*dataBytes > std::uint64_t{*bytesPerSecond} * MaxEffectSeconds) return "longer than 10 seconds";
    return std::nullopt;
}

}  // namespace quorvane
