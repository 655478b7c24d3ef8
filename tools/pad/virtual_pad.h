// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A gamepad made by SDL with no device behind it, in the standard layout of SDL's game
// controllers, whose controls the tests and the benchmark set. What they set is seen at
// the next read of the pads.

#include <SDL.h>

#include <stdexcept>
#include <string>

namespace quorvane::test {

class VirtualPad {
public:
    VirtualPad() {
        // Keeps the joysticks up for as long as this pad is attached, whatever else
        // starts or stops them.
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) Fail("no joysticks");
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Quorvane test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (joystick_ == nullptr) {
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
            Fail("no virtual pad");
        }
        // A trigger at rest lies at the bottom of the joystick's range.
        Move(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
        Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    }

    ~VirtualPad() {
        Detach();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void Press(SDL_GameControllerButton button, bool down = true) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
    }

    // A stick from -32768 to 32767; a trigger from 0 (at rest) to 32767.
    void Move(SDL_GameControllerAxis axis, int value) {
        const bool trigger =
            axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const int raw = trigger ? value * 2 - 32768 : value;
        SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(raw));
    }

    // Pulls the pad out, as unplugging it would.
    void Detach() {
        if (joystick_ == nullptr) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }

private:
    [[noreturn]] static void Fail(const std::string& what) {
        throw std::runtime_error(what + ": " + SDL_GetError());
    }

    SDL_Joystick* joystick_ = nullptr;
};

}  // namespace quorvane::test
