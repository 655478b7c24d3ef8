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
    if (s.UpHeld == True) { p.Top = p.Top - PlayerStep; s.Facing = "Up"; }
    if (s.DownHeld == True) { p.Top = p.Top + PlayerStep; s.Facing = "Down"; }
    if (s.LeftHeld == True) { p.Left = p.Left - PlayerStep; s.Facing = "Left"; }
    if (s.RightHeld == True) { p.Left = p.Left + PlayerStep; s.Facing = "Right"; }
    // The far-edge clamps run last, so on a playfield narrower than the sprite they win.
    if (p.Left < 0) p.Left = 0;
    if (p.Top < 0) p.Top = 0;
    if (p.Left > c.form.ScaleWidth - p.Width) p.Left = c.form.ScaleWidth - p.Width;
    if (p.Top > c.form.ScaleHeight - p.Height) p.Top = c.form.ScaleHeight - p.Height;
}

}  // namespace quorvane
