#include <gtest/gtest.h>

#include <string>

#include "shell/gbk.h"

namespace peiseqi {
namespace {

constexpr std::string_view replacement_gbk = "\x84\x31\xA4\x37";
constexpr std::string_view replacement_utf8 = "\xEF\xBF\xBD";

struct CodecCase {
    const char* what;
    std::string utf8;
    std::string gbk;
};

void PrintTo(const CodecCase& c, std::ostream* out) {
    *out << c.what;
}

class GbkCodec : public ::testing::TestWithParam<CodecCase> {};

TEST_P(GbkCodec, ConvertsBothWays) {
    EXPECT_EQ(gbk_from_utf8(GetParam().utf8), GetParam().gbk);
    EXPECT_EQ(utf8_from_gbk(GetParam().gbk), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkCodec,
    ::testing::Values(CodecCase{"empty", "", ""}, CodecCase{"ASCII", "css.html", "css.html"},
                      CodecCase{"a zero byte inside", std::string("a\0b", 3),
                                std::string("a\0b", 3)},
                      CodecCase{"Chinese", "演示效果", "\xD1\xDD\xCA\xBE\xD0\xA7\xB9\xFB"},
                      CodecCase{"a symbol of the page", "▼", "\xA8\x8B"},
                      CodecCase{"the euro sign", "€", "\xA2\xE3"},
                      CodecCase{"an emoji outside GBK", "😀", "\x94\x39\xFC\x36"},
                      CodecCase{"mixed", "a红😀b",
                                "a\xBA\xEC\x94\x39\xFC\x36"
                                "b"}));

// Longer than any buffer the codec works in, so it has to go round more
// than once without losing or doubling a byte.
TEST(GbkCodecLong, ConvertsTextsOfAnyLength) {
    std::string utf8;
    std::string gbk;
    for (int i = 0; i < 5000; ++i) {
        utf8 += "演x😀";
        gbk += "\xD1\xDDx\x94\x39\xFC\x36";
    }
    EXPECT_EQ(gbk_from_utf8(utf8), gbk);
    EXPECT_EQ(utf8_from_gbk(gbk), utf8);
}

// GB18030 leaves every GBK string as it is, so GBK text survives a trip
// through the desktop's UTF-8 unchanged.
TEST(GbkCodecRoundTrip, KeepsEveryDoubleByteCharacter) {
    std::string gbk;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            gbk.push_back(static_cast<char>(lead));
            gbk.push_back(static_cast<char>(trail));
        }
    }
    const std::string utf8 = utf8_from_gbk(gbk);
    EXPECT_EQ(utf8.find(replacement_utf8), std::string::npos);
    EXPECT_EQ(gbk_from_utf8(utf8), gbk);
}

struct MalformedCase {
    const char* what;
    std::string input;
    std::string output;
};

void PrintTo(const MalformedCase& c, std::ostream* out) {
    *out << c.what;
}

std::string repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

class MalformedUtf8 : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedUtf8, BecomesReplacementCharactersAndTheRestIsKept) {
    EXPECT_EQ(gbk_from_utf8(GetParam().input), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MalformedUtf8,
    ::testing::Values(MalformedCase{"a byte that starts nothing",
                                    "\xFF"
                                    "b",
                                    std::string(replacement_gbk) + "b"},
                      MalformedCase{"a truncated sequence at the end", "a\xE4\xB8",
                                    "a" + repeat(replacement_gbk, 2)},
                      MalformedCase{"an overlong form", "\xC0\x80z",
                                    repeat(replacement_gbk, 2) + "z"},
                      MalformedCase{"a lone continuation byte", "x\x80y",
                                    "x" + std::string(replacement_gbk) + "y"},
                      MalformedCase{"a private-use character GB18030 does not map",
                                    "a\xEE\x9E\x8D"
                                    "b",
                                    "a" + std::string(replacement_gbk) + "b"}));

class MalformedGbk : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedGbk, BecomesReplacementCharactersAndTheRestIsKept) {
    EXPECT_EQ(utf8_from_gbk(GetParam().input), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MalformedGbk,
    ::testing::Values(MalformedCase{"a lone lead byte", "\x81", std::string(replacement_utf8)},
                      MalformedCase{"a truncated four-byte form", "\x81\x30",
                                    std::string(replacement_utf8) + "0"},
                      MalformedCase{"a byte that starts nothing",
                                    "\xFF"
                                    "a",
                                    std::string(replacement_utf8) + "a"},
                      MalformedCase{"a lone 0x80", "a\x80", "a" + std::string(replacement_utf8)}));

}  // namespace
}  // namespace peiseqi
