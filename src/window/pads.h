// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gamepads that SDL's game-controller layer recognises, read as more sources of the
// game's five keys. A pad plugged in while the game runs works from the next read; one
// pulled out lets go of whatever it held.
//
// The pads are read when a pass of the main loop has handled the window's events and a
// step is due, and not in between: a step sees each pad as it stands at that moment, as
// it sees the keyboard's keys, and nothing polls while the loop waits.

#include <SDL_gamecontroller.h>

#include <vector>

#include "window/held_keys.h"
#include "window/pad_keys.h"

namespace quorvane {

class Pads {
public:
    // Without SDL's game-controller layer, or with no access to the devices, there are
    // simply no pads; nothing is said.
    Pads();
    ~Pads();
    Pads(const Pads&) = delete;
    Pads& operator=(const Pads&) = delete;

    // Takes in what the pads did since the last read: pads that came or went, and how
    // each one's controls stand now, which it holds or lets go of in `keys`. While
    // `forGame` is false (a menu or a box is open, or another window has the keyboard)
    // the pads hold no key.
    void Read(HeldKeys& keys, bool forGame);

private:
    struct Pad {
        SDL_GameController* controller;
        SDL_JoystickID id;
        PadKeys keys;
    };

    void LetGoOfUnplugged(HeldKeys& keys);
    void OpenPluggedIn();
    bool Known(SDL_JoystickID id) const;

    bool started_ = false;
    std::vector<Pad> pads_;
    // Joysticks that are no pad SDL knows, or that could not be opened: a handful at most.
    std::vector<SDL_JoystickID> others_;
};

}  // namespace quorvane
