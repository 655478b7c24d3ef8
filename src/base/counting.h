// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's counted loops.

#include "base/checked.h"

namespace quorvane {

// Runs `body` for counter = first to last, counting with a field of the game as its
// loops do: the body may move the counter (the score viewer shares one with the step),
// and each increment is checked.
template <typename Body>
void ForEach(Int16& counter, Int16 first, Int16 last, Body&& body) {
    for (counter = first; counter <= last; counter = Add16(counter, 1)) body(counter);
}

}  // namespace quorvane
