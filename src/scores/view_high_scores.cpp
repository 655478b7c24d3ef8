// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "game/context.h"
#include "game/errors.h"
#include "scores/high_scores.h"
#include "scores/score_text.h"

namespace quorvane {
namespace {

// A hand-edited score outside 16 bits shows as 0, as the check reads it.
Int16 ScoreOrZero(const std::string& text) {
    try {
        return ReadScore(text);
    } catch (const GameError&) {
        return 0;
    }
}

}  // namespace

void ViewHighScores(Platform& platform, GameState& state, const std::string& AppName,
                    Int16 NumHighScores) {
    const auto slots = static_cast<std::size_t>(std::max<Int16>(NumHighScores, 0));
    std::vector<Int16> scores(slots, 0);
    std::vector<std::string> names(slots);
    const Int16 last = Sub16(NumHighScores, 1);

    ForEach(state.LoopIndex, 0, last, [&](int i) {
        const std::string key = SlotKey(i);
        scores[static_cast<std::size_t>(i)] =
            ScoreOrZero(platform.ReadSetting(AppName, ScoresSection, key, "0"));
        names[static_cast<std::size_t>(i)] = platform.ReadSetting(AppName, PlayersSection, key, "None");
    });

    std::string text = "High Scores\r\n";
    ForEach(state.LoopIndex, 0, last, [&](int i) {
        const auto slot = static_cast<std::size_t>(last - i);
        text += names[slot] + "\t\t" + std::to_string(scores[slot]) + "\r\n";
    });

    platform.MessageBox(text, std::string(ProductTitle), MessageIcon::None);
}

}  // namespace quorvane
