// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program: opens the display, builds the window and its platform, runs the game's
// load handler and then the window's events until the program ends.

#include <functional>
#include <memory>
#include <string>

#include "base/platform.h"

namespace quorvane {

inline constexpr const char* DesktopFileName = "org.quorvane.Quorvane";

// Lets a measuring harness see every call the game makes to the platform.
using PlatformWrapper = std::function<std::unique_ptr<Platform>(Platform& real)>;

// The folder under which the table of the best players is kept: ~/.config, or
// $XDG_CONFIG_HOME; where earlier versions kept it through Qt's settings.
std::string UserConfigHome();

// The exit status: 0 when the player quits, non-zero after a run-time error or with no
// display to open.
int RunQuorvane(int argc, char** argv, const PlatformWrapper& wrap = nullptr);

}  // namespace quorvane
