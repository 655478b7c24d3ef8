// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the best players in the settings store: entry after a death, and the viewer.

#include <string>

#include "base/checked.h"
#include "base/platform.h"
#include "scores/table_rules.h"

namespace quorvane {

// Offers a qualifying HighScore a place, asks for the name, saves the whole table and
// shows it. A failing step is skipped and the next one runs; nothing is reported.
void CheckHighScore(Platform& platform, Int16& LoopIndex, Int32 HighScore, const std::string& AppName,
                    Int16 NumHighScores);

// Shows the table, best first, counting its rows with `LoopIndex`, the game's counter
// that its step shares.
void ViewHighScores(Platform& platform, Int16& LoopIndex, const std::string& AppName, Int16 NumHighScores);

}  // namespace quorvane
