// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers read from text: stored scores, and the media device's replies.

#include <optional>
#include <string_view>

namespace quorvane {

// The leading number of a text: blanks and tabs at the front are skipped, then the
// longest prefix of sign, digits with an optional fraction, and an optional exponent
// is the number. Hex, "inf" and "nan" are not numbers here. No number reads as 0.
double ReadLeadingNumber(std::string_view text);

// The number when the whole text (blanks around it aside) is one; otherwise none.
std::optional<double> ReadWholeNumber(std::string_view text);

}  // namespace quorvane
