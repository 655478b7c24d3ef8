// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user settings store that keeps the table of the best players: one INI file per
// application, <config home>/<app>/<app>.ini, as earlier versions kept it.
//
// The writes of a save are gathered and reach the disk together, in one replacement of
// the file (Commit). The platform commits before the next read, box, event processing or
// the end of the program, so the game sees no difference; but a crash, a kill or a full
// disk can only ever leave the whole old table or the whole new one. When another game
// has saved in the meantime, the save is placed again in the table as it now stands.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "base/platform.h"
#include "scores/ini_file.h"
#include "scores/table_file.h"

namespace quorvane {

struct SaveFailure {
    std::string reason;  // in plain words, such as "the disk is full"
    std::string path;    // the table's file
};

class TableStore {
public:
    // `configHome`: the folder that holds each application's folder (~/.config).
    explicit TableStore(std::string configHome);

    // The stored text, or `fallback` for a missing key. A table that cannot be read
    // reads as empty. Writes not yet committed read back as written.
    std::string Read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback);
    // Creates or replaces the value, at the next Commit.
    void Write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value);

    bool Pending() const { return !batches_.empty(); }
    // Saves what was written since the last commit. On failure the file is as it was and
    // the writes are dropped.
    std::optional<SaveFailure> Commit();

    std::string FilePath(const std::string& app) const;
    // The whole file as it stands now.
    IniSections Contents(const std::string& app) const;

private:
    // The file as it was read, whole: its text too, so that a save can tell whether
    // another game has changed it since.
    struct Snapshot {
        FileIdentity identity;
        std::string text;
        IniSections sections;
    };
    using Shared = std::shared_ptr<const Snapshot>;
    struct Batch {
        Shared base;  // the table as the game last read it
        IniSections writes;
    };

    const Shared& Load(const std::string& app);
    std::optional<SaveFailure> CommitBatch(const std::string& app, Batch batch);

    std::string configHome_;
    std::map<std::string, Shared> loaded_;
    std::map<std::string, Batch> batches_;
};

// What the player is told when a save fails.
std::string SaveFailureText(const SaveFailure& failure);
// Commits what the game wrote, if anything; a save that fails is told in a warning box.
void SaveAndTell(TableStore& store, Platform& platform);
// The reason in plain words.
std::string ProblemText(const FileProblem& problem);

}  // namespace quorvane
