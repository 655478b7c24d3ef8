// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include "audio/song_rotation.h"
#include "base/errors.h"
#include "game/phases.h"

namespace quorvane {

Game::Game(Platform& platform, std::string programFolder)
    : platform_(platform), programFolder_(std::move(programFolder)), form_(CreateForm()),
      media_(platform) {}

void Game::Load() {
    StartUp();
    while (Pass() != PassResult::LoopEnded) {
    }
}

void Game::StartUp() {
    GameState& s = state_;
    s.AppPath = WithSeparator(programFolder_);
    s.Facing = FacingUp;
    s.Health = StartHealth;
    s.MonstersLeft = MonstersPerLevel;
    s.Level = 1;
    platform_.Randomize();
    ForEach(s.LoopIndex, 0, Slots - 1, [&](int i) {
        At(s.MonsterDX, i) = DrawStartSpeed(platform_);
        At(s.MonsterDY, i) = DrawStartSpeed(platform_);
    });
    s.SongNumber = 1;
    s.Running = True;
    StartSong(Songs(), media_, platform_);
    platform_.ShowWindow();
}

PassResult Game::Pass() {
    if (state_.Running == False) return PassResult::LoopEnded;
    // Between steps the platform may sleep until an event arrives or the step is due.
    const Int32 due = static_cast<Int32>(static_cast<std::uint32_t>(state_.LastTick) + StepMs);
    platform_.ProcessEvents(due);
    const Int32 now = platform_.TickCount();
    if (TicksSince(now, state_.LastTick) < static_cast<std::uint32_t>(StepMs)) return PassResult::Idle;
    Step();
    return PassResult::Stepped;
}

void Game::TimerMusicTick() { quorvane::TimerMusicTick(Songs(), media_, platform_); }

SongFields Game::Songs() { return {state_.AppPath, state_.SongNumber, state_.SongLength, state_.SongStart}; }

void Game::Unload() {
    media_.CloseMedia();
    state_.Running = False;
    platform_.EndProgram();
    throw ProgramEnded{};
}

}  // namespace quorvane
