// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_merge.h"

#include <algorithm>
#include <vector>

#include "scores/table_rules.h"

namespace quorvane {
namespace {

struct Table {
    std::vector<std::string> names;
    std::vector<Int16> scores;
};

std::string Value(const IniSections& sections, const char* section, const std::string& key, const char* fallback) {
    const auto s = sections.find(section);
    if (s == sections.end()) return fallback;
    const auto k = s->second.find(key);
    return k == s->second.end() ? fallback : k->second;
}

// The table as a slot reads it.
Table TableOf(const IniSections& sections) {
    Table table;
    for (int slot = 0; slot < HighScoreSlots; ++slot) {
        table.names.push_back(Value(sections, PlayersSection, SlotKey(slot), DefaultName));
        table.scores.push_back(ScoreOrZero(Value(sections, ScoresSection, SlotKey(slot), DefaultScore)));
    }
    return table;
}

bool IsTableKey(const std::string& section, const std::string& key) {
    if (section != ScoresSection && section != PlayersSection) return false;
    for (int slot = 0; slot < HighScoreSlots; ++slot)
        if (key == SlotKey(slot)) return true;
    return false;
}

// Every value of `written` that lies outside the table.
void Apply(IniSections& sections, const IniSections& written) {
    for (const auto& [section, keys] : written)
        for (const auto& [key, value] : keys)
            if (!IsTableKey(section, key)) sections[section][key] = value;
}

// The entries of `after` that `before` does not hold, counting repeats.
std::vector<std::pair<std::string, Int16>> Added(const Table& before, const Table& after) {
    std::vector<std::pair<std::string, Int16>> old;
    for (std::size_t i = 0; i < before.names.size(); ++i) old.emplace_back(before.names[i], before.scores[i]);
    std::vector<std::pair<std::string, Int16>> added;
    for (std::size_t i = 0; i < after.names.size(); ++i) {
        const std::pair<std::string, Int16> entry{after.names[i], after.scores[i]};
        const auto found = std::find(old.begin(), old.end(), entry);
        if (found != old.end()) old.erase(found);
        else added.push_back(entry);
    }
    return added;
}

void Place(IniSections& sections, const std::string& name, Int16 score) {
    Table table = TableOf(sections);
    const auto target = TargetSlot(table.scores, score);
    if (!target) return;
    MakeRoom(table.names, table.scores, *target);
    table.names[*target] = name;
    table.scores[*target] = score;
    for (int slot = 0; slot < HighScoreSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        sections[ScoresSection][SlotKey(slot)] = std::to_string(table.scores[i]);
        sections[PlayersSection][SlotKey(slot)] = table.names[i];
    }
}

}  // namespace

IniSections MergeSave(const IniSections& base, IniSections writes, const IniSections& fresh) {
    // The writes are taken over whole, and only what they leave out is copied: a long
    // name is moved, not copied again.
    IniSections written = std::move(writes);
    for (const auto& [section, keys] : base)
        for (const auto& [key, value] : keys) written[section].try_emplace(key, value);
    if (fresh == base) return written;

    IniSections merged = fresh;
    Apply(merged, written);
    for (const auto& [name, score] : Added(TableOf(base), TableOf(written))) Place(merged, name, score);
    return merged;
}

}  // namespace quorvane
