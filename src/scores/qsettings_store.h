// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user settings store on QSettings: application -> section -> key -> text.
// On Linux an INI file under the XDG config folder, one file per application name.

#include <string>

namespace quorvane {

class QSettingsStore {
public:
    std::string Read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& fallback) const;
    void Write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value);
};

}  // namespace quorvane
