// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"
#include "game/vocabulary.h"

namespace quorvane {
namespace {

// The held-key flag a key code sets or clears; none for any other key.
Bool16* HeldFlag(GameState& s, int keyCode) {
    switch (keyCode) {
        case KeyCode::Up: return &s.UpHeld;
        case KeyCode::Down: return &s.DownHeld;
        case KeyCode::Left: return &s.LeftHeld;
        case KeyCode::Right: return &s.RightHeld;
        case KeyCode::Space: return &s.FireHeld;
        default: return nullptr;
    }
}

}  // namespace

void Game::KeyDown(int keyCode) {
    if (Bool16* flag = HeldFlag(state_, keyCode)) {
        *flag = True;
    } else if (keyCode == KeyCode::Escape) {
        state_.Running = False;
        Unload();
    }
}

void Game::KeyUp(int keyCode) {
    if (Bool16* flag = HeldFlag(state_, keyCode)) *flag = False;
}

}  // namespace quorvane
