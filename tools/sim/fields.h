// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's state, sprites and labels as JSON, and the scenario's `set` applied to them.

#include <nlohmann/json.hpp>

#include "game/game.h"

namespace quorvane::sim {

nlohmann::ordered_json StateJson(const GameState& state);
nlohmann::ordered_json SpritesJson(Form& form);
nlohmann::ordered_json LabelsJson(const Form& form);

// Applies `set`; raises ScenarioError for an unknown name or a value of the wrong kind.
void ApplySet(Game& game, const nlohmann::json& set);

}  // namespace quorvane::sim
