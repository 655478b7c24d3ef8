// SPDX-License-Identifier: GPL-3.0-or-later
#include <limits>
#include <optional>
#include <vector>

#include "game/errors.h"
#include "scores/high_scores.h"
#include "scores/score_text.h"

namespace quorvane {
namespace {

// Runs one step of the check; a run-time error abandons just that step.
template <typename StepBody>
void Attempt(StepBody&& body) {
    try {
        body();
    } catch (const GameError&) {
    }
}

// Table scores are 16-bit; a better game score takes the top value rather than failing.
Int16 TableScore(Int32 score) {
    return score > std::numeric_limits<Int16>::max() ? std::numeric_limits<Int16>::max()
                                                     : static_cast<Int16>(score);
}

}  // namespace

// Appended rather than " " + text: GCC 12 gives a false -Wrestrict for that at -O3.
std::string SlotKey(int slot) { return std::string(" ").append(std::to_string(slot)); }

void CheckHighScore(Platform& platform, GameState& state, Int32 HighScore,
                    const std::string& AppName, Int16 NumHighScores) {
    const auto slots = static_cast<std::size_t>(std::max<Int16>(NumHighScores, 0));
    std::vector<Int16> scores(slots, 0);
    std::vector<std::string> names(slots);

    for (std::size_t i = 0; i < slots; ++i) {
        const std::string key = SlotKey(static_cast<int>(i));
        Attempt([&] { scores[i] = ReadScore(platform.ReadSetting(AppName, ScoresSection, key, "0")); });
        Attempt([&] { names[i] = platform.ReadSetting(AppName, PlayersSection, key, "None"); });
    }

    std::optional<std::size_t> target;
    for (std::size_t i = 0; i < slots; ++i)
        if (HighScore > scores[i]) target = i;

    if (target) {
        // The lowest entry drops out; those below the target move down one slot.
        for (std::size_t i = 0; i < *target; ++i) {
            names[i] = names[i + 1];
            scores[i] = scores[i + 1];
        }
        std::string answer;
        Attempt([&] { answer = platform.InputBox("New High Score!", "Enter your name."); });
        scores[*target] = TableScore(HighScore);
        names[*target] = answer;
        for (std::size_t i = 0; i < slots; ++i) {
            const std::string key = SlotKey(static_cast<int>(i));
            Attempt([&] { platform.WriteSetting(AppName, ScoresSection, key, std::to_string(scores[i])); });
            Attempt([&] { platform.WriteSetting(AppName, PlayersSection, key, names[i]); });
        }
    }

    Attempt([&] { ViewHighScores(platform, state, AppName, NumHighScores); });
}

}  // namespace quorvane
