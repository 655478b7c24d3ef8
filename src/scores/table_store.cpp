// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_store.h"

#include <cerrno>
#include <cstring>

#include "base/product.h"
#include "scores/table_merge.h"

namespace quorvane {
namespace {

std::string Lookup(const IniSections& sections, const std::string& section, const std::string& key) {
    const auto s = sections.find(section);
    if (s == sections.end()) return {};
    const auto k = s->second.find(key);
    return k == s->second.end() ? std::string() : k->second;
}

bool Holds(const IniSections& sections, const std::string& section, const std::string& key) {
    const auto s = sections.find(section);
    return s != sections.end() && s->second.count(key) != 0;
}

// The path the player is told stays tidy: no doubled slashes.
std::string Tidy(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder.empty() ? std::string(".") : folder;
}

}  // namespace

TableStore::TableStore(std::string configHome) : configHome_(Tidy(std::move(configHome))) {}

std::string TableStore::FilePath(const std::string& app) const {
    return configHome_ + "/" + app + "/" + app + ".ini";
}

IniSections TableStore::Contents(const std::string& app) const {
    return ParseIni(ReadTableFile(FilePath(app)).text);
}

// Reads the file again only when it has changed: the check reads twenty values in a row,
// and the file may be large.
const TableStore::Shared& TableStore::Load(const std::string& app) {
    const std::string path = FilePath(app);
    Shared& loaded = loaded_[app];
    const FileIdentity now = Identify(path);
    if (!loaded || now != loaded->identity || !now.exists) {
        FileContents contents = ReadTableFile(path);
        IniSections sections = ParseIni(contents.text);
        loaded = std::make_shared<const Snapshot>(
            Snapshot{contents.identity, std::move(contents.text), std::move(sections)});
    }
    return loaded;
}

std::string TableStore::Read(const std::string& app, const std::string& section, const std::string& key,
                             const std::string& fallback) {
    if (const auto batch = batches_.find(app); batch != batches_.end() && Holds(batch->second.writes, section, key))
        return Lookup(batch->second.writes, section, key);
    const IniSections& sections = Load(app)->sections;
    return Holds(sections, section, key) ? Lookup(sections, section, key) : fallback;
}

void TableStore::Write(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) {
    auto batch = batches_.find(app);
    if (batch == batches_.end()) {
        // The table this save was made against is the one the game last read.
        const auto loaded = loaded_.find(app);
        Shared base = loaded != loaded_.end() && loaded->second ? loaded->second : Load(app);
        batch = batches_.emplace(app, Batch{std::move(base), {}}).first;
    }
    batch->second.writes[section][key] = value;
}

std::optional<SaveFailure> TableStore::Commit() {
    std::optional<SaveFailure> failure;
    for (auto& [app, batch] : batches_) {
        auto problem = CommitBatch(app, std::move(batch));
        if (!failure) failure = std::move(problem);
    }
    batches_.clear();
    return failure;
}

std::optional<SaveFailure> TableStore::CommitBatch(const std::string& app, Batch batch) {
    const std::string path = FilePath(app);
    const auto fail = [&](const FileProblem& problem) { return SaveFailure{ProblemText(problem), path}; };

    if (auto problem = MakeFolders(configHome_ + "/" + app)) return fail(*problem);
    // Held only for the fresh read and the replacement, never while a box is open.
    const SaveLock lock(configHome_ + "/" + app + "/" + app + ".lock");
    if (lock.Problem()) return fail(*lock.Problem());

    // Most often no other game has saved since the read, and the file is read again
    // only to compare it.
    const Snapshot& base = *batch.base;
    const FileIdentity now = Identify(path);
    IniSections fresh;
    bool unchanged = now.exists == base.identity.exists && (!now.exists || (now.regular && FileHolds(path, base.text)));
    if (!unchanged) {
        FileContents contents = ReadTableFile(path);
        // A table that cannot be read cannot be saved over without losing it.
        if (contents.problem) return fail(*contents.problem);
        fresh = ParseIni(contents.text);
    }
    const IniSections& current = unchanged ? base.sections : fresh;
    IniSections next = MergeSave(base.sections, std::move(batch.writes), current);
    if (next == current && now.exists) return std::nullopt;
    std::string text = FormatIni(next);
    if (auto problem = ReplaceFile(path, text)) return fail(*problem);
    loaded_[app] = std::make_shared<const Snapshot>(Snapshot{Identify(path), std::move(text), std::move(next)});
    return std::nullopt;
}

std::string ProblemText(const FileProblem& problem) {
    switch (problem.error) {
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "your disk quota is used up";
        case EROFS: return "the disk is read-only";
        case EFBIG: return "the file is too large to be a table of best players";
        case EISDIR: return "a folder stands where the file should be";
        case EINVAL:
            if (problem.step == FileStep::Read) return "the file is not a plain file";
            break;
        case ENOTDIR: return "a file stands where its folder should be";
        case EWOULDBLOCK: return "another game of Quorvane kept the table busy";
        case EIO:
            if (problem.step == FileStep::Verify) return "the file written could not be read back unchanged";
            return "the disk reported an error";
        case EACCES:
        case EPERM:
            switch (problem.step) {
                case FileStep::Folder: return "Quorvane may not create its folder there";
                case FileStep::Read: return "Quorvane may not read the file";
                case FileStep::Lock:
                case FileStep::Write: return "its folder is read-only";
                case FileStep::Replace:
                case FileStep::Verify: return "the file is read-only";
            }
            break;
        default: break;
    }
    return std::strerror(problem.error);
}

void SaveAndTell(TableStore& store, Platform& platform) {
    if (!store.Pending()) return;
    if (const auto failure = store.Commit())
        platform.ShowMessage(SaveFailureText(*failure), std::string(ProductTitle), MessageIcon::Warning);
}

std::string SaveFailureText(const SaveFailure& failure) {
    return "Your score could not be saved: " + failure.reason + ".\r\n\r\nThe table of the best players in " +
           failure.path + " is as it was before.";
}

}  // namespace quorvane
