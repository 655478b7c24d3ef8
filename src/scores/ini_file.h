// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table file's text: the INI dialect that Qt's settings class writes, read and
// written by our own code. Our reader takes every file that dialect produces exactly as
// Qt reads it, but confines each entry to its own line, so that a damaged line (a lone
// quote, a trailing backslash, binary garbage) can never swallow the entries after it.

#include <map>
#include <string>
#include <string_view>

namespace quorvane {

// Section -> key -> value, all as text. Keys outside any section live in section "".
using IniSections = std::map<std::string, std::map<std::string, std::string>>;

// Every entry that can be made out of `text`; a line that cannot is skipped. A later
// entry for the same section and key replaces an earlier one.
IniSections ParseIni(std::string_view text);

// The text Qt's settings class would write for these sections: escaped keys and values,
// sections in order, a blank line between sections. ParseIni gives the sections back.
std::string FormatIni(const IniSections& sections);

}  // namespace quorvane
