// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files the game plays as sound effects: RIFF/WAVE files, small and short. Any
// other file named like an effect (a song, a text, something huge) stays silent, so
// that nothing in the program's folder can hold the game while it decodes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorvane {

inline constexpr std::size_t MaxEffectBytes = std::size_t{2} << 20;
inline constexpr int MaxEffectSeconds = 10;

// Why these bytes are not an effect the game plays, in plain words; none when they are.
std::optional<std::string> WaveProblem(std::span<const std::uint8_t> file);

}  // namespace quorvane
