// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five command texts of the media device, as the media module sends them and the
// devices (the real one and quorvane-sim's) read them.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view CloseAllCommand = "close all";
inline constexpr std::string_view TimeFormatCommand = "set media time format milliseconds";
inline constexpr std::string_view PlayCommand = "play media";
inline constexpr std::string_view LengthCommand = "status media length";

// The open command: "Open", a blank, the path between double quotes, " alias media".
inline constexpr std::string_view OpenPrefix = "Open \"";
inline constexpr std::string_view OpenSuffix = "\" alias media";

inline std::string OpenCommand(const std::string& path) {
    return std::string(OpenPrefix).append(path).append(OpenSuffix);
}

// The path of an open command: everything between its quotes, double quotes included,
// so that a path can never add command words. None for any other command.
inline std::optional<std::string> OpenedPath(std::string_view command) {
    if (command.size() < OpenPrefix.size() + OpenSuffix.size() || !command.starts_with(OpenPrefix) ||
        !command.ends_with(OpenSuffix))
        return std::nullopt;
    return std::string(command.substr(OpenPrefix.size(), command.size() - OpenPrefix.size() - OpenSuffix.size()));
}

}  // namespace quorvane
