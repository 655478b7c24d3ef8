// SPDX-License-Identifier: GPL-3.0-or-later
// Random play through the core: the main loop's passes on a clock that moves by random
// amounts, random key downs and ups, the music timer, menu commands, deaths with the
// high-score check answered by random names, level advances. Any error of the game,
// or a broken invariant, fails the run.
//
//   soak [steps = 1000000] [seed = 1]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

#include "fake_platform.h"
#include "base/errors.h"
#include "game/game.h"
#include "game/vocabulary.h"
#include "scores/high_scores.h"
#include "base/number_text.h"

namespace quorvane {
namespace {

using KeyCode::Space;
constexpr int LeftArrow = KeyCode::Left, UpArrow = KeyCode::Up, RightArrow = KeyCode::Right, DownArrow = KeyCode::Down;
constexpr int Arrows[] = {LeftArrow, UpArrow, RightArrow, DownArrow};

struct Figures {
    std::int64_t steps = 0;
    std::int64_t passes = 0;
    std::int64_t games = 0;
    std::int64_t deaths = 0;
    std::int64_t levels = 0;  // level advances
    int maxLevel = 1;
    std::int64_t aimedSteps = 0;  // steps at level 10 or more, where throws are aimed
    double farthestBolt = 0;      // the bolt's greatest distance from the playfield's corner
    std::int64_t hits = 0;           // monsters destroyed by the bolt
    std::int64_t keyboardHits = 0;   // keyboards that reached the player
    std::int64_t tables = 0;         // high-score tables shown
    std::int64_t entries = 0;        // names asked for
    std::int64_t songChanges = 0;
};

class SoakPlatform : public test::FakePlatform {
public:
    SoakPlatform(std::uint32_t seed, Figures& figures) : keys_(seed ^ 0x9e3779b9u), figures_(figures) {
        generator.Seed(seed);
        recording = false;
    }

    // A new game; now and then the player fires once and then leaves the keys alone
    // for longer than a bolt in free flight takes to reach the 16-bit edge.
    void Attach(Game& game) {
        game_ = &game;
        quietPasses_ = Chance(1.0 / 40) ? QuietPasses : 0;
        if (quietPasses_) game.KeyDown(Space);
    }

    void SetClock(std::int32_t now) {
        tick = now;
        timerDue_ = Later(TimerMusicInterval);
    }
    void MoveClock(std::uint32_t ms) { tick = Later(ms); }

    // The events of one pass: the music timer when its second is up, then a few keys,
    // now and then a menu command.
    void ProcessEvents(std::int32_t) override {
        // A late timer ticks once, as a window timer does, not once per missed second.
        if (TicksSince(tick, timerDue_) < 0x80000000u) {
            timerDue_ = Later(TimerMusicInterval);
            game_->TimerMusicTick();
        }
        if (quietPasses_ > 0) {
            if (--quietPasses_ == QuietPasses - 2) game_->KeyUp(Space);
            return;
        }
        if (Chance(HuntShare)) Hunt();
        // Space often, so that bolts fly; a held Space pins the bolt to the player, so
        // it is let go as often.
        if (Chance(0.35)) (Chance(0.5) ? game_->KeyDown(Space) : game_->KeyUp(Space));
        for (const int arrow : Arrows)
            if (Chance(0.08)) (Chance(0.5) ? game_->KeyDown(arrow) : game_->KeyUp(arrow));
        if (Chance(1.0 / 20000)) game_->mnuHighScores_Click();
        if (Chance(1.0 / 50000)) game_->mnuPlay_Click();
        if (Chance(1.0 / 50000)) game_->mnuAbout_Click();
    }

    void PlaySound(const std::string& path) override {
        if (path.ends_with("/explode.wav")) ++figures_.hits;
        else if (path.ends_with("/bang.wav")) ++figures_.keyboardHits;
        else throw std::logic_error("an unknown sound: " + path);
    }

    std::string MediaCommand(const std::string& command) override {
        if (command.starts_with("Open ")) {
            ++figures_.songChanges;
            return "1";
        }
        // Short songs, so that the rotation turns many times.
        if (command == "status media length") return "7000";
        return "";
    }

    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        if (text.starts_with("High Scores\r\n")) ++figures_.tables;
    }

    std::string InputBox(const std::string& title, const std::string&) override {
        if (title != "New High Score!") throw std::logic_error("an unexpected input box: " + title);
        ++figures_.entries;
        static constexpr char Letters[] = "abcXYZ 09=[];#\"'\t\r\n,@\\";
        std::string name(std::uniform_int_distribution<std::size_t>(0, 24)(keys_), ' ');
        for (char& ch : name)
            ch = Letters[std::uniform_int_distribution<std::size_t>(0, sizeof Letters - 2)(keys_)];
        return name;
    }

    void EndProgram() override { throw std::logic_error("the program was ended"); }

    std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(keys_);
    }

private:
    // Unaided random keys rarely clear more than a few levels; part of the time the
    // keys dodge the keyboards in flight, or line the player up with the nearest monster
    // and fire at it, so that the later levels, with their aimed throws, are played too.
    static constexpr double HuntShare = 0.9;

    // A keyboard that would reach the player within a few steps, if any.
    const Sprite* Threat(int& slot) const {
        const Form& f = game_->Window();
        const GameState& s = game_->State();
        const Sprite& p = f.imgPlayer;
        for (int i = 0; i < Slots; ++i) {
            const Sprite& k = f.imgKeyboard[static_cast<std::size_t>(i)];
            if (k.Tag != FiredTag) continue;
            for (int ahead = 1; ahead <= 6; ++ahead) {
                const double left = k.Left + ahead * s.KeyboardDX[static_cast<std::size_t>(i)];
                const double top = k.Top + ahead * s.KeyboardDY[static_cast<std::size_t>(i)];
                if (left < p.Left + p.Width + 4 && left + k.Width > p.Left - 4 && top < p.Top + p.Height + 4 &&
                    top + k.Height > p.Top - 4) {
                    slot = i;
                    return &k;
                }
            }
        }
        return nullptr;
    }

    // The arrow that moves the player on one axis away from `threat`, or the other way
    // when it stands at the edge of the playfield (0 to `far`).
    static int Away(double threat, double self, double far, int towardLow, int towardHigh) {
        constexpr double Margin = 5;
        if (threat > self) return self > Margin ? towardLow : towardHigh;
        return self < far - Margin ? towardHigh : towardLow;
    }

    void Hold(int wanted) {
        for (const int arrow : Arrows) arrow == wanted ? game_->KeyDown(arrow) : game_->KeyUp(arrow);
    }

    void Hunt() {
        const Form& f = game_->Window();
        int slot = 0;
        if (const Sprite* k = Threat(slot)) {
            // Step across its flight, away from its side unless a wall is there.
            const GameState& s = game_->State();
            const auto i = static_cast<std::size_t>(slot);
            const Sprite& p = f.imgPlayer;
            if (std::abs(s.KeyboardDX[i]) >= std::abs(s.KeyboardDY[i]))
                Hold(Away(k->Top, p.Top, f.ScaleHeight - p.Height, UpArrow, DownArrow));
            else
                Hold(Away(k->Left, p.Left, f.ScaleWidth - p.Width, LeftArrow, RightArrow));
            return;
        }
        const Sprite* target = nullptr;
        double best = 0;
        for (const Sprite& m : f.imgMonster) {
            if (!m.Tag.empty()) continue;
            const double d = std::abs(m.Left - f.imgPlayer.Left) + std::abs(m.Top - f.imgPlayer.Top);
            if (!target || d < best) target = &m, best = d;
        }
        if (!target) return;
        const double dx = target->Left - f.imgPlayer.Left;
        const double dy = target->Top - f.imgPlayer.Top;
        constexpr double InLine = 12;
        if (std::abs(dy) <= InLine) Hold(dx < 0 ? LeftArrow : RightArrow);
        else if (std::abs(dx) <= InLine) Hold(dy < 0 ? UpArrow : DownArrow);
        else if (std::abs(dx) < std::abs(dy)) Hold(dx < 0 ? LeftArrow : RightArrow);
        else Hold(dy < 0 ? UpArrow : DownArrow);
        const bool lined = std::abs(dx) <= InLine || std::abs(dy) <= InLine;
        if (lined) game_->State().FireHeld == False ? game_->KeyDown(Space) : game_->KeyUp(Space);
    }

    // The tick `ms` from now, wrapping as the platform's tick count does.
    std::int32_t Later(std::uint32_t ms) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(tick) + ms);
    }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(keys_) < p; }

    std::mt19937 keys_;
    Figures& figures_;
    static constexpr int QuietPasses = 16000;
    int quietPasses_ = 0;
    Game* game_ = nullptr;
    std::int32_t timerDue_ = 0;
};

void Require(bool holds, const std::string& what) {
    if (!holds) throw std::logic_error(what);
}

// The table only the game has written: ten plain 16-bit scores, lowest first.
void CheckTable(const SoakPlatform& p) {
    Int16 previous = std::numeric_limits<Int16>::min();
    for (int i = 0; i < HighScoreSlots; ++i) {
        const auto text = p.Get(ScoresSection, SlotKey(i));
        Require(text.has_value(), "a table slot is missing");
        const Int16 score = ReadScore(*text);
        Require(std::to_string(score) == *text, "a table score is not plain: " + *text);
        Require(score >= previous, "the table is out of order");
        Require(p.Get(PlayersSection, SlotKey(i)).has_value(), "a table name is missing");
        previous = score;
    }
}

void Soak(std::int64_t targetSteps, std::uint32_t seed, Figures& f) {
    SoakPlatform p(seed, f);
    // Seven hours before the tick count turns negative, so the run crosses it.
    p.SetClock(std::numeric_limits<std::int32_t>::max() - 7 * 3600 * 1000);

    while (f.steps < targetSteps) {
        Game game(p, "/opt/quorvane");
        p.Attach(game);
        game.StartUp();
        ++f.games;
        const std::int64_t tablesBefore = f.tables;
        Int16 level = game.State().Level;
        while (f.steps < targetSteps) {
            // Mostly about one step per pass, sometimes idle passes, now and then a long pause.
            p.MoveClock(p.Between(0, 99) < 2 ? p.Between(100, 5000) : p.Between(5, 60));
            const Int32 lastTick = game.State().LastTick;
            const PassResult pass = game.Pass();
            ++f.passes;
            if (pass == PassResult::LoopEnded) break;
            const bool due = TicksSince(p.tick, lastTick) >= static_cast<std::uint32_t>(StepMs);
            Require(due == (pass == PassResult::Stepped), "a step ran off its pace");
            if (pass != PassResult::Stepped) continue;
            ++f.steps;
            const GameState& s = game.State();
            if (s.Level >= 10) ++f.aimedSteps;
            const Sprite& bolt = game.Window().imgFire;
            f.farthestBolt = std::max({f.farthestBolt, std::abs(bolt.Left), std::abs(bolt.Top)});
            // The timer changes the song at most a timer period and a long pause late.
            Require(TicksSince(p.tick, s.SongStart) <= static_cast<std::uint32_t>(s.SongLength) + 7000,
                    "a song outlasted its length");
            Require(s.Health >= 1 || s.Running == False, "alive without health");
            Require(s.MonstersLeft >= 1 && s.MonstersLeft <= 6, "MonstersLeft out of 1 to 6");
            if (s.Level != level) {
                Require(s.Level > level, "the level went down");
                f.levels += s.Level - level;
                level = s.Level;
                if (level > f.maxLevel) f.maxLevel = level;
            }
        }
        if (game.State().Running == False) {
            ++f.deaths;
            Require(f.tables > tablesBefore, "a death showed no table");
            Require(game.Window().lblDied.Visible, "a death showed no banner");
            if (p.Get(ScoresSection, SlotKey(0))) CheckTable(p);
            // The Over state: the menus still work.
            game.mnuHighScores_Click();
        }
    }
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    const std::int64_t steps = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    quorvane::Figures f;
    const auto start = std::chrono::steady_clock::now();
    int errors = 0;
    try {
        quorvane::Soak(steps, seed, f);
    } catch (const quorvane::GameError& e) {
        std::printf("error: %s\n", e.Name().c_str());
        ++errors;
    } catch (const quorvane::ProgramEnded&) {
        std::printf("error: the program ended\n");
        ++errors;
    } catch (const std::exception& e) {
        std::printf("failure: %s\n", e.what());
        ++errors;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "steps %lld\npasses %lld\nseconds %.2f\ngames %lld\ndeaths %lld\nlevels reached %lld\n"
        "max level %d\nsteps at level 10+ %lld\nfarthest bolt %.0f\nhits %lld\nkeyboard hits %lld\n"
        "tables shown %lld\nnames entered %lld\nsongs started %lld\nerrors %d\n",
        static_cast<long long>(f.steps), static_cast<long long>(f.passes), seconds, static_cast<long long>(f.games),
        static_cast<long long>(f.deaths), static_cast<long long>(f.levels), f.maxLevel,
        static_cast<long long>(f.aimedSteps), f.farthestBolt, static_cast<long long>(f.hits),
        static_cast<long long>(f.keyboardHits), static_cast<long long>(f.tables), static_cast<long long>(f.entries),
        static_cast<long long>(f.songChanges), errors);
    return errors == 0 ? 0 : 1;
}
