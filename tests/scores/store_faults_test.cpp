// SPDX-License-Identifier: GPL-3.0-or-later
// The table survives what happens to real programs: a save killed at any moment, two
// games saving at once, a full disk, files and folders the player may not write. Each
// case runs quorvane-sim over the real store, as separate processes.

#include <sys/mount.h>
#include <sys/stat.h>

#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "temporary_folder.h"
#include "scores/table_rules.h"
#include "scores/table_store.h"
#include "sim_process.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::JsonLines;
using test::Messages;
using test::ReadFile;
using test::SimProcess;

constexpr uid_t Nobody = 65534;

std::string TableIn(const std::string& home) { return home + "/Quorvane/Quorvane.ini"; }

// Slot i holds p<i> with score 10 * (i + 1).
void StoreTable(const std::string& home) {
    TableStore store(home);
    for (int i = 0; i < HighScoreSlots; ++i) {
        store.Write("Quorvane", ScoresSection, SlotKey(i), std::to_string(10 * (i + 1)));
        store.Write("Quorvane", PlayersSection, SlotKey(i), "p" + std::to_string(i));
    }
    ASSERT_FALSE(store.Commit());
}

std::pair<std::string, std::string> Slot(const std::string& home, int slot) {
    TableStore store(home);
    return {store.Read("Quorvane", PlayersSection, SlotKey(slot), DefaultName),
            store.Read("Quorvane", ScoresSection, SlotKey(slot), DefaultScore)};
}

std::vector<std::string> Contents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

int Setting(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

class StoreFaults : public testing::Test {
protected:
    void SetUp() override {
        // Readable by the ordinary user some cases run as.
        fs::permissions(work.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
    }
    std::string Scenario(int score, const std::string& name) {
        const std::string path = work / ("death-" + name + ".json");
        std::ofstream(path) << test::DeathScenario(score, name).dump();
        return path;
    }
    // Runs one death to its end and gives its output lines.
    std::vector<json> Run(const std::string& scenario, const std::string& home,
                          const std::vector<std::string>& prefix = {}, const std::string& sim = QUORVANE_SIM) {
        const std::string output = work / "output.jsonl";
        SimProcess run(scenario, home, output, prefix, sim);
        EXPECT_TRUE(run.Started());
        EXPECT_EQ(run.Wait(), 0) << ReadFile(output);
        return JsonLines(ReadFile(output));
    }

    test::TemporaryFolder work{"quorvane-faults"};
};

TEST_F(StoreFaults, AKilledSaveLeavesTheWholeOldTableOrTheWholeNewOne) {
    const std::string scenario = Scenario(500, "Kim");
    const std::string home = work / "home";
    StoreTable(home);
    const std::string oldText = ReadFile(TableIn(home));
    // The whole run, several times over: the kills are spread across it.
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        std::ofstream(TableIn(home), std::ios::binary) << oldText;
        const auto start = std::chrono::steady_clock::now();
        Run(scenario, home);
        runs.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    const std::string newText = ReadFile(TableIn(home));
    ASSERT_EQ(Slot(home, 9), std::make_pair(std::string("Kim"), std::string("500")));

    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> moment(0, runs[2] * 1.2);
    int olds = 0, news = 0;
    const int rounds = Setting("QUORVANE_KILL_ROUNDS", 200);
    for (int round = 0; round < rounds; ++round) {
        std::ofstream(TableIn(home), std::ios::binary) << oldText;
        {
            SimProcess save(scenario, home, work / "killed.jsonl");
            ASSERT_TRUE(save.Started());
            std::this_thread::sleep_for(std::chrono::duration<double, std::micro>(moment(random)));
            save.Kill();
        }
        const std::string left = ReadFile(TableIn(home));
        if (left == oldText) ++olds;
        else if (left == newText) ++news;
        else FAIL() << "round " << round << " left a mixed table:\n" << left;

        // And the next game saves as usual, clearing what the killed one left behind.
        const std::vector<json> lines = Run(scenario, home);
        ASSERT_EQ(Messages(lines).size(), 1u) << "round " << round << ": " << lines.back();
        EXPECT_EQ(Slot(home, 9), std::make_pair(std::string("Kim"), std::string("500")));
        EXPECT_EQ(Contents(home + "/Quorvane"), (std::vector<std::string>{"Quorvane.ini", "Quorvane.lock"}));
    }
    std::printf("%d kills: %d left the old table, %d the new one (a whole run takes %.0f us)\n", rounds, olds, news,
                runs[2]);
    RecordProperty("old", olds);
    RecordProperty("new", news);
}

TEST_F(StoreFaults, TwoGamesSavingAtOnceKeepBothEntries) {
    const std::string ann = Scenario(50, "Ann");
    const std::string bob = Scenario(30, "Bob");
    const int rounds = Setting("QUORVANE_CONCURRENT_ROUNDS", 50);
    for (int round = 0; round < rounds; ++round) {
        const std::string home = work / ("home" + std::to_string(round));
        SimProcess first(ann, home, work / "ann.jsonl");
        SimProcess second(bob, home, work / "bob.jsonl");
        ASSERT_EQ(first.Wait(), 0);
        ASSERT_EQ(second.Wait(), 0);
        EXPECT_EQ(Slot(home, 9), std::make_pair(std::string("Ann"), std::string("50"))) << "round " << round;
        EXPECT_EQ(Slot(home, 8), std::make_pair(std::string("Bob"), std::string("30"))) << "round " << round;
        EXPECT_EQ(Slot(home, 7), std::make_pair(std::string("None"), std::string("0"))) << "round " << round;
        for (const char* output : {"ann.jsonl", "bob.jsonl"})
            EXPECT_EQ(Messages(JsonLines(ReadFile(work / output))).size(), 1u) << "a warning in round " << round;
        fs::remove_all(home);
    }
}

// A small filesystem of its own, unmounted at the end.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& at) : at_(at) {
        fs::create_directories(at);
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }
    // Fills it to the brim.
    void Fill() const {
        std::FILE* filler = std::fopen((at_ + "/filler").c_str(), "wb");
        std::setvbuf(filler, nullptr, _IONBF, 0);
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
        }
        while (std::fputc('x', filler) != EOF) {
        }
        std::fclose(filler);
    }

private:
    std::string at_;
    bool mounted_ = false;
    std::string error_;
};

TEST_F(StoreFaults, AFullDiskKeepsTheOldTableAndSaysSo) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small filesystem takes root";
    const std::string home = work / "disk";
    const SmallDisk disk(home);
    if (!disk.Mounted()) GTEST_SKIP() << "a small tmpfs cannot be mounted here: " << disk.Error();
    StoreTable(home);
    const std::string oldText = ReadFile(TableIn(home));
    disk.Fill();

    const std::vector<json> messages = Messages(Run(Scenario(500, "Kim"), home));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]["icon"], "warning");
    EXPECT_EQ(messages[0]["title"], "Quorvane");
    const std::string warning = messages[0]["text"];
    EXPECT_NE(warning.find("the disk is full"), std::string::npos) << warning;
    EXPECT_NE(warning.find(TableIn(home)), std::string::npos) << warning;
    EXPECT_EQ(ReadFile(TableIn(home)), oldText);
    // The table shown after it is the one really stored.
    const std::string shown = messages[1]["text"];
    EXPECT_EQ(shown.find("Kim"), std::string::npos);
    EXPECT_NE(shown.find("p9\t\t100"), std::string::npos);
    EXPECT_EQ(Contents(home + "/Quorvane"), (std::vector<std::string>{"Quorvane.ini", "Quorvane.lock"}));

    fs::remove(home + "/filler");
    EXPECT_EQ(Messages(Run(Scenario(500, "Kim"), home)).size(), 1u);
    EXPECT_EQ(Slot(home, 9), std::make_pair(std::string("Kim"), std::string("500")));
}

struct Unwritable {
    const char* what;
    void (*arrange)(const std::string& home);
    bool needsAnotherUser;  // to own a file the player may not write
    const char* reason;
};

void PrintTo(const Unwritable& c, std::ostream* os) { *os << c.what; }

class UnwritableTest : public StoreFaults, public testing::WithParamInterface<Unwritable> {};

// The player's own table, made read-only, or kept by another user: nothing is lost, and
// the player is told.
TEST_P(UnwritableTest, NothingIsLostAndThePlayerIsTold) {
    const Unwritable& c = GetParam();
    const bool root = ::geteuid() == 0;
    if (c.needsAnotherUser && !root) GTEST_SKIP() << "making a file of another user takes root";
    const std::string home = work / "home";
    StoreTable(home);
    c.arrange(home);
    const std::string oldText = fs::is_regular_file(TableIn(home)) ? ReadFile(TableIn(home)) : "";

    // Root may write anything, so the player is an ordinary user, running a copy of the
    // driver that such a user can reach.
    std::vector<std::string> prefix;
    std::string sim = QUORVANE_SIM;
    if (root) {
        prefix = {"setpriv", "--reuid=" + std::to_string(Nobody), "--regid=" + std::to_string(Nobody),
                  "--clear-groups", "--"};
        sim = work / "quorvane-sim";
        fs::copy_file(QUORVANE_SIM, sim);
    }
    const std::vector<json> messages = Messages(Run(Scenario(500, "Kim"), home, prefix, sim));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]["icon"], "warning");
    const std::string warning = messages[0]["text"];
    EXPECT_NE(warning.find(c.reason), std::string::npos) << warning;
    EXPECT_NE(warning.find(TableIn(home)), std::string::npos) << warning;
    if (fs::is_regular_file(TableIn(home))) {
        EXPECT_EQ(ReadFile(TableIn(home)), oldText);
    }
    EXPECT_EQ(std::string(messages[1]["text"]).find("Kim"), std::string::npos);
}

void Chown(const std::string& path, uid_t user) { ASSERT_EQ(::chown(path.c_str(), user, user), 0); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UnwritableTest,
    testing::Values(
        Unwritable{"a read-only folder",
                   [](const std::string& home) {
                       Chown(home + "/Quorvane", ::geteuid() == 0 ? Nobody : ::geteuid());
                       Chown(TableIn(home), ::geteuid() == 0 ? Nobody : ::geteuid());
                       fs::permissions(home + "/Quorvane", fs::perms::owner_read | fs::perms::owner_exec |
                                                               fs::perms::others_read | fs::perms::others_exec);
                   },
                   false, "its folder is read-only"},
        Unwritable{"a read-only table",
                   [](const std::string& home) {
                       fs::permissions(home, fs::perms::all);
                       Chown(home + "/Quorvane", ::geteuid() == 0 ? Nobody : ::geteuid());
                       Chown(TableIn(home), ::geteuid() == 0 ? Nobody : ::geteuid());
                       fs::permissions(TableIn(home), fs::perms::owner_read | fs::perms::others_read);
                   },
                   false, "the file is read-only"},
        Unwritable{"a table of another user in the player's folder",
                   [](const std::string& home) { Chown(home + "/Quorvane", Nobody); }, true,
                   "the file is read-only"},
        Unwritable{"a private table of another user",
                   [](const std::string& home) {
                       Chown(home + "/Quorvane", Nobody);
                       fs::permissions(TableIn(home), fs::perms::owner_read | fs::perms::owner_write);
                   },
                   true, "Quorvane may not read the file"},
        Unwritable{"a file where the folder should be",
                   [](const std::string& home) {
                       fs::remove_all(home + "/Quorvane");
                       std::ofstream(home + "/Quorvane") << "not a folder";
                   },
                   false, "a file stands where its folder should be"},
        Unwritable{"a folder where the table should be",
                   [](const std::string& home) {
                       fs::remove(TableIn(home));
                       fs::create_directory(TableIn(home));
                   },
                   false, "a folder stands where the file should be"}));

}  // namespace
}  // namespace quorvane
