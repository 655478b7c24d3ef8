// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tests' own settings folder. A global test environment points XDG_CONFIG_HOME at a
// fresh temporary folder before the first QSettings exists, so no test can reach the
// user's own table.

#include <string>

namespace quorvane::test {

// The temporary folder standing in for the user's config folder.
const std::string& ConfigHome();

// The INI file QSettings keeps the table of `app` in.
std::string TableFile(const std::string& app = "Quorvane");

// Empties the table of `app`, through QSettings so that its cache agrees.
void ClearTable(const std::string& app = "Quorvane");

}  // namespace quorvane::test
