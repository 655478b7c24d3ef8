// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the table of the best players through the real store, in a temporary folder on
// the machine's own disk: one save of an ordinary table (twenty writes, one replacement
// synced to the disk), and the whole check after a death with a table that holds a name
// of 50 MB or 50 MB of garbage, as the program saves and then shows it.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "garbage.h"
#include "base/platform.h"
#include "scores/high_scores.h"
#include "scores/ini_file.h"
#include "scores/table_store.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// What the program does around the store: writes saved before the next read or box.
// The boxes answer at once and show nothing.
class SavingPlatform : public Platform {
public:
    explicit SavingPlatform(const std::string& home) : store_(home) {}
    std::int32_t TickCount() override { return 0; }
    void Randomize() override {}
    float Random() override { return 0; }
    void PlaySound(const std::string&) override {}
    std::string MediaCommand(const std::string&) override { return {}; }
    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
        Save();
        return store_.Read(app, section, key, fallback);
    }
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override {
        store_.Write(app, section, key, value);
    }
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        Save();
        benchmark::DoNotOptimize(text.data());
    }
    std::string InputBox(const std::string&, const std::string&) override {
        Save();
        return "Kim";
    }
    void ShowWindow() override {}
    void ProcessEvents(std::int32_t) override { Save(); }
    void EndProgram() override { Save(); }

private:
    void Save() {
        if (store_.Pending() && store_.Commit()) std::abort();
    }
    TableStore store_;
};

class Home {
public:
    Home() : path_(fs::temp_directory_path() / ("quorvane-save-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(path_ / "Quorvane");
    }
    ~Home() { fs::remove_all(path_); }
    std::string Path() const { return path_; }
    std::string Table() const { return path_ / "Quorvane/Quorvane.ini"; }

private:
    fs::path path_;
};

IniSections Table(const std::string& slot5Name) {
    IniSections table;
    for (int i = 0; i < HighScoreSlots; ++i) {
        table[PlayersSection][SlotKey(i)] = i == 5 ? slot5Name : "p" + std::to_string(i);
        table[ScoresSection][SlotKey(i)] = std::to_string(10 * (i + 1));
    }
    return table;
}

void BM_SaveOrdinaryTable(benchmark::State& state) {
    const Home home;
    TableStore store(home.Path());
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < HighScoreSlots; ++i) {
            store.Write("Quorvane", ScoresSection, SlotKey(i), std::to_string(round + i));
            store.Write("Quorvane", PlayersSection, SlotKey(i), "Player " + std::to_string(i));
        }
        if (store.Commit()) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveOrdinaryTable)->Unit(benchmark::kMillisecond);

// The check after a death with a qualifying score: it reads the table, asks, saves, and
// reads and shows it again.
void CheckLargeTable(benchmark::State& state, const std::string& file) {
    const Home home;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(home.Table(), std::ios::binary) << file;
        SavingPlatform platform(home.Path());
        Int16 loopIndex = 0;
        state.ResumeTiming();
        CheckHighScore(platform, loopIndex, 500, "Quorvane", HighScoreSlots);
    }
}

void BM_CheckWithA50MBName(benchmark::State& state) {
    CheckLargeTable(state, FormatIni(Table(std::string(50 << 20, 'n'))));
}
BENCHMARK(BM_CheckWithA50MBName)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CheckWith50MBOfGarbage(benchmark::State& state) {
    CheckLargeTable(state, test::Garbage(50 << 20) + "\n" + FormatIni(Table("p5")));
}
BENCHMARK(BM_CheckWith50MBOfGarbage)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quorvane

BENCHMARK_MAIN();
