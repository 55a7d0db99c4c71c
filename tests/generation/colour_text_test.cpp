#include <gtest/gtest.h>

#include "generation/colour_slots.h"

namespace peiseqi {
namespace {

struct HexCase {
    Colour colour;
    const char* text;
};

class ColourToHexText : public ::testing::TestWithParam<HexCase> {};

TEST_P(ColourToHexText, GivesRedGreenBlueInUpperCase) {
    EXPECT_EQ(colour_to_hex_text(GetParam().colour), GetParam().text);
}

// Colours are 0x00BBGGRR, so the text reads the bytes in reverse.
INSTANTIATE_TEST_SUITE_P(
    Examples, ColourToHexText,
    ::testing::Values(HexCase{0x00000000, "#000000"}, HexCase{0x00FFFFFF, "#FFFFFF"},
                      HexCase{0x000080FF, "#FF8000"}, HexCase{0x00FF8000, "#0080FF"},
                      HexCase{0x12345678, "#785634"}, HexCase{0xAB0000FF, "#FF0000"},
                      HexCase{0x000A0005, "#05000A"}, HexCase{0xFF000000, "#000000"}));

}  // namespace
}  // namespace peiseqi
