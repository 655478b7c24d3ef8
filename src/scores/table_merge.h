// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a save that another game overtook is made again.

#include "scores/ini_file.h"

namespace quorvane {

// The file's new contents for `writes`, made against the table `base` as the game read
// it, now that the file holds `fresh`. When nothing changed in between, that is `base`
// with the writes. Otherwise the entries the writes added to the table are placed in
// the fresh table by the table's own rule (entries that no longer qualify drop out),
// and any other write is applied as it is.
IniSections MergeSave(const IniSections& base, IniSections writes, const IniSections& fresh);

}  // namespace quorvane
