// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/checked.h"
#include "game/form.h"

namespace quorvane {

// True (-1) when the two rectangles share at least one pixel; edges are inclusive.
// Every edge is computed in checked 16-bit arithmetic, so a rectangle whose right or
// bottom edge leaves 16 bits raises Overflow even when an earlier test already failed.
Bool16 SprRectCollision(Int16 iSprx, Int16 iSpry, Int16 iSprw, Int16 iSprh,
                        Int16 jSprx, Int16 jSpry, Int16 jSprw, Int16 jSprh);

// The test on two sprites, each coordinate rounded to 16 bits, the moving one first.
bool SpritesCollide(const Sprite& moving, const Sprite& target);

}  // namespace quorvane
