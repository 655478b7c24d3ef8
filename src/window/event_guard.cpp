// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/event_guard.h"

#include <utility>

#include "base/errors.h"

namespace quorvane {

void EventGuard::Run(const std::function<void()>& handler) {
    if (pending_ || finished_) return;
    ++depth_;
    try {
        handler();
    } catch (const ProgramEnded&) {
        pending_ = std::current_exception();
        pendingEnd_ = true;
    } catch (...) {
        pending_ = std::current_exception();
    }
    --depth_;
    // A handler nested inside another (a timer tick under a box the first one opened)
    // leaves the error to the outer one, which the platform call it made rethrows into.
    if (depth_ == 0 && !inLoop_ && pending_) Settle();
}

void EventGuard::Rethrow() {
    if (!pending_) return;
    finished_ = true;
    pendingEnd_ = false;
    std::rethrow_exception(std::exchange(pending_, nullptr));
}

void EventGuard::RethrowEnd() {
    if (pendingEnd_) Rethrow();
}

void EventGuard::Settle() {
    std::exception_ptr error = std::exchange(pending_, nullptr);
    pendingEnd_ = false;
    finished_ = true;
    try {
        std::rethrow_exception(error);
    } catch (const ProgramEnded&) {
        if (outcome_.ended) outcome_.ended();
    } catch (...) {
        if (outcome_.fatal) outcome_.fatal(ErrorName(std::current_exception()));
    }
}

std::string ErrorName(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const GameError& e) {
        return e.Name();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace quorvane
