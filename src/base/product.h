// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's name: the window's title, the application name of the table in the
// settings store, and the title of the boxes that speak for the game as a whole.

#include <string_view>

namespace quorvane {

inline constexpr std::string_view ProductTitle = "Quorvane";

}  // namespace quorvane
