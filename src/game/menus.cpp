// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/menus.h"

#include "game/game.h"
#include "scores/high_scores.h"

namespace quorvane {
namespace {

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    const char* separator = "";
    for (std::string_view line : lines) {
        text += separator;
        text += line;
        separator = "\r\n";
    }
    return text;
}

}  // namespace

std::string HowToPlayText() {
    return JoinLines({"Destroy all the grobbles using the lightning bolts . . . simple.",
                      "Arrow keys move, space fires.",
                      "From level 2 on the grobbles throw keyboards: each one that hits costs 5 health.",
                      "Clear all six to reach the next level; the ten best scores are kept."});
}

std::string AboutText() {
    return JoinLines({"Credits", "", "Programming -", "    The Quorvane developers", "",
                      "Thanks for playing!"});
}

void Game::Menu(MenuCommand command) {
    switch (command) {
        case MenuCommand::HighScores: mnuHighScores_Click(); break;
        case MenuCommand::Play: mnuPlay_Click(); break;
        case MenuCommand::About: mnuAbout_Click(); break;
        case MenuCommand::Exit: mnuExit_Click(); break;
        case MenuCommand::None: break;
    }
}

void Game::mnuHighScores_Click() {
    ViewHighScores(platform_, state_.LoopIndex, std::string(ProductTitle), HighScoreSlots);
}

void Game::mnuPlay_Click() {
    platform_.ShowMessage(HowToPlayText(), std::string(HowToPlayTitle), MessageIcon::Information);
}

void Game::mnuAbout_Click() {
    platform_.ShowMessage(AboutText(), std::string(AboutTitle), MessageIcon::Information);
}

void Game::mnuExit_Click() {
    media_.CloseMedia();
    state_.Running = False;
    Unload();
}

}  // namespace quorvane
