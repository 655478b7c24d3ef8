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

// How the program ends. Escape, File > Exit and closing the window all lead to the
// game's unload handling (Game::Unload), which closes the media, clears Running, asks
// the platform to end (Platform::EndProgram: the table is saved, every window and box
// is closed) and then throws ProgramEnded. The exception unwinds whatever was running,
// so that nothing of the game runs after the end:
//  - in quorvane-sim, the driver catches it, writes the pass as the last and stops;
//  - in the real program, a handler runs inside Qt's event dispatch, where no exception
//    may pass. EventGuard keeps it there and the platform rethrows it once dispatch
//    has returned: into the main loop while the game runs it (a modal box rethrows it
//    as it closes, so the handler that opened the box unwinds too), and after the
//    loop, when the window lives on after a death, the guard quits Qt's own loop with
//    status 0. A run-time error takes the same way and ends in the error box and
//    status 1 instead. Once either is kept, no further handler runs.
struct ProgramEnded {};

}  // namespace quorvane
