// SPDX-License-Identifier: GPL-3.0-or-later
// Bad stored scores and awkward names through the real table store: the check and the
// viewer keep going, keep every other slot, write back only plain 16-bit scores, and
// leave a file that Qt's own settings class reads as written.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <QSettings>
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "config_home.h"
#include "scores/high_scores.h"
#include "scores/table_store.h"
#include "store_platform.h"

namespace quorvane {
namespace {

// Plain decimal, no blanks or leading zeros, inside 16 bits: 0|-?[1-9][0-9]*.
bool IsTableScore(const std::string& text) {
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    if (text.size() == digits || text.size() > digits + 5) return false;
    for (std::size_t i = digits; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    if (text[digits] == '0' && text != "0") return false;
    const long value = std::stol(text);
    return value >= -32768 && value <= 32767;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xff);
    return bytes;
}

enum class How { Store, RawFile };

struct BadCase {
    const char* what;
    std::string score = "50";  // slot 4's stored score
    std::optional<int> reads = 50;  // what it reads as; none: any table score
    How how = How::Store;
    std::string name = "p6";  // slot 6's stored name and the name typed for the new entry
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.what; }

constexpr int BadSlot = 4;
constexpr int NameSlot = 6;
constexpr Int32 Better = 40000;  // beats any 16-bit score, so the entry always takes slot 9

std::string Key(int slot) { return SlotKey(slot); }

// The table before: slot i holds p<i> with score 10 * (i + 1), but for the case's values.
std::string NameOf(const BadCase& c, int slot) { return slot == NameSlot ? c.name : "p" + std::to_string(slot); }
std::string ScoreOf(int slot) { return std::to_string(10 * (slot + 1)); }

void WriteTable(const BadCase& c) {
    TableStore store(test::ConfigHome());
    for (int i = 0; i < 10; ++i) {
        store.Write("Quorvane", "Best Players", Key(i), NameOf(c, i));
        if (i != BadSlot) store.Write("Quorvane", "High Scores", Key(i), ScoreOf(i));
    }
    if (c.how == How::Store) {
        store.Write("Quorvane", "High Scores", Key(BadSlot), c.score);
        ASSERT_FALSE(store.Commit());
    } else {
        ASSERT_FALSE(store.Commit());
        // As a person or a broken disk might leave it; last in the file, in the scores
        // section, so whatever it holds cannot spill into the other slots.
        std::ofstream file(test::TableFile(), std::ios::binary | std::ios::app);
        file << "%20" << BadSlot << "=" << c.score << "\n";
    }
}

class BadInputTest : public testing::TestWithParam<BadCase> {
protected:
    void SetUp() override { test::ClearTable(); }
};

std::string Row(const std::string& name, const std::string& score) { return name + "\t\t" + score + "\r\n"; }

TEST_P(BadInputTest, TheViewerShowsTheTable) {
    const BadCase& c = GetParam();
    WriteTable(c);
    test::StorePlatform p(test::ConfigHome());
    Int16 loopIndex = 0;
    ASSERT_NO_THROW(ViewHighScores(p, loopIndex, "Quorvane", 10));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(loopIndex, 10);

    // Best first: the rows above the bad slot, its row, the rows below it.
    std::string above = "High Scores\r\n";
    for (int slot = 9; slot > BadSlot; --slot) above += Row(NameOf(c, slot), ScoreOf(slot));
    std::string below;
    for (int slot = BadSlot - 1; slot >= 0; --slot) below += Row(NameOf(c, slot), ScoreOf(slot));
    const std::string& text = p.messages[0].text;
    ASSERT_GE(text.size(), above.size() + below.size());
    EXPECT_EQ(text.substr(0, above.size()), above);
    EXPECT_EQ(text.substr(text.size() - below.size()), below);
    const std::string bad = text.substr(above.size(), text.size() - above.size() - below.size());
    const std::string name = "p" + std::to_string(BadSlot) + "\t\t";
    ASSERT_EQ(bad.substr(0, name.size()), name);
    ASSERT_EQ(bad.substr(bad.size() - 2), "\r\n");
    const std::string shown = bad.substr(name.size(), bad.size() - name.size() - 2);
    if (c.reads) EXPECT_EQ(shown, std::to_string(*c.reads));
    else EXPECT_TRUE(IsTableScore(shown)) << shown;
}

TEST_P(BadInputTest, TheCheckKeepsEveryOtherSlotAndWritesPlainText) {
    const BadCase& c = GetParam();
    WriteTable(c);
    test::StorePlatform p(test::ConfigHome());
    Int16 loopIndex = 0;
    p.answers = {c.name};
    ASSERT_NO_THROW(CheckHighScore(p, loopIndex, Better, "Quorvane", 10));
    ASSERT_EQ(p.inputs.size(), 1u);
    ASSERT_EQ(p.messages.size(), 1u);

    // Slots 1 to 9 move down one; the new entry is on top.
    std::vector<test::FakePlatform::Write> expected;
    for (int slot = 0; slot < 10; ++slot) {
        const int from = slot + 1;
        std::string score = from == 10 ? "32767" : ScoreOf(from);
        if (from == BadSlot) score = c.reads ? std::to_string(*c.reads) : "";
        expected.push_back({"Quorvane", "High Scores", Key(slot), score});
        expected.push_back({"Quorvane", "Best Players", Key(slot), from == 10 ? c.name : NameOf(c, from)});
    }
    ASSERT_EQ(p.writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& w = p.writes[i];
        if (w.section == "High Scores") {
            EXPECT_TRUE(IsTableScore(w.value)) << testing::PrintToString(w.value);
            if (expected[i].value.empty()) continue;  // what the random bytes read as
        }
        EXPECT_EQ(w, expected[i]) << "write " << i;
    }

    // A second QSettings, on a copy so that nothing is shared with the first, reads back
    // exactly what was written.
    const std::filesystem::path copy = std::filesystem::path(test::ConfigHome()) / "copy.ini";
    std::filesystem::copy_file(test::TableFile(), copy, std::filesystem::copy_options::overwrite_existing);
    QSettings second(QString::fromStdString(copy.string()), QSettings::IniFormat);
    EXPECT_EQ(second.status(), QSettings::NoError);
    for (const auto& w : p.writes) {
        const QVariant value = second.value(QString::fromStdString(w.section + "/" + w.key));
        EXPECT_TRUE(value.isValid()) << w.section << "/" << w.key;
        EXPECT_EQ(value.toString().toStdString(), w.value) << w.section << "/" << w.key;
    }
    std::filesystem::remove(copy);

    // And the store itself gives the new name back as typed.
    EXPECT_EQ(TableStore(test::ConfigHome()).Read("Quorvane", "Best Players", Key(9), "None"), c.name);
}

const std::string Junk = RandomBytes(10 * 1024, 7);

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputTest,
    testing::Values(
        BadCase{"plain"},
        BadCase{"number then text", "12abc", 12},
        BadCase{"leading blanks", "  7", 7},
        BadCase{"negative", "-3", -3},
        BadCase{"half to even down", "1.5", 2},
        BadCase{"half to even up", "2.5", 2},
        BadCase{"exponent", "1e3", 1000},
        BadCase{"empty", "", 0},
        BadCase{"letters", "abc", 0},
        BadCase{"hex", "0x10", 0},
        BadCase{"inf", "inf", 0},
        BadCase{"above 16 bits", "99999", 0},
        BadCase{"below 16 bits", "-40000", 0},
        BadCase{"random bytes", Junk, std::nullopt},
        BadCase{"random bytes in the file", Junk, std::nullopt, How::RawFile},
        BadCase{"a list in the file", "1, 5", 1, How::RawFile},
        BadCase{"a rectangle in the file", "@Rect(1 2 3 4)", 0, How::RawFile},
        BadCase{"a broken variant in the file", "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x6junk)", 0, How::RawFile},
        BadCase{"a long name", "50", 50, How::Store, std::string(100000, 'x')},
        BadCase{"CR LF in a name", "50", 50, How::Store, "two\r\nlines"},
        BadCase{"LF and CR in a name", "50", 50, How::Store, "a\nb\rc"},
        BadCase{"equals in a name", "50", 50, How::Store, "a=b"},
        BadCase{"a section in a name", "50", 50, How::Store, "[High Scores]"},
        BadCase{"a bracket in a name", "50", 50, How::Store, "["},
        BadCase{"quotes in a name", "50", 50, How::Store, "\"Ann\" 'B'"},
        BadCase{"a lone quote", "50", 50, How::Store, "\""},
        BadCase{"a semicolon in a name", "50", 50, How::Store, "a;b"},
        BadCase{"a hash in a name", "50", 50, How::Store, "#1"},
        BadCase{"a comma in a name", "50", 50, How::Store, "Smith, Ann"},
        BadCase{"blanks around a name", "50", 50, How::Store, "  pad\t "},
        BadCase{"backslashes in a name", "50", 50, How::Store, "C:\\temp\\x"},
        BadCase{"a variant in a name", "50", 50, How::Store, "@Variant(x)"},
        BadCase{"non-ASCII letters", "50", 50, How::Store, "Zoë Åström Łódź Ωμέγα 名前"},
        BadCase{"an empty name", "50", 50, How::Store, ""}));

}  // namespace
}  // namespace quorvane
