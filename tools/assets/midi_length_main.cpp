// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long a Standard MIDI File plays, in milliseconds, as the game reads it.
// make_music.sh builds it to check each song's "% length-ms:" line.
//
//     midi-length FILE.mid

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "sound/midi_length.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: midi-length FILE.mid\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    const auto length = quorvane::MidiLengthMs(bytes);
    if (!length) {
        std::fprintf(stderr, "%s: not a Standard MIDI File\n", argv[1]);
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(*length));
    return 0;
}
