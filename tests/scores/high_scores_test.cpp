// SPDX-License-Identifier: GPL-3.0-or-later
// CheckHighScore and ViewHighScores over the in-memory platform.

#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "base/errors.h"
#include "scores/high_scores.h"

namespace quorvane {
namespace {

using test::FakePlatform;
using testing::ElementsAreArray;

struct Entry {
    std::string name;
    std::string score;  // as stored
    bool operator==(const Entry&) const = default;
};
using Table = std::vector<Entry>;  // slot 0 first

void PrintTo(const Entry& e, std::ostream* os) { *os << testing::PrintToString(e.name) << ":" << e.score; }

void Store(FakePlatform& p, const Table& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        p.Put("High Scores", SlotKey(static_cast<int>(i)), table[i].score);
        p.Put("Best Players", SlotKey(static_cast<int>(i)), table[i].name);
    }
}

// The stored table; a missing value shows as "<missing>".
Table Stored(const FakePlatform& p) {
    Table table;
    for (int i = 0; i < 10; ++i)
        table.push_back({p.Get("Best Players", SlotKey(i)).value_or("<missing>"),
                         p.Get("High Scores", SlotKey(i)).value_or("<missing>")});
    return table;
}

// Slots named n0, n1, ... holding these scores.
Table Named(const std::vector<std::string>& scores) {
    Table table;
    for (std::size_t i = 0; i < scores.size(); ++i) table.push_back({"n" + std::to_string(i), scores[i]});
    return table;
}

const Table Untouched{};  // the case's store must stay as it was

struct CheckCase {
    const char* what;
    Table before;  // empty: no table in the store
    Int32 HighScore;
    Table after;   // Untouched: nothing written
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

class CheckHighScoreTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckHighScoreTest, PlacesTheScore) {
    const CheckCase& c = GetParam();
    FakePlatform p;
    Int16 loopIndex = 0;
    Store(p, c.before);
    const auto storeBefore = p.store;
    p.answers = {"New"};

    CheckHighScore(p, loopIndex, c.HighScore, "Quorvane", 10);

    if (c.after.empty()) {
        EXPECT_TRUE(p.inputs.empty());
        EXPECT_TRUE(p.writes.empty());
        EXPECT_EQ(p.store, storeBefore);
    } else {
        ASSERT_EQ(p.inputs.size(), 1u);
        EXPECT_EQ(p.inputs[0].title, "New High Score!");
        EXPECT_EQ(p.inputs[0].prompt, "Enter your name.");
        EXPECT_THAT(Stored(p), ElementsAreArray(c.after));
        // Every slot is rewritten, score then name, the unchanged ones too.
        std::vector<FakePlatform::Write> expected;
        for (int i = 0; i < 10; ++i) {
            const Entry& e = c.after[static_cast<std::size_t>(i)];
            expected.push_back({"Quorvane", "High Scores", SlotKey(i), e.score});
            expected.push_back({"Quorvane", "Best Players", SlotKey(i), e.name});
        }
        EXPECT_THAT(p.writes, ElementsAreArray(expected));
    }
    // The table is shown in every case.
    EXPECT_EQ(p.messages.size(), 1u);
}

Table Defaults(std::size_t n) { return Table(n, Entry{"None", "0"}); }
Table Concat(Table a, const Table& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckHighScoreTest,
    testing::Values(
        // The worked example: below the older 60, the lowest entry drops out.
        CheckCase{"worked example", Named({"0", "0", "0", "0", "0", "0", "0", "30", "60", "120"}), 60,
                  {{"n1", "0"}, {"n2", "0"}, {"n3", "0"}, {"n4", "0"}, {"n5", "0"}, {"n6", "0"},
                   {"n7", "30"}, {"New", "60"}, {"n8", "60"}, {"n9", "120"}}},
        CheckCase{"empty store, first score takes the top", {}, 1, Concat(Defaults(9), {{"New", "1"}})},
        CheckCase{"empty store, score 0", {}, 0, Untouched},
        CheckCase{"empty store, negative score", {}, -5, Untouched},
        CheckCase{"equal to the lowest", Named({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}),
                  10, Untouched},
        CheckCase{"lower than all, a name None",
                  {{"None", "10"}, {"None", "20"}, {"a", "30"}, {"b", "40"}, {"c", "50"}, {"d", "60"},
                   {"e", "70"}, {"f", "80"}, {"g", "90"}, {"h", "100"}},
                  5, Untouched},
        CheckCase{"just above the lowest",
                  Named({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}), 11,
                  {{"New", "11"}, {"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}}},
        CheckCase{"above all", Named({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}), 500,
                  {{"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"n5", "60"}, {"n6", "70"},
                   {"n7", "80"}, {"n8", "90"}, {"n9", "100"}, {"New", "500"}}},
        CheckCase{"negative scores in the table",
                  Named({"-50", "-40", "-30", "-20", "-10", "0", "10", "20", "30", "40"}), -25,
                  {{"n1", "-40"}, {"n2", "-30"}, {"New", "-25"}, {"n3", "-20"}, {"n4", "-10"},
                   {"n5", "0"}, {"n6", "10"}, {"n7", "20"}, {"n8", "30"}, {"n9", "40"}}},
        // Table scores are 16-bit: a better game score is kept as the top value.
        CheckCase{"above 32767", {}, 40000, Concat(Defaults(9), {{"New", "32767"}})},
        CheckCase{"far above 32767", {}, 2147483647, Concat(Defaults(9), {{"New", "32767"}})},
        // A hand-edited score outside 16 bits reads as 0; its name is still read and kept.
        CheckCase{"out-of-range stored score",
                  Named({"10", "20", "30", "40", "50", "60", "70", "80", "90", "99999"}), 95,
                  {{"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"n5", "60"}, {"n6", "70"},
                   {"n7", "80"}, {"n8", "90"}, {"n9", "0"}, {"New", "95"}}},
        // Stored text is rewritten in plain form: "12abc" becomes "12", " 7" becomes "7".
        CheckCase{"stored text rewritten plain",
                  {{"a", " 7"}, {"b", "12abc"}, {"c", "2.5"}, {"d", ""}, {"e", "0x10"}, {"f", "1e2"},
                   {"g", "-40000"}, {"h", "+150"}, {"i", "200.0"}, {"j", "300"}},
                  1000,
                  {{"b", "12"}, {"c", "2"}, {"d", "0"}, {"e", "0"}, {"f", "100"}, {"g", "0"},
                   {"h", "150"}, {"i", "200"}, {"j", "300"}, {"New", "1000"}}}));

TEST(CheckHighScore, ReadsOnceThenAsksThenRewritesEverySlotThenShows) {
    FakePlatform p;
    Int16 loopIndex = 0;
    p.answers = {"Ann"};
    CheckHighScore(p, loopIndex, 60, "Quorvane", 10);

    std::vector<std::string> expected;
    for (int i = 0; i < 10; ++i) {
        expected.push_back("read High Scores|" + SlotKey(i));
        expected.push_back("read Best Players|" + SlotKey(i));
    }
    expected.push_back("input");
    for (int i = 0; i < 10; ++i) {
        expected.push_back("write High Scores|" + SlotKey(i));
        expected.push_back("write Best Players|" + SlotKey(i));
    }
    for (int i = 0; i < 10; ++i) {
        expected.push_back("read High Scores|" + SlotKey(i));
        expected.push_back("read Best Players|" + SlotKey(i));
    }
    expected.push_back("message");
    EXPECT_THAT(p.log, ElementsAreArray(expected));

    for (const auto& w : p.writes) EXPECT_EQ(w.app, "Quorvane");
    // Exactly the keys " 0" to " 9" in both sections, nothing else.
    ASSERT_EQ(p.store.size(), 20u);
    for (const auto& [address, value] : p.store) {
        const auto& [app, section, key] = address;
        EXPECT_EQ(app, "Quorvane");
        EXPECT_TRUE(section == "High Scores" || section == "Best Players") << section;
        EXPECT_TRUE(key.size() == 2 && key[0] == ' ' && key[1] >= '0' && key[1] <= '9') << key;
    }
    EXPECT_EQ(p.Get("High Scores", " 9"), "60");
    EXPECT_EQ(p.Get("High Scores", " 0"), "0");
}

TEST(CheckHighScore, UsesItsApplicationName) {
    FakePlatform p;
    Int16 loopIndex = 0;
    p.Put("High Scores", " 9", "500", "Other");
    CheckHighScore(p, loopIndex, 100, "Other", 10);
    // Against the other table 100 ranks below 500; the Quorvane table stays empty.
    EXPECT_EQ(p.Get("High Scores", " 8", "Other"), "100");
    EXPECT_EQ(p.Get("High Scores", " 9", "Other"), "500");
    EXPECT_FALSE(p.Get("High Scores", " 9").has_value());
}

TEST(CheckHighScore, CancelEntersAnEmptyName) {
    FakePlatform p;
    Int16 loopIndex = 0;
    CheckHighScore(p, loopIndex, 60, "Quorvane", 10);  // no answer scripted: Cancel
    EXPECT_EQ(p.Get("Best Players", " 9"), "");
    EXPECT_EQ(p.Get("High Scores", " 9"), "60");
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text.substr(0, 19), "High Scores\r\n\t\t60\r\n");
}

TEST(CheckHighScore, TheNameIsTakenAsTyped) {
    const std::string name = "  Zoë \t [x] = \"q\"; #\r\nline2  ";
    FakePlatform p;
    Int16 loopIndex = 0;
    p.answers = {name};
    CheckHighScore(p, loopIndex, 7, "Quorvane", 10);
    EXPECT_EQ(p.Get("Best Players", " 9"), name);
}

// A failing step of the check is skipped and the next one runs; nothing reaches the caller.
struct FaultCase {
    const char* failingCall;
    Table after;  // the stored table afterwards; Untouched when nothing is written
    std::size_t messages;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.failingCall; }

class CheckHighScoreFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(CheckHighScoreFaultTest, SkipsTheFailingStep) {
    const FaultCase& c = GetParam();
    FakePlatform p;
    Int16 loopIndex = 0;
    Store(p, Named({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    p.answers = {"New"};
    bool failed = false;
    p.fault = [&](const std::string& call) {
        // Only the check's own call fails, not the viewer's later one of the same name.
        if (call == c.failingCall && !failed) {
            failed = true;
            throw GameError("Device unavailable");
        }
    };
    EXPECT_NO_THROW(CheckHighScore(p, loopIndex, 55, "Quorvane", 10));
    EXPECT_TRUE(failed);
    EXPECT_THAT(Stored(p), ElementsAreArray(c.after));
    EXPECT_EQ(p.messages.size(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckHighScoreFaultTest,
    testing::Values(
        // Slot 2 reads as 0 and its name is still read.
        FaultCase{"read High Scores| 2",
                  {{"n1", "20"}, {"n2", "0"}, {"n3", "40"}, {"n4", "50"}, {"New", "55"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}},
                  1},
        // Slot 3's name stays empty, as the local list starts.
        FaultCase{"read Best Players| 3",
                  {{"n1", "20"}, {"n2", "30"}, {"", "40"}, {"n4", "50"}, {"New", "55"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}},
                  1},
        // A failed dialog enters the score with an empty name.
        FaultCase{"input",
                  {{"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"", "55"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}},
                  1},
        // One failed write leaves that value as it was; the others are written.
        FaultCase{"write High Scores| 4",
                  {{"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"New", "50"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}},
                  1},
        // A failing viewer is absorbed.
        FaultCase{"message",
                  {{"n1", "20"}, {"n2", "30"}, {"n3", "40"}, {"n4", "50"}, {"New", "55"}, {"n5", "60"},
                   {"n6", "70"}, {"n7", "80"}, {"n8", "90"}, {"n9", "100"}},
                  0}));

std::string Rows(const std::vector<std::string>& rows) {
    std::string text = "High Scores\r\n";
    for (const auto& row : rows) text += row + "\r\n";
    return text;
}

struct ViewCase {
    const char* what;
    Table stored;
    Int16 NumHighScores;
    std::string text;
};

void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.what; }

class ViewHighScoresTest : public testing::TestWithParam<ViewCase> {};

TEST_P(ViewHighScoresTest, ShowsTheTableBestFirst) {
    const ViewCase& c = GetParam();
    FakePlatform p;
    Int16 loopIndex = 0;
    loopIndex = 7;
    Store(p, c.stored);
    ViewHighScores(p, loopIndex, "Quorvane", c.NumHighScores);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, c.text);
    EXPECT_EQ(p.messages[0].title, "Quorvane");
    EXPECT_EQ(p.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(loopIndex, c.NumHighScores);
    EXPECT_TRUE(p.writes.empty());
}

const std::string NoneRow = "None\t\t0";

INSTANTIATE_TEST_SUITE_P(
    Tables, ViewHighScoresTest,
    testing::Values(
        ViewCase{"empty store", {}, 10, Rows(std::vector<std::string>(10, NoneRow))},
        ViewCase{"full table", Named({"0", "0", "0", "0", "0", "0", "30", "60", "60", "120"}), 10,
                 Rows({"n9\t\t120", "n8\t\t60", "n7\t\t60", "n6\t\t30", "n5\t\t0", "n4\t\t0", "n3\t\t0",
                       "n2\t\t0", "n1\t\t0", "n0\t\t0"})},
        ViewCase{"one entry of 60", Concat(Defaults(9), {{"Ann", "60"}}), 10,
                 Rows({"Ann\t\t60", NoneRow, NoneRow, NoneRow, NoneRow, NoneRow, NoneRow, NoneRow, NoneRow,
                       NoneRow})},
        // Stored text shows as the number it reads as; out of 16 bits it shows as 0.
        ViewCase{"hand-edited scores",
                 {{"", "-7"}, {"b", "12abc"}, {"c", " 2.5"}, {"d", "99999"}, {"e", "-40000"}, {"f", "abc"},
                  {"g", "1e3"}, {"h", "32767"}, {"i", "-32768"}, {"j", "32768"}},
                 10,
                 Rows({"j\t\t0", "i\t\t-32768", "h\t\t32767", "g\t\t1000", "f\t\t0", "e\t\t0", "d\t\t0",
                       "c\t\t2", "b\t\t12", "\t\t-7"})},
        ViewCase{"three slots", Named({"5", "6", "7", "8"}), 3, Rows({"n2\t\t7", "n1\t\t6", "n0\t\t5"})}));

TEST(CheckHighScore, LeavesLoopIndexAtTheSlotCount) {
    for (const Int32 score : {0, 60}) {
        FakePlatform p;
        Int16 loopIndex = 0;
        loopIndex = 2;
        CheckHighScore(p, loopIndex, score, "Quorvane", 10);
        EXPECT_EQ(loopIndex, 10) << score;
    }
}

TEST(CheckHighScore, ShowsTheTableItWrote) {
    FakePlatform p;
    Int16 loopIndex = 0;
    p.answers = {"Ann"};
    CheckHighScore(p, loopIndex, 60, "Quorvane", 10);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, Rows({"Ann\t\t60", NoneRow, NoneRow, NoneRow, NoneRow, NoneRow, NoneRow,
                                        NoneRow, NoneRow, NoneRow}));
}

}  // namespace
}  // namespace quorvane
