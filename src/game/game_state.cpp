// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_state.h"

#include "base/errors.h"

namespace quorvane {

Int16& At(SlotArray& array, int index) {
    if (index < 0 || index >= Slots) throw SubscriptOutOfRange();
    return array[static_cast<std::size_t>(index)];
}

}  // namespace quorvane
