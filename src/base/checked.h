// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integer arithmetic of the game: 16- and 32-bit signed values whose additions and
// subtractions raise Overflow instead of wrapping, and rounding to the nearest integer
// with exact halves to the even neighbour.

#include <cstdint>

namespace quorvane {

using Int16 = std::int16_t;
using Int32 = std::int32_t;

// A 16-bit boolean: true is -1, false is 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 True = -1;
inline constexpr Bool16 False = 0;

Int16 Add16(Int16 a, Int16 b);
Int16 Sub16(Int16 a, Int16 b);
Int16 Mul16(Int16 a, Int16 b);
Int16 Neg16(Int16 a);
Int16 Abs16(Int16 a);
Int32 Add32(Int32 a, Int32 b);

Int16 Round16(double value);
Int32 Round32(double value);

// Milliseconds from `earlier` to `later`, taken modulo 2^32, so that a tick count
// that wraps still gives the true distance.
inline std::uint32_t TicksSince(Int32 later, Int32 earlier) {
    return static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier);
}

}  // namespace quorvane
