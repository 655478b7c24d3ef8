// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a gamepad's controls hold of the game's five keys: the D-pad and the left stick
// are the arrows, the south face button and the right trigger are Space. Nothing else
// on a pad does anything, so that a pad can never quit or open a menu by accident.

#include <array>
#include <cstdint>

namespace quorvane {

// A pad's controls as they stand, in SDL's ranges.
struct PadControls {
    bool dpadUp = false;
    bool dpadDown = false;
    bool dpadLeft = false;
    bool dpadRight = false;
    bool south = false;
    std::int16_t stickX = 0;   // -32768 full left to 32767 full right
    std::int16_t stickY = 0;   // -32768 full up to 32767 full down
    std::int16_t trigger = 0;  // 0 at rest to 32767 pulled fully
};

// One direction of a stick, or a trigger, as a key. It goes on past half of the travel
// and off again only below 40% of it: a stick that rests a little off centre stays off,
// and one held near the edge does not flicker on and off.
class AxisSwitch {
public:
    static constexpr int On = 16384;
    static constexpr int Off = 13107;

    // `travel` is how far the control is pushed in this switch's direction.
    bool Update(int travel) {
        on_ = travel >= (on_ ? Off : On);
        return on_;
    }

private:
    bool on_ = false;
};

// One pad's five keys; it remembers where each stick direction and the trigger stand.
class PadKeys {
public:
    struct Key {
        int code;  // a virtual key code
        bool held;
    };

    std::array<Key, 5> Read(const PadControls& controls);

private:
    AxisSwitch left_, right_, up_, down_, trigger_;
};

}  // namespace quorvane
