// SPDX-License-Identifier: GPL-3.0-or-later
// The table file's text: what Qt's settings class writes reads back the same through our
// reader, what our writer writes reads back the same through Qt's, and a damaged line
// costs nothing but its own entry.

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <QSettings>
#include <gtest/gtest.h>

#include "temporary_folder.h"
#include "scores/ini_file.h"

namespace quorvane {
namespace {

const std::vector<std::string> AwkwardNames{"Ann",
                                            "",
                                            "a,b",
                                            "x=y",
                                            "semi;colon",
                                            " lead",
                                            "trail ",
                                            "  ",
                                            "quo\"te",
                                            "\"",
                                            "\"\"",
                                            "back\\slash",
                                            "a\\",
                                            "\\",
                                            "two\r\nlines",
                                            "tab\tx",
                                            "\t",
                                            "Zoë Ångström",
                                            "名前",
                                            "😀 emoji",
                                            "@at",
                                            "@@",
                                            "@Invalid()",
                                            "@String(x)",
                                            "@Variant(x)",
                                            "ctl\x01x",
                                            "ctl\x01"
                                            "1",
                                            std::string("nul\0"
                                                        "7x",
                                                        6),
                                            "\x7f"
                                            "del",
                                            "[High Scores]",
                                            "[",
                                            "%20",
                                            "%U0041",
                                            "#1",
                                            "a/b",
                                            "C:\\temp\\x",
                                            "é\\x41",
                                            "\\0",
                                            "=",
                                            ",",
                                            ";"};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The table as the game keeps it: slot i's score and the i-th awkward name.
IniSections AwkwardTable() {
    IniSections table;
    for (std::size_t i = 0; i < AwkwardNames.size(); ++i) {
        const std::string key = " " + std::to_string(i);
        table["Best Players"][key] = AwkwardNames[i];
        table["High Scores"][key] = std::to_string(10 * i);
    }
    return table;
}

void WriteWithQt(const std::string& path, const IniSections& sections) {
    QSettings settings(Q(path), QSettings::IniFormat);
    for (const auto& [section, keys] : sections)
        for (const auto& [key, value] : keys) settings.setValue(Q(section + "/" + key), Q(value));
    settings.sync();
    ASSERT_EQ(settings.status(), QSettings::NoError);
}

TEST(IniFile, ReadsWhatQtWritesAndWritesWhatQtWould) {
    test::TemporaryFolder folder;
    const IniSections table = AwkwardTable();
    WriteWithQt(folder / "qt.ini", table);
    const std::string qtText = ReadFile(folder / "qt.ini");

    const IniSections read = ParseIni(qtText);
    for (const auto& [section, keys] : table)
        for (const auto& [key, value] : keys)
            EXPECT_EQ(read.at(section).at(key), value) << section << "/" << key;
    EXPECT_EQ(read, table);
    // Byte for byte the file Qt writes, so a save changes nothing but what it saves.
    EXPECT_EQ(FormatIni(table), qtText);
}

TEST(IniFile, QtReadsWhatWeWrite) {
    test::TemporaryFolder folder;
    const IniSections table = AwkwardTable();
    WriteFile(folder / "ours.ini", FormatIni(table));
    const QSettings settings(Q(folder / "ours.ini"), QSettings::IniFormat);
    ASSERT_EQ(settings.status(), QSettings::NoError);
    for (const auto& [section, keys] : table)
        for (const auto& [key, value] : keys)
            EXPECT_EQ(settings.value(Q(section + "/" + key)).toString().toStdString(), value) << section << "/" << key;
}

TEST(IniFile, ReadsHandEditedValuesAsQtDoes) {
    const char* text =
        "[High%20Scores]\n%200=1,5\n%201=\"  7\"\n%202=  8  \n%203=@Rect(1 2 3 4)\n%204 = 9 ; a comment\n"
        "%205=\\x41\\102\\q\n%206=\"a;b\" , c\n%207=@Invalid()\n;%208=commented out\n"
        "[general]\ntop=1\n[%General]\nnamed=2\n";
    const IniSections read = ParseIni(text);
    const auto& scores = read.at("High Scores");
    EXPECT_EQ(scores.at(" 0"), "1,5");
    EXPECT_EQ(scores.at(" 1"), "  7");
    EXPECT_EQ(scores.at(" 2"), "8");
    EXPECT_EQ(scores.at(" 3"), "");  // not text at all
    EXPECT_EQ(scores.at(" 4"), "9");
    EXPECT_EQ(scores.at(" 5"), "AB");  // hex and octal escapes; an unknown one is dropped
    EXPECT_EQ(scores.at(" 6"), "a;b,c");
    EXPECT_EQ(scores.count(" 7"), 0u);
    EXPECT_EQ(scores.count(" 8"), 0u);
    EXPECT_EQ(read.at("").at("top"), "1");
    EXPECT_EQ(read.at("General").at("named"), "2");
}

struct Damage {
    const char* what;
    std::string line;  // put in place of slot 4's name
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.what; }

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xff);
    return bytes;
}

class DamagedLine : public testing::TestWithParam<Damage> {};

// Qt's own reader lets a lone quote or a trailing backslash run on into the next lines,
// and loses every entry they reach.
TEST_P(DamagedLine, CostsAtMostItsOwnEntry) {
    IniSections table;
    std::string text = "[Best%20Players]\n";
    for (int i = 0; i < 10; ++i) {
        const std::string key = " " + std::to_string(i);
        table["Best Players"][key] = "p" + std::to_string(i);
        table["High Scores"][key] = std::to_string(10 * i);
        text += i == 4 ? GetParam().line + "\n" : "%20" + std::to_string(i) + "=p" + std::to_string(i) + "\n";
    }
    text += "\n[High%20Scores]\n";
    for (int i = 0; i < 10; ++i) text += "%20" + std::to_string(i) + "=" + std::to_string(10 * i) + "\n";

    const IniSections read = ParseIni(text);
    for (const auto& [section, keys] : table)
        for (const auto& [key, value] : keys)
            if (section != "Best Players" || key != " 4") {
                EXPECT_EQ(read.at(section).at(key), value) << section << "/" << key;
            }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedLine,
    testing::Values(Damage{"a lone quote", "%204=Ann \"the best"}, Damage{"a quote in the key", "%2\"04=x"},
                    Damage{"a trailing backslash", "%204=Ann\\"}, Damage{"backslash and CR", "%204=Ann\\\r"},
                    Damage{"an open section", "[Best%20Players"}, Damage{"a line of garbage", "\x01\x02=\"\\"},
                    Damage{"random bytes", RandomBytes(4096, 3)}, Damage{"NUL bytes", std::string("%204=a\0b\0", 10)},
                    Damage{"a broken escape", "%204=\\x"}, Damage{"a broken key escape", "%2=x"}));

TEST(IniFile, AGarbagePrefixHidesNothing) {
    const IniSections table = AwkwardTable();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const IniSections read = ParseIni(RandomBytes(4096, seed) + "\n" + FormatIni(table));
        for (const auto& [section, keys] : table)
            EXPECT_EQ(read.at(section), keys) << "seed " << seed;
    }
}

TEST(IniFile, AnyTextReadsBackTheSameOnceWritten) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::string text = RandomBytes(64 + seed, seed);
        // Give the random bytes some of the dialect's structure to work with.
        for (std::size_t i = 0; i < text.size(); i += 7) text[i] = "[]=\"\\;,\n%@ "[seed * i % 12];
        const IniSections once = ParseIni(text);
        EXPECT_EQ(ParseIni(FormatIni(once)), once) << "seed " << seed;
    }
}

TEST(IniFile, CrLfAndAByteOrderMarkReadAsUsual) {
    const IniSections read = ParseIni("\xEF\xBB\xBF[High%20Scores]\r\n%200=5\r\n%201=6\r%202=7");
    EXPECT_EQ(read.at("High Scores"), (std::map<std::string, std::string>{{" 0", "5"}, {" 1", "6"}, {" 2", "7"}}));
}

}  // namespace
}  // namespace quorvane
