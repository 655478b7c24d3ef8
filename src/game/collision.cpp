// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/collision.h"

namespace quorvane {

Bool16 SprRectCollision(Int16 iSprx, Int16 iSpry, Int16 iSprw, Int16 iSprh,
                        Int16 jSprx, Int16 jSpry, Int16 jSprw, Int16 jSprh) {
    Bool16 result = True;
    if (Add16(Sub16(iSprw, 1), iSprx) < jSprx) result = False;
    if (Add16(Sub16(iSprh, 1), iSpry) < jSpry) result = False;
    if (iSprx > Add16(Sub16(jSprw, 1), jSprx)) result = False;
    if (iSpry > Add16(Sub16(jSprh, 1), jSpry)) result = False;
    return result;
}

bool SpritesCollide(const Sprite& moving, const Sprite& target) {
    return SprRectCollision(Round16(moving.Left), Round16(moving.Top), Round16(moving.Width),
                            Round16(moving.Height), Round16(target.Left), Round16(target.Top),
                            Round16(target.Width), Round16(target.Height)) == True;
}

}  // namespace quorvane
