// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the table file's reader on any bytes. The sanitizers catch a read
// out of bounds; the check below catches a table that would not survive being saved:
// whatever the reader makes of a file, writing it and reading it again gives it back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scores/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quorvane::IniSections once = quorvane::ParseIni(text);
    if (quorvane::ParseIni(quorvane::FormatIni(once)) != once) __builtin_trap();
    return 0;
}
