// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's folder, where its songs and effects lie.

#include <string>

namespace quorvane {

inline constexpr char FolderSeparator = '/';

// The folder as the game keeps it: ending in the separator, which is added where it
// is missing.
inline std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != FolderSeparator) folder += FolderSeparator;
    return folder;
}

// A file directly inside the folder (which ends in the separator).
inline std::string InFolder(const std::string& folder, const std::string& file) { return folder + file; }

}  // namespace quorvane
