// SPDX-License-Identifier: GPL-3.0-or-later
// One game step at level 10: six live monsters moving, six keyboards thrown at the
// player, a bolt in flight that misses, twelve collision tests. The platform is the
// in-memory one with its record switched off.

#include <benchmark/benchmark.h>

#include "fake_platform.h"
#include "game/game.h"
#include "game/vocabulary.h"

namespace quorvane {
namespace {

// Long enough for the keyboards to cycle many times, short enough that neither the
// player's health nor the bolt's flight comes near a limit.
constexpr int ResetEvery = 1000;

struct SteadyGame {
    test::FakePlatform platform;
    Game game{platform, "/opt/quorvane"};
    GameState startState;
    Form startForm;

    SteadyGame() {
        platform.recording = false;
        game.StartUp();
        GameState& s = game.State();
        Form& f = game.Window();
        s.Level = 10;
        s.Health = 32767;
        // Every monster moves on both axes, so every throw is aimed on both.
        s.MonsterDX = {3, -4, 5, -6, 7, -2};
        s.MonsterDY = {-5, 2, -3, 4, -7, 6};
        f.imgPlayer.Move(144, 104);
        // Far off to the left and flying away: tested against every monster, never a hit.
        f.imgFire.Move(-20000, 0);
        f.imgFire.Tag = FacingLeft;
        f.imgFire.Visible = true;
        // A few steps so that the keyboards are in flight when the measured steps begin.
        for (int i = 0; i < 3; ++i) Advance();
        startState = s;
        startForm = f;
    }

    void Advance() {
        platform.tick += StepMs;
        game.Step();
    }

    void Reset() {
        game.State() = startState;
        game.Window() = startForm;
    }

    int KeyboardsInFlight() {
        int n = 0;
        for (const Sprite& k : game.Window().imgKeyboard) n += k.Tag == FiredTag;
        return n;
    }
    bool Steady() {
        int alive = 0;
        for (const Sprite& m : game.Window().imgMonster) alive += m.Tag.empty();
        return alive == Slots && game.State().Running != False && game.State().Level == 10 &&
               !game.Window().imgFire.Tag.empty();
    }
};

// How many keyboards are in flight on average over one reset period, counted on a
// separate game so that the count stays out of the timing.
double AverageKeyboardsInFlight() {
    SteadyGame probe;
    int total = 0;
    for (int i = 0; i < ResetEvery; ++i) {
        probe.Advance();
        total += probe.KeyboardsInFlight();
    }
    return total / static_cast<double>(ResetEvery);
}

void BM_Step(benchmark::State& bench) {
    SteadyGame g;
    int sinceReset = 0;
    for (auto _ : bench) {
        g.Advance();
        if (++sinceReset == ResetEvery) {
            bench.PauseTiming();
            if (!g.Steady()) {
                bench.SkipWithError("the game left its steady regime");
                break;
            }
            g.Reset();
            sinceReset = 0;
            bench.ResumeTiming();
        }
    }
    if (!g.Steady()) bench.SkipWithError("the game left its steady regime");
    bench.counters["keyboards_in_flight"] = AverageKeyboardsInFlight();
}
BENCHMARK(BM_Step)->Repetitions(15)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quorvane

BENCHMARK_MAIN();
