// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/phases.h"

namespace quorvane {
namespace {
constexpr double PlayerStep = 5;
}

void PlayerPhase(Context c) {
    GameState& s = c.state;
    Sprite& p = c.form.imgPlayer;
    // Independent tests: the last one that acts sets the facing.
    if (s.UpHeld == True) { p.Top = p.Top - PlayerStep; s.Facing = FacingUp; }
    if (s.DownHeld == True) { p.Top = p.Top + PlayerStep; s.Facing = FacingDown; }
    if (s.LeftHeld == True) { p.Left = p.Left - PlayerStep; s.Facing = FacingLeft; }
    if (s.RightHeld == True) { p.Left = p.Left + PlayerStep; s.Facing = FacingRight; }
    // The far-edge clamps run last, so on a playfield narrower than the sprite they win.
    if (p.Left < 0) p.Left = 0;
    if (p.Top < 0) p.Top = 0;
    if (p.Left > c.form.ScaleWidth - p.Width) p.Left = c.form.ScaleWidth - p.Width;
    if (p.Top > c.form.ScaleHeight - p.Height) p.Top = c.form.ScaleHeight - p.Height;
}

}  // namespace quorvane
