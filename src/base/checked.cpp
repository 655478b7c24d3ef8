// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/checked.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "base/errors.h"

namespace quorvane {
namespace {

template <typename T>
T RoundTo(double value) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
        throw Overflow();  // also NaN
    return static_cast<T>(rounded);
}

}  // namespace

// The builtins give the wrapped result and whether it overflowed.
#define QUORVANE_CHECKED(Type, builtin)          \
    Type r;                                      \
    if (builtin(a, b, &r)) throw Overflow();     \
    return r

Int16 Add16(Int16 a, Int16 b) { QUORVANE_CHECKED(Int16, __builtin_add_overflow); }
Int16 Sub16(Int16 a, Int16 b) { QUORVANE_CHECKED(Int16, __builtin_sub_overflow); }
Int16 Mul16(Int16 a, Int16 b) { QUORVANE_CHECKED(Int16, __builtin_mul_overflow); }
Int32 Add32(Int32 a, Int32 b) { QUORVANE_CHECKED(Int32, __builtin_add_overflow); }
#undef QUORVANE_CHECKED

Int16 Neg16(Int16 a) { return Sub16(0, a); }
Int16 Abs16(Int16 a) { return a < 0 ? Neg16(a) : a; }

Int16 Round16(double value) { return RoundTo<Int16>(value); }
Int32 Round32(double value) { return RoundTo<Int32>(value); }

}  // namespace quorvane
