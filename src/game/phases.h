// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phases of one game step, in the order the step runs them.

#include "game/context.h"
#include "game/vocabulary.h"

namespace quorvane {

inline constexpr double BounceLow = 0;
inline constexpr double BounceRight = 288;
inline constexpr double BounceBottom = 208;

void KeyboardPhase(Context c);
void MonsterMovementPhase(Context c);
void PlayerPhase(Context c);
void FirePhase(Context c);
// False when no bolt is in flight: the step ends there.
bool BoltPhase(Context c);
void HitPhase(Context c);

// Parts of the phases that other phases call.
void FlyKeyboard(Context c, int slot);
void LevelAdvance(Context c);
void DeathSequence(Context c);

// A monster speed drawn for a level, and at start-up.
Int16 DrawStartSpeed(Platform& platform);
Int16 DrawLevelSpeed(Platform& platform, Int16 level);

}  // namespace quorvane
