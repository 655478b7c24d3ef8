// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a song or an effect from the program's folder, whatever lies there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// Reads the whole file into `bytes` when it is a regular file of at most `limit` bytes;
// otherwise says why not, in plain words ("not found", "larger than 2 MB", ...). The
// size is looked at first, so a huge file is never read.
std::optional<std::string> ReadMediaFile(const std::string& path, std::size_t limit,
                                         std::vector<std::uint8_t>& bytes);

}  // namespace quorvane
