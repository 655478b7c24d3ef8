// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way into the game from a window: its events, as the game handles them. The
// game implements it; the real window and quorvane-sim's scripted one call it and know
// nothing else of the game but the form model they show.

#include "game/form.h"
#include "game/menus.h"

namespace quorvane {

class WindowEvents {
public:
    virtual void KeyDown(int keyCode) = 0;
    virtual void KeyUp(int keyCode) = 0;
    virtual void TimerMusicTick() = 0;
    virtual void Menu(MenuCommand command) = 0;
    // The window is closing: the program ends here (see Game::Unload).
    [[noreturn]] virtual void Unload() = 0;

    // What the window shows.
    virtual const Form& Window() const = 0;

protected:
    ~WindowEvents() = default;
};

}  // namespace quorvane
