// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <thread>

namespace quorvane {
namespace {

constexpr auto LockPatience = std::chrono::seconds(2);
constexpr auto LockRetry = std::chrono::milliseconds(5);

// Closes a descriptor on every way out; Close() reports what close() said.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

template <typename Call>
auto Retrying(Call call) {
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR) return result;
    }
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Name(const std::string& path) { return path.substr(path.rfind('/') + 1); }

FileIdentity IdentityOf(const struct stat& st) {
    return {true,
            S_ISREG(st.st_mode),
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
}

// Reads at most `limit` bytes of an open file; more than that is an error.
std::optional<int> ReadAll(int fd, std::string& text, std::uint64_t limit) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = Retrying([&] { return ::read(fd, buffer, sizeof buffer); });
        if (count < 0) return errno;
        if (count == 0) return std::nullopt;
        if (text.size() + static_cast<std::size_t>(count) > limit) return EFBIG;
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

// None when an open file holds exactly `text`; EIO when it holds something else.
std::optional<int> Compare(int fd, std::string_view text) {
    std::string buffer(std::size_t{1} << 20, '\0');
    std::size_t at = 0;
    for (;;) {
        const ssize_t count = Retrying([&] { return ::read(fd, buffer.data(), buffer.size()); });
        if (count < 0) return errno;
        if (count == 0) return at == text.size() ? std::nullopt : std::optional<int>(EIO);
        const auto n = static_cast<std::size_t>(count);
        if (at + n > text.size() || text.compare(at, n, std::string_view(buffer.data(), n)) != 0) return EIO;
        at += n;
    }
}

std::optional<int> WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = Retrying([&] { return ::write(fd, text.data() + done, text.size() - done); });
        if (count < 0) return errno;
        if (count == 0) return EIO;
        done += static_cast<std::size_t>(count);
    }
    return std::nullopt;
}

// The new file's name beside the old one: hidden, and marked with this process, so
// that names never clash between games and a killed game's leftover can be found.
std::string TemporaryName(const std::string& path, int attempt) {
    return Folder(path) + "/." + Name(path) + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
}

// Leftovers of saves that were killed half-way. Only called under the save lock, so no
// living save owns one of them.
void RemoveLeftovers(const std::string& path) {
    const std::string prefix = "." + Name(path) + ".new-";
    DIR* dir = ::opendir(Folder(path).c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.starts_with(prefix)) ::unlink((Folder(path) + "/" + name).c_str());
    }
    ::closedir(dir);
}

// A table kept elsewhere through a symbolic link is replaced where it lies, and the
// link stays.
std::string Resolved(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* target = ::realpath(path.c_str(), nullptr);
    if (target == nullptr) return path;
    std::string resolved = target;
    std::free(target);
    return resolved;
}

std::optional<FileProblem> Problem(FileStep step, int error) { return FileProblem{step, error}; }

std::optional<FileProblem> WriteTemporary(const std::string& temporary, int fd, const std::string& text) {
    Descriptor file(fd);
    if (auto error = WriteAll(file.Get(), text)) return Problem(FileStep::Write, *error);
    if (::fsync(file.Get()) != 0) return Problem(FileStep::Write, errno);
    if (file.Close() != 0) return Problem(FileStep::Write, errno);
    // Read back through a fresh descriptor: what a later start will find.
    Descriptor check(Retrying([&] { return ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC); }));
    if (!check.Valid()) return Problem(FileStep::Verify, errno);
    if (auto differs = Compare(check.Get(), text)) return Problem(FileStep::Verify, *differs);
    return std::nullopt;
}

}  // namespace

FileIdentity Identify(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return IdentityOf(st);
}

FileContents ReadTableFile(const std::string& path) {
    FileContents contents;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) contents.problem = FileProblem{FileStep::Read, errno};
        return contents;
    }
    contents.identity = IdentityOf(st);
    // Not a FIFO or a device, which could hold the game forever.
    if (S_ISDIR(st.st_mode)) contents.problem = FileProblem{FileStep::Read, EISDIR};
    else if (!S_ISREG(st.st_mode)) contents.problem = FileProblem{FileStep::Read, EINVAL};
    else if (static_cast<std::uint64_t>(st.st_size) > MaxTableFileSize)
        contents.problem = FileProblem{FileStep::Read, EFBIG};
    if (contents.problem) return contents;

    Descriptor file(Retrying([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }));
    if (!file.Valid()) {
        contents.problem = FileProblem{FileStep::Read, errno};
        return contents;
    }
    contents.text.reserve(static_cast<std::size_t>(st.st_size));
    if (auto error = ReadAll(file.Get(), contents.text, MaxTableFileSize)) {
        contents.problem = FileProblem{FileStep::Read, *error};
        contents.text.clear();
    }
    return contents;
}

bool FileHolds(const std::string& path, std::string_view text) {
    Descriptor file(Retrying([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }));
    return file.Valid() && !Compare(file.Get(), text);
}

std::optional<FileProblem> MakeFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return std::nullopt;
        return Problem(FileStep::Folder, ENOTDIR);
    }
    if (errno != ENOENT) return Problem(FileStep::Folder, errno);
    const std::string parent = Folder(folder);
    if (parent != folder) {
        if (auto problem = MakeFolders(parent)) return problem;
    }
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return Problem(FileStep::Folder, errno);
    return std::nullopt;
}

std::optional<FileProblem> ReplaceFile(const std::string& link, const std::string& text) {
    const std::string path = Resolved(link);
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return Problem(FileStep::Replace, EISDIR);
    // The folder may allow what the file forbids: a read-only table stays as it is.
    if (replacing && ::access(path.c_str(), W_OK) != 0) return Problem(FileStep::Replace, errno);
    RemoveLeftovers(path);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = TemporaryName(path, attempt);
        fd = Retrying([&] { return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); });
        if (fd < 0 && (errno != EEXIST || attempt > 100)) return Problem(FileStep::Write, errno);
    }
    // A table its owner made private stays private.
    if (replacing) ::fchmod(fd, old.st_mode & 07777);
    auto problem = WriteTemporary(temporary, fd, text);
    if (!problem && ::rename(temporary.c_str(), path.c_str()) != 0) problem = Problem(FileStep::Replace, errno);
    if (problem) {
        ::unlink(temporary.c_str());
        return problem;
    }
    // The rename reaches the disk with the folder. Should this fail, the new table is in
    // place all the same, so it is not reported as a failed save.
    Descriptor folder(Retrying([&] { return ::open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    if (folder.Valid()) ::fsync(folder.Get());
    return std::nullopt;
}

SaveLock::SaveLock(const std::string& path) {
    fd_ = Retrying([&] { return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666); });
    // Another user's lock file can still be locked: the save then fails on what it
    // cannot write, and says so.
    if (fd_ < 0 && errno == EACCES)
        fd_ = Retrying([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); });
    if (fd_ < 0) {
        problem_ = FileProblem{FileStep::Lock, errno};
        return;
    }
    const auto giveUp = std::chrono::steady_clock::now() + LockPatience;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > giveUp) {
            problem_ = FileProblem{FileStep::Lock, errno == EINTR ? EWOULDBLOCK : errno};
            return;
        }
        std::this_thread::sleep_for(LockRetry);
    }
}

SaveLock::~SaveLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace quorvane
