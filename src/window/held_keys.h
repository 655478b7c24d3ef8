// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game keys as the window has delivered them, from every source that can hold one:
// the keyboard and each gamepad. A key counts as held while any source holds it: the
// game gets its key-down when the first source presses it and its key-up when the last
// one lets go. When the window loses the keyboard every source lets go of every key at
// once, so that no key stays held in the game with nothing holding it.

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvane {

// The keyboard, or a pad by its number, which is never negative and never given to
// another pad.
enum class KeySource : std::int32_t { Keyboard = -1 };
constexpr KeySource PadSource(std::int32_t pad) { return static_cast<KeySource>(pad); }

class HeldKeys {
public:
    // Passes a key-down (`down` true) or key-up of a virtual key code on to the game.
    using Deliver = std::function<void(int key, bool down)>;

    explicit HeldKeys(Deliver deliver) : deliver_(std::move(deliver)) {}

    // Pressing a key the source already holds (an auto-repeat) delivers nothing more.
    void Press(KeySource source, int key);
    // Releasing a key the source does not hold delivers nothing.
    void Release(KeySource source, int key);
    // Presses or releases, for a source that tells how its keys stand rather than when
    // they change.
    void Hold(KeySource source, int key, bool held);
    void ReleaseAll(KeySource source);
    // Every source lets go.
    void ReleaseAll();

    bool Held(int key) const;

private:
    struct Holding {
        KeySource source;
        int key;
        bool operator==(const Holding&) const = default;
    };

    std::vector<Holding> held_;  // a handful at most
    Deliver deliver_;
};

}  // namespace quorvane
