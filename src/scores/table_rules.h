// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the best players as it is stored, and the rule that gives a new score
// its place. The check after a death and the store's redo of a save that another game
// overtook both place entries by this one rule.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/checked.h"

namespace quorvane {

inline constexpr Int16 HighScoreSlots = 10;
inline constexpr const char* ScoresSection = "High Scores";
inline constexpr const char* PlayersSection = "Best Players";
inline constexpr const char* DefaultScore = "0";
inline constexpr const char* DefaultName = "None";

// The key of slot i in both sections: a blank, then i.
std::string SlotKey(int slot);

// A stored score: the leading number rounded half to even; raises Overflow outside
// 16 bits.
Int16 ReadScore(std::string_view text);

// A stored score as a slot reads it: the leading number rounded half to even, or 0 when
// that lies outside 16 bits.
Int16 ScoreOrZero(std::string_view text);

// Table scores are 16-bit; a better game score takes the top value rather than failing.
Int16 TableScore(Int32 score);

// The highest slot whose score is strictly below `score`; none when there is no such slot.
std::optional<std::size_t> TargetSlot(const std::vector<Int16>& scores, Int32 score);

// Makes room at `target`: the lowest entry drops out, those up to the target move down
// one; the target's own entry is left to be replaced.
void MakeRoom(std::vector<std::string>& names, std::vector<Int16>& scores, std::size_t target);

}  // namespace quorvane
