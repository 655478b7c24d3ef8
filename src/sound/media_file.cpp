// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/media_file.h"

#include <filesystem>
#include <fstream>

namespace quorvane {

std::optional<std::string> ReadMediaFile(const std::string& path, std::size_t limit,
                                         std::vector<std::uint8_t>& bytes) {
    // A NUL would cut the name short at the system call and open another file.
    if (path.empty() || path.find('\0') != std::string::npos) return "a bad file name";
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "not found";
    // Not a FIFO or device, which could block the game forever.
    if (!std::filesystem::is_regular_file(status)) return "not a file";
    const std::string tooLarge = "larger than " + std::to_string(limit >> 20) + " MB";
    if (std::filesystem::file_size(path, error) > limit) return tooLarge;
    std::ifstream in(path, std::ios::binary);
    if (!in) return "it cannot be read";
    bytes.clear();
    char buffer[8192];
    // It may still grow while it is read.
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + count > limit) return tooLarge;
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    if (in.bad()) return "it cannot be read";
    return std::nullopt;
}

}  // namespace quorvane
