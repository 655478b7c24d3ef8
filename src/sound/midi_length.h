// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a Standard MIDI File plays. SDL_mixer cannot tell (it answers -1 for MIDI),
// and the song files are whatever lies beside the program, so this reader trusts no
// byte of its input.

#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

// The playing time of a Standard MIDI File held in memory, in milliseconds rounded to
// the nearest, from the first tick to the last event of the longest track, following
// every tempo change of every track. No value when the bytes are not a format 0 or
// format 1 file (bad header, unknown division, no track chunk).
//
// Damage inside a track is tolerated as players tolerate it: a track ends at its
// End of Track event, at the end of its chunk, or just before the first event that is
// cut short or malformed; a chunk whose length runs past the file is read to the end
// of the file.
std::optional<std::int64_t> MidiLengthMs(std::span<const std::uint8_t> file);

}  // namespace quorvane
