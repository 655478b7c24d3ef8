// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a scenario and writes its output lines; returns the exit status: 0 completed,
// 1 a run-time error of the game, 2 a bad scenario.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace quorvane::sim {

// With `storeDir`, the settings store is the real table store kept under that folder.
int RunScenario(const std::string& text, std::uint32_t seed, std::ostream& out,
                const std::optional<std::string>& storeDir = std::nullopt);
std::string ScenarioErrorLine(const std::string& text);

}  // namespace quorvane::sim
