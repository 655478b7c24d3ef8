// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu tree and the texts of the two information boxes.

#include <array>
#include <string>
#include <string_view>

namespace quorvane {

enum class MenuCommand { None, HighScores, Play, About, Exit };

struct MenuEntry {
    std::string_view Name;
    std::string_view Caption;  // "&" marks the access key; "-" is a separator
    int Depth;                 // 0: on the menu bar; 1: inside the menu above it
    MenuCommand Command;
};

inline constexpr std::array<MenuEntry, 7> MenuTree{{
    {"mnuFile", "&File", 0, MenuCommand::None},
    {"mnuHighScores", "&View High Scores", 1, MenuCommand::HighScores},
    {"mnuSep", "-", 1, MenuCommand::None},
    {"mnuExit", "E&xit", 1, MenuCommand::Exit},
    {"mnuHelp", "&Help", 0, MenuCommand::None},
    {"mnuPlay", "How to &Play", 1, MenuCommand::Play},
    {"mnuAbout", "&About", 1, MenuCommand::About},
}};

// The command of the entry named `name`; None for a name that is no command's.
constexpr MenuCommand CommandNamed(std::string_view name) {
    for (const MenuEntry& entry : MenuTree)
        if (entry.Name == name) return entry.Command;
    return MenuCommand::None;
}

inline constexpr std::string_view HowToPlayTitle = "How to Play - Quorvane";
inline constexpr std::string_view AboutTitle = "About Quorvane";

// Lines joined by CR LF, no line break after the last.
std::string HowToPlayText();
std::string AboutText();

}  // namespace quorvane
