// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the game's window-event handlers so that no exception crosses Qt's event
// dispatch: the program's end or a run-time error is kept and rethrown where it can
// unwind the game (how the program ends is told with ProgramEnded, in base/errors.h).

#include <exception>
#include <functional>
#include <string>

namespace quorvane {

class EventGuard {
public:
    struct Outcome {
        std::function<void()> ended;                        // the program has ended
        std::function<void(const std::string& name)> fatal;  // a run-time error reached the top
    };

    explicit EventGuard(Outcome outcome = {}) : outcome_(std::move(outcome)) {}
    void SetOutcome(Outcome outcome) { outcome_ = std::move(outcome); }

    // Runs one handler. Once an error is kept or the program has ended, no further
    // handler runs.
    void Run(const std::function<void()>& handler);

    // Rethrows a kept error, if any; from then on no handler runs.
    void Rethrow();
    // Rethrows only the program's end. A modal box calls this when it closes: the game
    // code around it may skip a failing step, so a kept run-time error waits for the
    // main loop's Rethrow().
    void RethrowEnd();
    // No handler runs any more: the program is on its way out.
    void Finish() { finished_ = true; }

    // Between these two the game's main loop runs and errors are kept for Rethrow().
    void EnterLoop() { inLoop_ = true; }
    void LeaveLoop() { inLoop_ = false; }

    bool Finished() const { return finished_; }

private:
    void Settle();

    Outcome outcome_;
    std::exception_ptr pending_;  // the end or error a handler let through, not yet rethrown
    bool pendingEnd_ = false;     // pending_ is the program's end
    bool inLoop_ = false;         // the main loop runs and will rethrow; else settle at once
    bool finished_ = false;       // the program is ending: no handler runs any more
    int depth_ = 0;               // handlers running, one inside another under a box
};

// The name an error box shows for an exception the game let through.
std::string ErrorName(const std::exception_ptr& error);

}  // namespace quorvane
