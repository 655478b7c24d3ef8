// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pads.h"

#include <SDL.h>

#include <algorithm>

namespace quorvane {
namespace {

// The joystick and game-controller events, one block of SDL's event types.
constexpr Uint32 FirstPadEvent = SDL_JOYAXISMOTION;
constexpr Uint32 LastPadEvent = SDL_FINGERDOWN - 1;

PadControls Controls(SDL_GameController* pad) {
    const auto button = [pad](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(pad, b) != 0;
    };
    PadControls c;
    c.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    c.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    c.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    c.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    c.south = button(SDL_CONTROLLER_BUTTON_A);
    c.stickX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    c.stickY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    c.trigger = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    return c;
}

}  // namespace

Pads::Pads() {
    // The south button by its place: on pads that print A elsewhere SDL would otherwise
    // follow the print.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    // As for the sound: Ctrl-C is the terminal's, not an event that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!started_) return;
    // The pads are read as they stand, never through SDL's event queue, which nothing
    // here empties: none of their events may pile up there.
    for (Uint32 type = FirstPadEvent; type <= LastPadEvent; ++type) SDL_EventState(type, SDL_IGNORE);
}

Pads::~Pads() {
    for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Pads::Read(HeldKeys& keys, bool forGame) {
    if (!started_) return;
    // Takes in what the devices reported since the last read, and which came or went.
    SDL_GameControllerUpdate();
    LetGoOfUnplugged(keys);
    OpenPluggedIn();
    for (Pad& pad : pads_)
        for (const PadKeys::Key& key : pad.keys.Read(Controls(pad.controller)))
            keys.Hold(PadSource(pad.id), key.code, forGame && key.held);
}

void Pads::LetGoOfUnplugged(HeldKeys& keys) {
    std::erase_if(pads_, [&keys](const Pad& pad) {
        if (SDL_GameControllerGetAttached(pad.controller)) return false;
        keys.ReleaseAll(PadSource(pad.id));
        SDL_GameControllerClose(pad.controller);
        return true;
    });
}

void Pads::OpenPluggedIn() {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || Known(id)) continue;
        SDL_GameController* controller = SDL_IsGameController(i) ? SDL_GameControllerOpen(i) : nullptr;
        if (controller != nullptr) {
            pads_.push_back({controller, id, {}});
        } else {
            others_.push_back(id);
        }
    }
}

bool Pads::Known(SDL_JoystickID id) const {
    return std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; }) ||
           std::find(others_.begin(), others_.end(), id) != others_.end();
}

}  // namespace quorvane
