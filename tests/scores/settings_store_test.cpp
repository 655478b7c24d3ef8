// SPDX-License-Identifier: GPL-3.0-or-later
// The real settings store on QSettings, in the tests' temporary config folder.

#include <cstdio>
#include <filesystem>
#include <string>

#include <QSettings>
#include <QStringList>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config_home.h"
#include "scores/qsettings_store.h"

namespace quorvane {
namespace {

using testing::UnorderedElementsAre;

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override { test::ClearTable(); }
    QSettingsStore store;
};

TEST_F(SettingsStoreTest, KeepsTheTableInTheTemporaryFolder) {
    store.Write("Quorvane", "High Scores", " 0", "10");
    const std::filesystem::path file = test::TableFile();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(file.parent_path().parent_path(), std::filesystem::path(test::ConfigHome()));
}

TEST_F(SettingsStoreTest, ReadsBackWhatWasWritten) {
    store.Write("Quorvane", "High Scores", " 0", "120");
    store.Write("Quorvane", "Best Players", " 0", "Ann");
    store.Write("Quorvane", "Best Players", " 1", "");
    store.Write("Quorvane", "High Scores", "0", "5");  // no blank: a different key

    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 0", "0"), "120");
    EXPECT_EQ(store.Read("Quorvane", "Best Players", " 0", "None"), "Ann");
    // A stored empty name is a name, not a missing key.
    EXPECT_EQ(store.Read("Quorvane", "Best Players", " 1", "None"), "");
    EXPECT_EQ(store.Read("Quorvane", "High Scores", "0", "0"), "5");
    // Missing: the key, the section, the application.
    EXPECT_EQ(store.Read("Quorvane", "Best Players", " 2", "None"), "None");
    EXPECT_EQ(store.Read("Quorvane", "Other", " 0", "fallback"), "fallback");
    EXPECT_EQ(store.Read("Elsewhere", "High Scores", " 0", "0"), "0");
    // The same key in the other section is its own value.
    EXPECT_EQ(store.Read("Quorvane", "Best Players", "0", "None"), "None");
}

TEST_F(SettingsStoreTest, WriteReplaces) {
    store.Write("Quorvane", "High Scores", " 3", "10");
    store.Write("Quorvane", "High Scores", " 3", "20");
    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 3", "0"), "20");
}

TEST_F(SettingsStoreTest, KeysKeepTheirLeadingBlankInTheFile) {
    for (int i = 0; i < 10; ++i) {
        const std::string key = " " + std::to_string(i);
        store.Write("Quorvane", "High Scores", key, std::to_string(i * 10));
        store.Write("Quorvane", "Best Players", key, "p" + std::to_string(i));
    }
    QSettings file(QString::fromStdString(test::TableFile()), QSettings::IniFormat);
    EXPECT_THAT(file.childGroups(), UnorderedElementsAre("High Scores", "Best Players"));
    file.beginGroup("High Scores");
    EXPECT_THAT(file.childKeys(), UnorderedElementsAre(" 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9"));
    EXPECT_EQ(file.value(" 7").toString(), "70");
    file.endGroup();
    EXPECT_EQ(file.value("Best Players/ 7").toString(), "p7");
}

// A hand-edited file: what a person may type into it reads as its text.
TEST_F(SettingsStoreTest, ReadsHandEditedValues) {
    {
        const std::filesystem::path file = test::TableFile();
        std::filesystem::create_directories(file.parent_path());
        std::FILE* f = std::fopen(file.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("[High%20Scores]\n%200=1,5\n%201=\"  7\"\n%202=  8  \n%203=@Rect(1 2 3 4)\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 0", "0"), "1,5");
    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 1", "0"), "  7");
    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 2", "0"), "8");
    // Not text at all: reads as no text, which reads as score 0.
    EXPECT_EQ(store.Read("Quorvane", "High Scores", " 3", "0"), "");
}

}  // namespace
}  // namespace quorvane
