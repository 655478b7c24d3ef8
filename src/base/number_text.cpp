// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_text.h"

#include <clocale>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace quorvane {
namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

struct Scan {
    std::size_t begin;  // where the number starts, after leading blanks
    std::size_t end;    // one past its last character; equal to begin when there is none
};

Scan ScanNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    const std::size_t begin = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t intEnd = SkipDigits(text, at);
    std::size_t end = intEnd;
    bool digits = intEnd > at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fracEnd = SkipDigits(text, end + 1);
        digits = digits || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!digits) return {begin, begin};
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        const std::size_t expEnd = SkipDigits(text, exp);
        if (expEnd > exp) end = expEnd;
    }
    return {begin, end};
}

double Convert(std::string_view number) {
    // The text is already known to be a plain decimal number, so strtod's hex and
    // "inf" forms cannot arise; the C locale keeps '.' the decimal point whatever the
    // user's locale. Out of range gives infinity (then Overflow) or zero.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string copy(number);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
    const Scan scan = ScanNumber(text);
    if (scan.end == scan.begin) return 0;
    return Convert(text.substr(scan.begin, scan.end - scan.begin));
}

std::optional<double> ReadWholeNumber(std::string_view text) {
    const Scan scan = ScanNumber(text);
    if (scan.end == scan.begin) return std::nullopt;
    for (std::size_t at = scan.end; at < text.size(); ++at)
        if (text[at] != ' ' && text[at] != '\t') return std::nullopt;
    return Convert(text.substr(scan.begin, scan.end - scan.begin));
}

}  // namespace quorvane
