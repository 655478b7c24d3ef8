// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "base/counting.h"
#include "base/product.h"
#include "scores/high_scores.h"

namespace quorvane {

void ViewHighScores(Platform& platform, Int16& LoopIndex, const std::string& AppName, Int16 NumHighScores) {
    const auto slots = static_cast<std::size_t>(std::max<Int16>(NumHighScores, 0));
    std::vector<Int16> scores(slots, 0);
    std::vector<std::string> names(slots);
    const Int16 last = Sub16(NumHighScores, 1);

    ForEach(LoopIndex, 0, last, [&](int i) {
        const std::string key = SlotKey(i);
        // A hand-edited score outside 16 bits shows as 0, as the check reads it.
        scores[static_cast<std::size_t>(i)] =
            ScoreOrZero(platform.ReadSetting(AppName, ScoresSection, key, DefaultScore));
        names[static_cast<std::size_t>(i)] = platform.ReadSetting(AppName, PlayersSection, key, DefaultName);
    });

    std::string text = "High Scores\r\n";
    ForEach(LoopIndex, 0, last, [&](int i) {
        const auto slot = static_cast<std::size_t>(last - i);
        text += names[slot] + "\t\t" + std::to_string(scores[slot]) + "\r\n";
    });

    platform.ShowMessage(text, std::string(ProductTitle), MessageIcon::None);
}

}  // namespace quorvane
