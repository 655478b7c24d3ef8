// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pad_keys.h"

#include "game/vocabulary.h"

namespace quorvane {

std::array<PadKeys::Key, 5> PadKeys::Read(const PadControls& c) {
    // Every switch is updated whatever the D-pad holds, so that each keeps its place.
    const int x = c.stickX;
    const int y = c.stickY;
    const bool stickLeft = left_.Update(-x);
    const bool stickRight = right_.Update(x);
    const bool stickUp = up_.Update(-y);
    const bool stickDown = down_.Update(y);
    const bool pulled = trigger_.Update(c.trigger);
    return {{{KeyCode::Up, c.dpadUp || stickUp},
             {KeyCode::Down, c.dpadDown || stickDown},
             {KeyCode::Left, c.dpadLeft || stickLeft},
             {KeyCode::Right, c.dpadRight || stickRight},
             {KeyCode::Space, c.south || pulled}}};
}

}  // namespace quorvane
