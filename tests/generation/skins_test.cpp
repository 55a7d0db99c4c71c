#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "generation/preview.h"
#include "generation/stylesheet.h"
#include "slot_window.h"

namespace peiseqi::testing {
namespace {

constexpr std::string_view last_base_rule =
    ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{ color:#ffffff; background-color:#050505; }";
constexpr std::string_view last_override_rule =
    ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{color:#ffffff;background:#050505;}";

bool ends_with(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

struct SkinCase {
    BaseSkinId skin;
    const char* name;
    std::size_t length;
    std::uint64_t digest;
    // What follows the common head: nothing, two empty lines, or one line end.
    std::string_view join;
    std::string_view ending;
};

void PrintTo(const SkinCase& c, std::ostream* out) {
    *out << c.name;
}

class SkinHead : public ::testing::TestWithParam<SkinCase> {};

// The digests were taken from the heads put together independently from
// their line tables; they catch a changed byte anywhere.
const SkinCase skin_cases[] = {
    {BaseSkinId::sky_blue, "sky_blue", 2668, 0x4d497cf7b1caaf0du, "", last_base_rule},
    {BaseSkinId::grass_green, "grass_green", 3726, 0xf07d44d310cb47d6u, "\r\n.",
     "#050505;}\r\n\r\n"},
    {BaseSkinId::pink, "pink", 3726, 0x42fec5e49324e2fcu, "\r\n.", "#050505;}\r\n\r\n"},
    {BaseSkinId::black_white, "black_white", 3726, 0x0ee27e959938a4cbu, "\r\n\r\n\r\n.",
     last_override_rule},
    {BaseSkinId::goose_yellow, "goose_yellow", 3726, 0x11d82bfc6ac8f1beu, "\r\n.",
     "#050505;}\r\n\r\n"},
};

TEST_P(SkinHead, HasItsLengthAndBytes) {
    const std::string& head = skin_head(GetParam().skin);
    EXPECT_EQ(head.size(), GetParam().length);
    EXPECT_EQ(fnv1a(head), GetParam().digest);
}

TEST_P(SkinHead, BeginsWithTheCommonHeadAndJoinsItsRulesAsItsFormSays) {
    const std::string& base = skin_head(BaseSkinId::sky_blue);
    const std::string& head = skin_head(GetParam().skin);
    ASSERT_EQ(head.compare(0, base.size(), base), 0);
    EXPECT_EQ(head.substr(base.size(), GetParam().join.size()), GetParam().join);
}

TEST_P(SkinHead, EndsAsItsFormSays) {
    const std::string& head = skin_head(GetParam().skin);
    EXPECT_TRUE(ends_with(head, GetParam().ending));
    EXPECT_FALSE(ends_with(head, "\r\n\r\n\r\n"));
    if (GetParam().ending.back() == '}') {
        EXPECT_FALSE(ends_with(head, "\r\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinHead, ::testing::ValuesIn(skin_cases));

struct OverrideCase {
    BaseSkinId skin;
    std::string_view bar_rule;
    std::string_view link_rule;
};

class SkinOverride : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(SkinOverride, ColoursTheBarInTheSkinsOwnColours) {
    const std::string& head = skin_head(GetParam().skin);
    const std::size_t rules = skin_head(BaseSkinId::sky_blue).size();
    for (const std::string_view rule : {GetParam().bar_rule, GetParam().link_rule}) {
        EXPECT_NE(head.find("\n" + std::string(rule) + "\r\n", rules), std::string::npos) << rule;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinOverride,
    ::testing::Values(
        OverrideCase{BaseSkinId::grass_green, ".skin-box-bd{background:#6aa532;}",
                     ".skin-box-bd .menu-list .menu .link{background:#6aa532;color:#cce4ba;"
                     "border-right:1px solid #5e932d;}"},
        OverrideCase{BaseSkinId::pink, ".skin-box-bd{background:#cf2440;}",
                     ".skin-box-bd .menu-list .menu .link{background:#cf2440;color:#ffbcc7;"
                     "border-right:1px solid #b82039;}"},
        OverrideCase{BaseSkinId::black_white, ".skin-box-bd{background:#1d1d1d;}",
                     ".skin-box-bd .menu-list .menu .link{background:#1d1d1d;color:#ffffff;"
                     "border-right:1px solid #1a1a1a;}"},
        OverrideCase{BaseSkinId::goose_yellow, ".skin-box-bd{background:#d7ac4f;}",
                     ".skin-box-bd .menu-list .menu .link{background:#d7ac4f;color:#ffffff;"
                     "border-right:1px solid #bf9946;}"}));

TEST(SkinBaseHead, OpensTheDocumentAndHasOnlyTheTitleOutsideAscii) {
    const std::string& head = skin_head(BaseSkinId::sky_blue);
    EXPECT_EQ(head.rfind("<HTML lang=zh-CN xml:lang=\"zh-CN\" "
                         "xmlns=\"http://www.w3.org/1999/xhtml\"><HEAD><TITLE>"
                         "\xD1\xDD\xCA\xBE\xD0\xA7\xB9\xFB</TITLE>\r\n<STYLE>\r\n",
                         0),
              0u);
    EXPECT_EQ(std::count_if(head.begin(), head.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
              8);
}

TEST(StylesheetTemplateText, HasItsBytes) {
    EXPECT_EQ(StylesheetTemplate.size(), 720u);
    EXPECT_EQ(fnv1a(StylesheetTemplate), 0x7d9777a2267c5af5u);
}

TEST(PageBodyText, HasItsBytesAndIsPlainGbk) {
    const std::string& body = page_body();
    EXPECT_EQ(body.size(), 1368u);
    EXPECT_EQ(fnv1a(body), 0x68834bb264941aa4u);
    EXPECT_EQ(body.rfind("\r\n\r\n</STYLE>\r\n</HEAD>\r\n", 0), 0u);
    EXPECT_EQ(line_of(body, 6), " -->");
    EXPECT_TRUE(ends_with(body, "</UL></DIV></BODY></HTML>"));
    // Two-byte characters only: no four-byte GB18030 form slipped in.
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (static_cast<unsigned char>(body[i]) >= 0x80) {
            ASSERT_LT(i + 1, body.size());
            EXPECT_GE(static_cast<unsigned char>(body[i + 1]), 0x40) << "at " << i;
            ++i;
        }
    }
}

}  // namespace
}  // namespace peiseqi::testing
