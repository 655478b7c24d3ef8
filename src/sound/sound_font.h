// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which General MIDI SoundFont the songs are played with.

#include <optional>
#include <span>
#include <string>

namespace quorvane {

// The Debian package of the SoundFont the game is made for.
inline constexpr const char* SoundFontPackage = "timgm6mb-soundfont";

// Standard places of a General MIDI SoundFont, best first.
std::span<const char* const> StandardSoundFonts();

// The first of `candidates` that is a readable regular file; none when no such file.
std::optional<std::string> FindSoundFont(std::span<const char* const> candidates = StandardSoundFonts());

}  // namespace quorvane
