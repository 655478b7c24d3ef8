// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table's file on disk: read whole, replaced whole, and a lock for the moment of a
// save. Every system call is checked; a problem comes back as what failed and why.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// What a save or a read was doing when it failed: making the folder, taking the lock,
// reading the table, writing the new file beside it, replacing the old one, reading the
// new one back.
enum class FileStep { Folder, Lock, Read, Write, Replace, Verify };

struct FileProblem {
    FileStep step;
    int error;  // an errno value
};

// Tells one version of a file from another without reading it.
struct FileIdentity {
    bool exists = false;
    bool regular = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modified = 0, changed = 0;  // nanoseconds
    bool operator==(const FileIdentity&) const = default;
};

struct FileContents {
    FileIdentity identity;
    std::string text;                   // empty when missing or unreadable
    std::optional<FileProblem> problem;  // set when it exists and cannot be read
};

// A table file larger than this is not one the game wrote; it is not read.
inline constexpr std::uint64_t MaxTableFileSize = std::uint64_t{64} << 20;

FileIdentity Identify(const std::string& path);
// The whole file; a missing file is empty text and no problem.
FileContents ReadTableFile(const std::string& path);

// Whether the file at `path` holds exactly `text`; compared piece by piece, so a large
// table is not read into memory a second time.
bool FileHolds(const std::string& path, std::string_view text);

// Creates `folder` and its parents as needed.
std::optional<FileProblem> MakeFolders(const std::string& folder);

// Replaces the file at `path` with `text` in one step: written beside it, synced, read
// back and compared, then renamed over it. Until the rename, readers see the old file.
std::optional<FileProblem> ReplaceFile(const std::string& path, const std::string& text);

// Held while a save reads the table afresh and replaces it. The kernel lets go of it
// when the process ends, so a game killed in a save never blocks the next one.
class SaveLock {
public:
    explicit SaveLock(const std::string& path);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // Why the lock could not be taken; none once it is held.
    const std::optional<FileProblem>& Problem() const { return problem_; }

private:
    int fd_ = -1;
    std::optional<FileProblem> problem_;
};

}  // namespace quorvane
