// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the MIDI length reader on any bytes. The sanitizers catch a read
// out of bounds or an overflow; the checks below catch an answer that cannot be.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sound/midi_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto length = quorvane::MidiLengthMs(bytes);
    if (length && *length < 0) __builtin_trap();
    // Every file the reader accepts holds a whole header (14 bytes) and the id and
    // length of at least one track chunk (8 more).
    if (length && size < 22) __builtin_trap();
    return 0;
}
