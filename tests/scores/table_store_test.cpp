// SPDX-License-Identifier: GPL-3.0-or-later
// The real table store in a temporary folder: what it keeps, how a save reaches the
// disk, a save that another game overtook, and saves that cannot be made.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "garbage.h"
#include "temporary_folder.h"
#include "scores/high_scores.h"
#include "scores/table_store.h"
#include "store_platform.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TableStoreTest : public testing::Test {
protected:
    std::string TableFile() const { return home / "Quorvane/Quorvane.ini"; }
    // Slot i holds p<i> with score 10 * i.
    void StoreTable() {
        TableStore store(home.Path());
        for (int i = 0; i < 10; ++i) {
            store.Write("Quorvane", ScoresSection, SlotKey(i), std::to_string(10 * i));
            store.Write("Quorvane", PlayersSection, SlotKey(i), "p" + std::to_string(i));
        }
        ASSERT_FALSE(store.Commit());
    }
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home / "Quorvane")) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TemporaryFolder home{"quorvane-store"};
};

TEST_F(TableStoreTest, ReadsBackWhatWasSaved) {
    TableStore store(home.Path());
    store.Write("Quorvane", "High Scores", " 0", "120");
    store.Write("Quorvane", "Best Players", " 0", "Ann");
    store.Write("Quorvane", "Best Players", " 1", "");
    store.Write("Quorvane", "High Scores", "0", "5");  // no blank: a different key
    ASSERT_FALSE(store.Commit());

    TableStore fresh(home.Path());
    EXPECT_EQ(fresh.Read("Quorvane", "High Scores", " 0", "0"), "120");
    EXPECT_EQ(fresh.Read("Quorvane", "Best Players", " 0", "None"), "Ann");
    // A stored empty name is a name, not a missing key.
    EXPECT_EQ(fresh.Read("Quorvane", "Best Players", " 1", "None"), "");
    EXPECT_EQ(fresh.Read("Quorvane", "High Scores", "0", "0"), "5");
    // Missing: the key, the section, the application.
    EXPECT_EQ(fresh.Read("Quorvane", "Best Players", " 2", "None"), "None");
    EXPECT_EQ(fresh.Read("Quorvane", "Other", " 0", "fallback"), "fallback");
    EXPECT_EQ(fresh.Read("Elsewhere", "High Scores", " 0", "0"), "0");
    EXPECT_EQ(fresh.FilePath("Quorvane"), TableFile());
}

TEST_F(TableStoreTest, WritesReachTheDiskTogetherAtTheCommit) {
    StoreTable();
    const std::string before = ReadFile(TableFile());
    TableStore store(home.Path());
    store.Write("Quorvane", ScoresSection, SlotKey(9), "500");
    store.Write("Quorvane", PlayersSection, SlotKey(9), "Ann");
    EXPECT_TRUE(store.Pending());
    EXPECT_EQ(ReadFile(TableFile()), before);
    EXPECT_EQ(store.Read("Quorvane", PlayersSection, SlotKey(9), "None"), "Ann");

    struct stat old {};
    ASSERT_EQ(stat(TableFile().c_str(), &old), 0);
    ASSERT_EQ(chmod(TableFile().c_str(), 0600), 0);
    ASSERT_FALSE(store.Commit());
    EXPECT_FALSE(store.Pending());
    struct stat now {};
    ASSERT_EQ(stat(TableFile().c_str(), &now), 0);
    EXPECT_NE(now.st_ino, old.st_ino) << "replaced, not rewritten in place";
    EXPECT_EQ(now.st_mode & 07777, 0600u) << "a private table stays private";
    EXPECT_EQ(TableStore(home.Path()).Read("Quorvane", PlayersSection, SlotKey(9), "None"), "Ann");
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Quorvane.ini", "Quorvane.lock"}));
}

TEST_F(TableStoreTest, LeftoversOfAKilledSaveGoAtTheNextSave) {
    StoreTable();
    std::ofstream(home / "Quorvane/.Quorvane.ini.new-99999-0") << "half a table";
    TableStore store(home.Path());
    store.Write("Quorvane", PlayersSection, SlotKey(0), "Bo");
    ASSERT_FALSE(store.Commit());
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Quorvane.ini", "Quorvane.lock"}));
}

TEST_F(TableStoreTest, ATableBehindALinkIsSavedWhereItLies) {
    StoreTable();
    fs::rename(TableFile(), home / "kept.ini");
    fs::create_symlink(home / "kept.ini", TableFile());
    TableStore store(home.Path());
    store.Write("Quorvane", PlayersSection, SlotKey(0), "Bo");
    ASSERT_FALSE(store.Commit());
    EXPECT_TRUE(fs::is_symlink(TableFile()));
    EXPECT_EQ(TableStore(home.Path()).Read("Quorvane", PlayersSection, SlotKey(0), "None"), "Bo");
}

// Another game's save lands while this game's name box is open.
TEST_F(TableStoreTest, ASaveOvertakenByAnotherGameKeepsBothEntries) {
    test::StorePlatform first(home.Path());
    test::StorePlatform second(home.Path());
    first.answers = {"Ann"};
    second.answers = {"Bob"};
    Int16 loopIndex = 0;
    first.fault = [&](const std::string& call) {
        if (call == "input") CheckHighScore(second, loopIndex, 30, "Quorvane", 10);
    };
    CheckHighScore(first, loopIndex, 50, "Quorvane", 10);

    TableStore table(home.Path());
    EXPECT_EQ(table.Read("Quorvane", PlayersSection, SlotKey(9), ""), "Ann");
    EXPECT_EQ(table.Read("Quorvane", ScoresSection, SlotKey(9), ""), "50");
    EXPECT_EQ(table.Read("Quorvane", PlayersSection, SlotKey(8), ""), "Bob");
    EXPECT_EQ(table.Read("Quorvane", ScoresSection, SlotKey(8), ""), "30");
    EXPECT_EQ(table.Read("Quorvane", PlayersSection, SlotKey(7), ""), "None");
    // And the first game shows the table as it is now stored.
    ASSERT_EQ(first.messages.size(), 1u);
    EXPECT_NE(first.messages[0].text.find("Bob\t\t30"), std::string::npos);
}

struct Unsaveable {
    const char* what;
    void (*arrange)(const test::TemporaryFolder& home);
    const char* reason;
};

void PrintTo(const Unsaveable& c, std::ostream* os) { *os << c.what; }

class UnsaveableTest : public TableStoreTest, public testing::WithParamInterface<Unsaveable> {};

TEST_P(UnsaveableTest, FailsWithItsReasonAndChangesNothing) {
    GetParam().arrange(home);
    const auto before = fs::exists(home / "Quorvane") && fs::is_regular_file(TableFile()) ? ReadFile(TableFile()) : "";
    TableStore store(home.Path());
    EXPECT_EQ(store.Read("Quorvane", PlayersSection, SlotKey(9), "None"), "None");
    store.Write("Quorvane", PlayersSection, SlotKey(9), "Ann");
    const auto failure = store.Commit();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->reason, GetParam().reason);
    EXPECT_EQ(failure->path, TableFile());
    EXPECT_FALSE(store.Pending());
    if (fs::is_regular_file(TableFile())) {
        EXPECT_EQ(ReadFile(TableFile()), before);
    }
    const std::string text = SaveFailureText(*failure);
    EXPECT_NE(text.find(GetParam().reason), std::string::npos);
    EXPECT_NE(text.find(TableFile()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnsaveableTest,
    testing::Values(
        Unsaveable{"the folder is a file",
                   [](const test::TemporaryFolder& home) { std::ofstream(home / "Quorvane") << "x"; },
                   "a file stands where its folder should be"},
        Unsaveable{"the table is a folder",
                   [](const test::TemporaryFolder& home) { fs::create_directories(home / "Quorvane/Quorvane.ini"); },
                   "a folder stands where the file should be"},
        Unsaveable{"the table is a pipe",
                   [](const test::TemporaryFolder& home) {
                       fs::create_directories(home / "Quorvane");
                       mkfifo((home / "Quorvane/Quorvane.ini").c_str(), 0600);
                   },
                   "the file is not a plain file"},
        Unsaveable{"the table is far too large",
                   [](const test::TemporaryFolder& home) {
                       fs::create_directories(home / "Quorvane");
                       std::ofstream(home / "Quorvane/Quorvane.ini") << "[High%20Scores]\n%209=5\n";
                       fs::resize_file(home / "Quorvane/Quorvane.ini", MaxTableFileSize + 1);
                   },
                   "the file is too large to be a table of best players"}));

// Holds the save lock from another process for `ms`.
pid_t HoldLock(const std::string& path, int ms) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT, 0666);
        flock(fd, LOCK_EX);
        (void)!write(ready[1], "x", 1);
        usleep(static_cast<useconds_t>(ms) * 1000);
        _exit(0);
    }
    char byte;
    (void)!read(ready[0], &byte, 1);
    close(ready[0]);
    close(ready[1]);
    return child;
}

TEST_F(TableStoreTest, ASaveWaitsForAnotherGamesSaveButNotForever) {
    StoreTable();
    const std::string lock = home / "Quorvane/Quorvane.lock";
    {
        const pid_t holder = HoldLock(lock, 300);
        TableStore store(home.Path());
        store.Write("Quorvane", PlayersSection, SlotKey(0), "Bo");
        EXPECT_FALSE(store.Commit());
        waitpid(holder, nullptr, 0);
        EXPECT_EQ(TableStore(home.Path()).Read("Quorvane", PlayersSection, SlotKey(0), ""), "Bo");
    }
    {
        const pid_t holder = HoldLock(lock, 4000);
        TableStore store(home.Path());
        store.Write("Quorvane", PlayersSection, SlotKey(0), "Cy");
        const auto failure = store.Commit();
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->reason, "another game of Quorvane kept the table busy");
        EXPECT_EQ(TableStore(home.Path()).Read("Quorvane", PlayersSection, SlotKey(0), ""), "Bo");
    }
    // The holder was killed: its lock went with it.
    TableStore store(home.Path());
    store.Write("Quorvane", PlayersSection, SlotKey(0), "Di");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(store.Commit());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// An unoptimized, sanitized build takes the same paths with a tenth of the size, and is
// not timed.
#ifdef __OPTIMIZE__
constexpr std::size_t Large = std::size_t{50} << 20;
constexpr bool Timed = true;
#else
constexpr std::size_t Large = std::size_t{5} << 20;
constexpr bool Timed = false;
#endif

// Made when the test runs, not when the test program starts: every test process would
// build them otherwise.
struct LargeCase {
    const char* what;
    std::string (*prefix)();  // before the table in the file
    std::string (*name)();    // slot 5's name
};

void PrintTo(const LargeCase& c, std::ostream* os) { *os << c.what; }

class LargeTableTest : public TableStoreTest, public testing::WithParamInterface<LargeCase> {};

// Earlier, a save rewrote the whole file twenty times: minutes for a file of 50 MB. The
// bound is far above what a save takes, to catch that and nothing finer; bench/ measures.
TEST_P(LargeTableTest, ASaveKeepsEverySlotAndStaysQuick) {
    const LargeCase& c = GetParam();
    IniSections table;
    for (int i = 0; i < 10; ++i) {
        table[PlayersSection][SlotKey(i)] = i == 5 ? c.name() : "p" + std::to_string(i);
        table[ScoresSection][SlotKey(i)] = std::to_string(10 * (i + 1));
    }
    fs::create_directories(home / "Quorvane");
    std::ofstream(TableFile(), std::ios::binary) << c.prefix() << "\n" << FormatIni(table);

    test::StorePlatform player(home.Path());
    player.answers = {"Kim"};
    Int16 loopIndex = 0;
    const auto start = std::chrono::steady_clock::now();
    CheckHighScore(player, loopIndex, 500, "Quorvane", 10);
    const auto took = std::chrono::steady_clock::now() - start;
    if (Timed) {
        EXPECT_LT(took, std::chrono::seconds(10));
    }
    std::printf("%s, %zu MB: the check took %.3f s\n", c.what, Large >> 20,
                std::chrono::duration<double>(took).count());

    ASSERT_EQ(player.messages.size(), 1u);
    TableStore stored(home.Path());
    EXPECT_EQ(stored.Read("Quorvane", PlayersSection, SlotKey(9), ""), "Kim");
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(stored.Read("Quorvane", PlayersSection, SlotKey(i - 1), ""), table[PlayersSection][SlotKey(i)]);
        EXPECT_EQ(stored.Read("Quorvane", ScoresSection, SlotKey(i - 1), ""), table[ScoresSection][SlotKey(i)]);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LargeTableTest,
                         testing::Values(LargeCase{"garbage before the table", [] { return test::Garbage(Large); },
                                                   [] { return std::string("p5"); }},
                                         LargeCase{"a very long name", [] { return std::string(); },
                                                   [] { return std::string(Large, 'n'); }}));

}  // namespace
}  // namespace quorvane
