// SPDX-License-Identifier: GPL-3.0-or-later
// The reading rule for a stored score: its leading number, rounded half to even, in 16 bits.

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/number_text.h"
#include "scores/table_rules.h"

namespace quorvane {
namespace {

struct ScoreCase {
    std::string text;
    std::optional<int> score;  // none: the read raises Overflow
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    if (c.text.size() <= 40) *os << testing::PrintToString(c.text);
    else *os << testing::PrintToString(c.text.substr(0, 12)) << "... (" << c.text.size() << " characters)";
}

class ReadScoreTest : public testing::TestWithParam<ScoreCase> {};

TEST_P(ReadScoreTest, ReadsTheLeadingNumber) {
    const ScoreCase& c = GetParam();
    if (c.score) {
        EXPECT_EQ(ReadScore(c.text), *c.score);
    } else {
        try {
            ReadScore(c.text);
            ADD_FAILURE() << "no error";
        } catch (const GameError& e) {
            EXPECT_EQ(e.Name(), "Overflow");
        }
    }
}

const std::string Zeros400(400, '0');

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadScoreTest,
    testing::Values(
        // the number, then anything
        ScoreCase{"120", 120}, ScoreCase{"12abc", 12}, ScoreCase{"1,5", 1}, ScoreCase{"7 8", 7},
        ScoreCase{"1e", 1}, ScoreCase{"1e+", 1}, ScoreCase{"1e+2x", 100}, ScoreCase{"5.", 5},
        ScoreCase{"5.e1", 50},
        // blanks and tabs in front are skipped, other white space is not
        ScoreCase{"  7", 7}, ScoreCase{"\t7", 7}, ScoreCase{" \t 7 ", 7}, ScoreCase{"\n7", 0},
        ScoreCase{"\r7", 0},
        // signs
        ScoreCase{"-3", -3}, ScoreCase{"+5", 5}, ScoreCase{"- 5", 0}, ScoreCase{"--5", 0},
        ScoreCase{"-0", 0},
        // halves go to the even neighbour
        ScoreCase{"1.5", 2}, ScoreCase{"2.5", 2}, ScoreCase{"3.5", 4}, ScoreCase{"-1.5", -2},
        ScoreCase{"-2.5", -2}, ScoreCase{".5", 0}, ScoreCase{"0.5", 0}, ScoreCase{"-0.5", 0},
        ScoreCase{"2.4999", 2}, ScoreCase{"2.5001", 3}, ScoreCase{"1.5e1", 15},
        ScoreCase{"25e-1", 2},
        // exponents
        ScoreCase{"1e3", 1000}, ScoreCase{"1E3", 1000}, ScoreCase{"-2e2", -200},
        ScoreCase{"1e-400", 0},
        // no number at all
        ScoreCase{"", 0}, ScoreCase{"   ", 0}, ScoreCase{"abc", 0}, ScoreCase{".", 0},
        ScoreCase{"-", 0}, ScoreCase{"e5", 0}, ScoreCase{".e5", 0}, ScoreCase{"inf", 0},
        ScoreCase{"-inf", 0}, ScoreCase{"infinity", 0}, ScoreCase{"nan", 0}, ScoreCase{"NaN", 0},
        ScoreCase{"\xef\xbc\x91", 0},  // a full-width digit one
        // hex is not a number here: "0" and then text
        ScoreCase{"0x10", 0}, ScoreCase{"0X1p4", 0}, ScoreCase{"0x", 0},
        // the 16-bit edges
        ScoreCase{"32767", 32767}, ScoreCase{"-32768", -32768}, ScoreCase{"32767.4", 32767},
        ScoreCase{"-32768.5", -32768}, ScoreCase{"32767.5", std::nullopt},
        ScoreCase{"32768", std::nullopt}, ScoreCase{"-32769", std::nullopt},
        ScoreCase{"99999", std::nullopt}, ScoreCase{"-40000", std::nullopt},
        ScoreCase{"1e5", std::nullopt}, ScoreCase{"1e99999", std::nullopt},
        // huge digit strings
        ScoreCase{"1" + Zeros400, std::nullopt}, ScoreCase{"-1" + Zeros400, std::nullopt},
        ScoreCase{Zeros400 + "7", 7}, ScoreCase{"0." + Zeros400 + "1", 0},
        ScoreCase{"1" + Zeros400 + "e-400", 1}, ScoreCase{std::string(100000, '9'), std::nullopt}));

}  // namespace
}  // namespace quorvane
