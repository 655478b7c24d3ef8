// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the game: the texts its sprites carry as tags and its labels show, the
// virtual key codes its key handlers know, and the values a game starts with. The core,
// the window, quorvane-sim and the tests all take them from here.

#include <string>
#include <string_view>

#include "base/checked.h"
#include "base/product.h"
#include "game/form.h"

namespace quorvane {

// Tags. A monster's tag says it was destroyed, a keyboard's that it is in flight; the
// bolt's is its direction of flight, one of the facings, or empty.
inline constexpr std::string_view DeadTag = "Dead";
inline constexpr std::string_view FiredTag = "Fired";
inline constexpr std::string_view FacingUp = "Up";
inline constexpr std::string_view FacingDown = "Down";
inline constexpr std::string_view FacingLeft = "Left";
inline constexpr std::string_view FacingRight = "Right";

// The virtual key codes of the keys the game knows.
namespace KeyCode {
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
}  // namespace KeyCode

// The start of a game.
inline constexpr Int16 StartHealth = 100;
inline constexpr Int16 MonstersPerLevel = Slots;

// What the labels and the title show.
inline std::string ScoreCaption(Int32 score) { return "Score - " + std::to_string(score); }
inline std::string HealthCaption(Int16 health) { return "Health - " + std::to_string(health); }
inline std::string LevelTitle(Int16 level) { return std::string(ProductTitle) + " - Level " + std::to_string(level); }

}  // namespace quorvane
