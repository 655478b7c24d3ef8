// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_font.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace quorvane {

std::span<const char* const> StandardSoundFonts() {
    // The small one first: loading a SoundFont is most of the cost of a song change.
    static constexpr std::array<const char*, 6> paths = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default.sf2",
    };
    return paths;
}

std::optional<std::string> FindSoundFont(std::span<const char* const> candidates) {
    for (const char* path : candidates) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) continue;
        if (std::ifstream(path, std::ios::binary)) return std::string(path);
    }
    return std::nullopt;
}

}  // namespace quorvane
