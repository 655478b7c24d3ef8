// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmMain's game: the state, the form model and the media module, with one handler per
// window event. The window (or quorvane-sim) calls these through WindowEvents; the game
// reaches back only through the Platform.

#include <string>

#include "audio/mod_winmm.h"
#include "audio/song_rotation.h"
#include "game/form.h"
#include "game/game_state.h"
#include "game/menus.h"
#include "game/window_events.h"
#include "base/platform.h"

namespace quorvane {

inline constexpr Int32 StepMs = 50;

enum class PassResult { LoopEnded, Idle, Stepped };

class Game final : public WindowEvents {
public:
    // `programFolder` is the folder that holds the program and its songs and effects.
    Game(Platform& platform, std::string programFolder);

    // The load handler: start-up, then the main loop until Running is false.
    void Load();
    void StartUp();
    // One pass of the main loop.
    PassResult Pass();
    // One game step, its phases in order.
    void Step();

    // Window events.
    void KeyDown(int keyCode) override;
    void KeyUp(int keyCode) override;
    void TimerMusicTick() override;
    void Menu(MenuCommand command) override;
    void mnuHighScores_Click();
    void mnuPlay_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    // Unload handling: closes the media and ends the program; never returns.
    [[noreturn]] void Unload() override;

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    Form& Window() { return form_; }
    const Form& Window() const override { return form_; }
    mod_Winmm& Media() { return media_; }

private:
    SongFields Songs();

    Platform& platform_;
    std::string programFolder_;
    GameState state_;
    Form form_;
    mod_Winmm media_;
};

}  // namespace quorvane
