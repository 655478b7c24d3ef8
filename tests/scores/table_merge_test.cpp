// SPDX-License-Identifier: GPL-3.0-or-later
// A save made against a table that another game has changed since: the save's entry is
// placed again by the table's rule.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scores/table_merge.h"
#include "scores/table_rules.h"

namespace quorvane {
namespace {

using Rows = std::vector<std::pair<std::string, int>>;  // slot 0 first

IniSections Table(const Rows& rows) {
    IniSections sections;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        sections[PlayersSection][SlotKey(static_cast<int>(i))] = rows[i].first;
        sections[ScoresSection][SlotKey(static_cast<int>(i))] = std::to_string(rows[i].second);
    }
    return sections;
}

// Ten rows: n0 to n9 with these scores.
Rows Named(const std::vector<int>& scores) {
    Rows rows;
    for (std::size_t i = 0; i < scores.size(); ++i) rows.emplace_back("n" + std::to_string(i), scores[i]);
    return rows;
}

// `rows` with `name` placed as the check places it.
Rows With(Rows rows, const std::string& name, int score) {
    std::size_t target = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (score > rows[i].second) target = i;
    if (target == rows.size()) return rows;
    for (std::size_t i = 0; i < target; ++i) rows[i] = rows[i + 1];
    rows[target] = {name, score};
    return rows;
}

struct MergeCase {
    const char* what;
    Rows base;   // what the game read
    Rows fresh;  // what the file holds at the save
    std::string name;
    int score;
    Rows expected;
};

void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.what; }

class MergeTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeTest, PlacesTheSavedEntryInTheTableAsItNowStands) {
    const MergeCase& c = GetParam();
    const IniSections written = Table(With(c.base, c.name, c.score));
    EXPECT_EQ(MergeSave(Table(c.base), written, Table(c.fresh)), Table(c.expected));
}

const Rows Plain = Named({0, 0, 0, 0, 0, 0, 0, 30, 60, 120});

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeTest,
    testing::Values(
        MergeCase{"nothing changed", Plain, Plain, "Ann", 50, With(Plain, "Ann", 50)},
        MergeCase{"another entry came first", Plain, With(Plain, "Bob", 90), "Ann", 50,
                  With(With(Plain, "Bob", 90), "Ann", 50)},
        MergeCase{"the other entry is equal and older", Plain, With(Plain, "Bob", 50), "Ann", 50,
                  With(With(Plain, "Bob", 50), "Ann", 50)},
        MergeCase{"no longer good enough", Named({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), Named({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}),
                  "Ann", 5, Named({9, 9, 9, 9, 9, 9, 9, 9, 9, 9})},
        MergeCase{"the table was cleared", Plain, Rows{}, "Ann", 50,
                  With(Rows(10, {"None", 0}), "Ann", 50)}));

TEST(Merge, KeepsWhatElseTheFileHolds) {
    IniSections fresh = Table(Plain);
    fresh["Elsewhere"]["key"] = "kept";
    const IniSections merged = MergeSave(Table(Plain), Table(With(Plain, "Ann", 50)), fresh);
    EXPECT_EQ(merged.at("Elsewhere").at("key"), "kept");
    EXPECT_EQ(merged.at(PlayersSection).at(SlotKey(7)), "Ann");
}

}  // namespace
}  // namespace quorvane
