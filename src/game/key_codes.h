// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual key codes the game's key handlers know. Every source of keys (the
// keyboard, a gamepad) hands the game these.

namespace quorvane {

enum KeyCode : int { Escape = 27, Space = 32, LeftArrow = 37, UpArrow = 38, RightArrow = 39, DownArrow = 40 };

}  // namespace quorvane
