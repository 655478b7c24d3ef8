// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"
#include "game/key_codes.h"

namespace quorvane {
namespace {

// The held-key flag a key code sets or clears; none for any other key.
Bool16* HeldFlag(GameState& s, int keyCode) {
    switch (keyCode) {
        case UpArrow: return &s.UpHeld;
        case DownArrow: return &s.DownHeld;
        case LeftArrow: return &s.LeftHeld;
        case RightArrow: return &s.RightHeld;
        case Space: return &s.FireHeld;
        default: return nullptr;
    }
}

}  // namespace

void Game::KeyDown(int keyCode) {
    if (Bool16* flag = HeldFlag(state_, keyCode)) {
        *flag = True;
    } else if (keyCode == Escape) {
        state_.Running = False;
        Unload();
    }
}

void Game::KeyUp(int keyCode) {
    if (Bool16* flag = HeldFlag(state_, keyCode)) *flag = False;
}

}  // namespace quorvane
