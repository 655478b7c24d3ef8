// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace quorvane::test {

class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& stem = "quorvane-test") {
        std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::filesystem::path path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return std::filesystem::path(path_) / name; }

private:
    std::string path_;
};

}  // namespace quorvane::test
