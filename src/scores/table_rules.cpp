// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_rules.h"

#include <limits>

#include "base/errors.h"
#include "base/number_text.h"

namespace quorvane {

// Appended rather than " " + text: GCC 12 gives a false -Wrestrict for that at -O3.
std::string SlotKey(int slot) { return std::string(" ").append(std::to_string(slot)); }

Int16 ReadScore(std::string_view text) { return Round16(ReadLeadingNumber(text)); }

Int16 ScoreOrZero(std::string_view text) {
    try {
        return ReadScore(text);
    } catch (const GameError&) {
        return 0;
    }
}

Int16 TableScore(Int32 score) {
    return score > std::numeric_limits<Int16>::max() ? std::numeric_limits<Int16>::max()
                                                     : static_cast<Int16>(score);
}

std::optional<std::size_t> TargetSlot(const std::vector<Int16>& scores, Int32 score) {
    std::optional<std::size_t> target;
    for (std::size_t i = 0; i < scores.size(); ++i)
        if (score > scores[i]) target = i;
    return target;
}

void MakeRoom(std::vector<std::string>& names, std::vector<Int16>& scores, std::size_t target) {
    // Moved, not copied: each slot moved from is filled again right after.
    for (std::size_t i = 0; i < target; ++i) {
        names[i] = std::move(names[i + 1]);
        scores[i] = scores[i + 1];
    }
}

}  // namespace quorvane
