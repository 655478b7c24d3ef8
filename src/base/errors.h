// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What can stop the game: a run-time error with the name its error box shows, or the
// program ending by Escape, Exit or closing the window.

#include <stdexcept>
#include <string>

namespace quorvane {

class GameError : public std::runtime_error {
public:
    explicit GameError(const std::string& name) : std::runtime_error(name) {}
    std::string Name() const { return what(); }
};

inline GameError Overflow() { return GameError("Overflow"); }
inline GameError SubscriptOutOfRange() { return GameError("Subscript out of range"); }

// Thrown by the unload handling once the program has ended; it unwinds every handler
// and the main loop, so that nothing after the end runs.
struct ProgramEnded {};

}  // namespace quorvane
