// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game keys as the window has delivered them, from every source that can hold one.
// A key counts as held while any source holds it: the game gets its key-down when the
// first source presses it and its key-up when the last one lets go. A source that can
// no longer tell when its keys come up (the window lost the keyboard) lets go of all
// of them at once, so that no key stays held in the game with nothing holding it.

#include <functional>
#include <vector>

namespace quorvane {

enum class KeySource { Keyboard };

class HeldKeys {
public:
    // Passes a key-down (`down` true) or key-up of a virtual key code on to the game.
    using Deliver = std::function<void(int key, bool down)>;

    explicit HeldKeys(Deliver deliver) : deliver_(std::move(deliver)) {}

    // Pressing a key the source already holds (an auto-repeat) delivers nothing more.
    void Press(KeySource source, int key);
    // Releasing a key the source does not hold delivers nothing.
    void Release(KeySource source, int key);
    void ReleaseAll(KeySource source);

    bool Held(int key) const;

private:
    struct Hold {
        KeySource source;
        int key;
        bool operator==(const Hold&) const = default;
    };

    std::vector<Hold> held_;  // a handful at most
    Deliver deliver_;
};

}  // namespace quorvane
