// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "base/errors.h"
#include "scores/high_scores.h"

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

}  // namespace

void CheckHighScore(Platform& platform, Int16& LoopIndex, Int32 HighScore, const std::string& AppName,
                    Int16 NumHighScores) {
    const auto slots = static_cast<std::size_t>(std::max<Int16>(NumHighScores, 0));
    std::vector<Int16> scores(slots, 0);
    std::vector<std::string> names(slots);

    for (std::size_t i = 0; i < slots; ++i) {
        const std::string key = SlotKey(static_cast<int>(i));
        Attempt([&] { scores[i] = ReadScore(platform.ReadSetting(AppName, ScoresSection, key, DefaultScore)); });
        Attempt([&] { names[i] = platform.ReadSetting(AppName, PlayersSection, key, DefaultName); });
    }

    if (const auto target = TargetSlot(scores, HighScore)) {
        MakeRoom(names, scores, *target);
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

    Attempt([&] { ViewHighScores(platform, LoopIndex, AppName, NumHighScores); });
}

}  // namespace quorvane
