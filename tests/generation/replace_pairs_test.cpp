#include <gtest/gtest.h>

#include <string>

#include "generation/stylesheet.h"

namespace peiseqi {
namespace {

struct ReplaceCase {
    const char* what;
    std::string text;
    std::string find;
    std::string replacement;
    std::string expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* out) {
    *out << c.what;
}

class ReplaceOnePair : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceOnePair, GivesTheExpectedText) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replace_pairs(c.text, c.find, c.replacement), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReplaceOnePair, ::testing::Values(
    ReplaceCase{"letters match in either case", "s1 S1", "s1", "R", "R R"},
    ReplaceCase{"an upper-case find matches lower case", "t12", "T12", "R", "R"},
    ReplaceCase{"every occurrence", "abcABC", "b", "x", "axcAxC"},
    ReplaceCase{"only ASCII letters fold: @ is not `", "@", "`", "x", "@"},
    ReplaceCase{"only ASCII letters fold: [ is not {", "[", "{", "x", "["},
    ReplaceCase{"GBK bytes never fold", "\xC1\xA1", "\xE1\xA1", "x", "\xC1\xA1"},
    ReplaceCase{"a GBK find matches its character", "\xBA\xEC" "a", "\xBA\xEC", "R", "Ra"},
    ReplaceCase{"no match on a second byte", "\x81s1", "s1", "R", "\x81s1"},
    ReplaceCase{"a match after a double-byte character", "\x81s1s1", "s1", "R", "\x81s1R"},
    ReplaceCase{"matches do not overlap", "aaa", "aa", "b", "ba"},
    ReplaceCase{"the replacement is not searched again", "s11", "s1", "ss1", "ss11"},
    ReplaceCase{"an empty replacement removes", "a-b-c", "-", "", "abc"},
    ReplaceCase{"an empty find changes nothing", "abc", "", "x", "abc"},
    ReplaceCase{"an empty input stays empty", "", "a", "x", ""},
    ReplaceCase{"a tail shorter than the find is kept", "abcd", "cde", "x", "abcd"},
    ReplaceCase{"a find longer than the input", "ab", "abc", "x", "ab"},
    ReplaceCase{"a lone trailing lead byte is kept", "a\x81", "b", "x", "a\x81"},
    ReplaceCase{"a lone lead byte alone", "\xB0", "x", "y", "\xB0"},
    ReplaceCase{"a match before a lone lead byte", "a\x81", "a", "b", "b\x81"},
    ReplaceCase{"a single-byte find equal to a lead byte", "\x81", "\x81", "R", "R"}
));
// clang-format on

TEST(ReplacePairs, AppliesEachPairToTheOutputOfTheOneBefore) {
    EXPECT_EQ(replace_pairs("ab", "a", "b", "b", "c"), "cc");
}

TEST(ReplacePairs, SkipsAnOmittedPairAndGoesOn) {
    EXPECT_EQ(replace_pairs("abc", "a", "x", "", "y", "b", "z", {}, {}, "c", "w"), "xzw");
}

}  // namespace
}  // namespace peiseqi
