// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmMain: the one window. It draws the game's form model, passes key events, menu
// commands, the music timer and closing on to the game's handlers, and holds no game
// state of its own.

#include <QMainWindow>
#include <QTimer>

#include "game/window_events.h"
#include "window/event_guard.h"
#include "window/held_keys.h"
#include "window/pictures.h"
#include "window/playfield.h"

class QAction;

namespace quorvane {

// The virtual key code the game knows a Qt key by, or 0 for a key the game ignores.
int VirtualKey(int qtKey);

class frmMain : public QMainWindow {
public:
    frmMain(WindowEvents& game, const Pictures& pictures, EventGuard& guard, int zoom);

    // Brings the title and the playfield up to date with the form model.
    void Refresh();

    // Gives the keyboard back to the game: the window is activated and takes the focus,
    // unless a box or menu is still open.
    void TakeKeyboard();

    // True while the game has the keyboard: the window is active with the focus, and no
    // menu or box is open. Only then do the pads act on the game, as the keys do.
    bool HasKeyboard() const;
    // The game's keys as every source holds them.
    HeldKeys& Keys() { return keys_; }

    // Where the "You Died" banner shows on the screen; null while it is hidden.
    QRect BannerOnScreen() const;

    Playfield& Field() { return *playfield_; }
    QTimer& TimerMusic() { return timerMusic_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildMenus();
    // Runs a game handler, then shows what it changed.
    void Handle(const std::function<void()>& handler);
    // Key-ups that the window will no longer see are delivered now, the pads' with them:
    // the game sees no key held while it does not have the keyboard.
    void LoseKeyboard();

    WindowEvents& game_;
    const Pictures& pictures_;
    EventGuard& guard_;
    Playfield* playfield_;
    Scene shown_;  // what the playfield shows now, to redraw only what changes
    QTimer timerMusic_;
    HeldKeys keys_;
};

}  // namespace quorvane
