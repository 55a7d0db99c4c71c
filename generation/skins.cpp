#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "generation/preview.h"
#include "shell/gbk.h"

namespace peiseqi {
namespace {

// The head common to every skin, in the sky-blue scheme. The source is UTF-8;
// only the title is not ASCII, and it is converted once on first use.
constexpr std::string_view SkinBaseHead =
    "<HTML lang=zh-CN xml:lang=\"zh-CN\" xmlns=\"http://www.w3.org/1999/xhtml\">"
    "<HEAD><TITLE>演示效果</TITLE>\r\n"
    "<STYLE>\r\n"
    "body\t{ width:470px; margin:0; padding:0; font-size:12px; color:#ffffff; }\r\n"
    "a\t\t{ text-decoration:none; font-size:12px; }\r\n"
    "a:hover\t{ text-decoration:none; font-size:12px; }\r\n"
    "img\t\t{ border:0px; }\r\n"
    "ul\t\t{ list-style-type:none;margin:0; padding:0; list-style:none; }\r\n"
    "h4\t\t{ font-weight:normal; margin:0; padding:0; }\r\n"
    "li\t\t{ padding:0; margin:0; }\r\n"
    "\r\n"
    ".skin-box-bd{ height:29px; background:#3f7fce; }\r\n"
    ".skin-box-bd .menu-list{ background:#3f7fce;  margin-left:30px;margin-right:30px; }\r\n"
    ".skin-box-bd .menu-list li{ float:left; }\r\n"
    ".skin-box-bd .menu-list .menu{ background:#3f7fce; }\r\n"
    ".skin-box-bd .menu-list .menu .link{ background:#3f7fce;color:#c2d5ed;border-right:1px solid "
    "#3871b7; float:left; height:29px; line-height:29px; padding:0 18px 0 18px; }\r\n"
    ".skin-box-bd .menu-list .menu .home{ background:#174276; }\r\n"
    ".skin-box-bd .menu-list .menu .link:hover{ background:#2c5990;color:#ffffff; }\r\n"
    ".skin-box-bd .menu-list .menu .link .title{  }\r\n"
    ".skin-box-bd .menu-list .menu .link .title:hover{  }\r\n"
    ".all-cats\t{ background:#3f7fce; width:102px; height:29px; line-height:29px; float:left; }\r\n"
    ".all-cats .link{ background:#3f7fce;color:#c2d5ed; float:left; height:29px; "
    "line-height:29px; padding:0 18px 0 18px; }\r\n"
    ".all-cats .link:hover{ background:#2c5990;color:#ffffff; }\r\n"
    ".all-cats .link .title{  }\r\n"
    ".all-cats .link .title:hover{  }\r\n"
    ".popup-content{ padding:0px;margin:0px; width:180px; }\r\n"
    ".popup-content .popup-inner{ padding:0px;margin:0px;background:#2c5990; }\r\n"
    ".popup-content .cat-name{ background:#2c5990;color:#c2d5ed; float:left; width:163px; "
    "height:30px; padding:0 0 0 17px; }\r\n"
    ".popup-content .cat-name:hover{ background:#174276;color:#ffffff; }\r\n"
    ".popup-inner .cats-tree\t{  }\r\n"
    ".popup-inner .cats-tree .fst-cat{ background:#2c5990;color:#c2d5ed;border-top:solid 1px "
    "#1c477c; height:26px;line-height:30px; }\r\n"
    ".popup-inner .cats-tree .fst-cat:hover{ background:#174276;color:#ffffff; }\r\n"
    ".popup-inner .cats-tree .fst-cat .cat-hd .fst-cat-name{  }\r\n"
    ".popup-inner .cats-tree .fst-cat .cat-hd .fst-cat-name:hover{  }\r\n"
    ".snd-pop-inner{\r\n"
    "\tposition:absolute;left:180px;width:180px;\r\n"
    "\theight:auto;padding:0px;margin:0px;\r\n"
    "\tfilter:alpha(opacity=100);   \r\n"
    "\t-moz-opacity:1;   \r\n"
    "\t-khtml-opacity: 1;   \r\n"
    "\topacity: 1; \r\n"
    "}\r\n"
    ".snd-pop-inner .fst-cat-bd{ padding:0px;margin:0px;background-color:#262626; }\r\n"
    ".snd-pop-inner .fst-cat-bd .snd-cat-hd{  }\r\n"
    ".snd-pop-inner .fst-cat-bd .snd-cat-name{ color:#709ace;background-color:#262626; "
    "float:left; width:180px; height:30px; padding:0 0 0 12px; }\r\n"
    ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{ color:#ffffff; background-color:#050505; }";

// The seventeen override rules with '%' where each skin puts a colour of its
// own; the four coloured skins differ in nothing else.
constexpr std::array<std::string_view, 17> SkinColourRules{{
    ".skin-box-bd{background:%;}",
    ".skin-box-bd .menu-list{background:%;}",
    ".skin-box-bd .menu-list .menu{background:%;}",
    ".skin-box-bd .menu-list .menu .link{background:%;color:%;border-right:1px solid %;}",
    ".skin-box-bd .menu-list .menu .home{ background:%; }",
    ".skin-box-bd .menu-list .menu .link:hover{background:%;color:%;}",
    ".all-cats\t{ background:%; }",
    ".all-cats .link{background:%;color:%;}",
    ".all-cats .link:hover{background:%;color:%;}",
    ".popup-content .popup-inner{background:%;}",
    ".popup-content .cat-name{color:%;background:%;}",
    ".popup-content .cat-name:hover{color:%;background:%;}",
    ".popup-inner .cats-tree .fst-cat{background:%;border-top:solid 1px %;}",
    ".popup-inner .cats-tree .fst-cat:hover{background:%;color:%;}",
    ".snd-pop-inner {background:%;}",
    ".snd-pop-inner .fst-cat-bd .snd-cat-name{color:%;background:%;}",
    ".snd-pop-inner .fst-cat-bd .snd-cat-name:hover{color:%;background:%;}",
}};

constexpr std::size_t rule_colour_count = 28;
using RuleColours = std::array<std::string_view, rule_colour_count>;

// clang-format off
constexpr RuleColours black_white_colours{{
    "#1d1d1d", "#1d1d1d", "#1d1d1d", "#1d1d1d", "#ffffff", "#1a1a1a", "#ff3300",
    "#ffffff", "#000000", "#1d1d1d", "#1d1d1d", "#ffffff", "#ffffff", "#000000",
    "#ffffff", "#000000", "#ffffff", "#000000", "#e6e6e6", "#ffffff", "#ececec",
    "#e6e6e6", "#000000", "#000000", "#cccccc", "#000000", "#ffffff", "#050505",
}};
constexpr RuleColours grass_green_colours{{
    "#6aa532", "#6aa532", "#6aa532", "#6aa532", "#cce4ba", "#5e932d", "#3a7012",
    "#508528", "#ffffff", "#6aa532", "#6aa532", "#cce4ba", "#508528", "#ffffff",
    "#508528", "#cce4ba", "#508528", "#ffffff", "#3a7012", "#508528", "#3b7113",
    "#3a7012", "#ffffff", "#000000", "#cccccc", "#000000", "#ffffff", "#050505",
}};
constexpr RuleColours pink_colours{{
    "#cf2440", "#cf2440", "#cf2440", "#cf2440", "#ffbcc7", "#b82039", "#7f0a1e",
    "#a2142c", "#ffffff", "#cf2440", "#cf2440", "#ffbcc7", "#a2142c", "#ffffff",
    "#a2142c", "#ffbcc7", "#a2142c", "#ffffff", "#7f0a1e", "#a2142c", "#870c21",
    "#7f0a1e", "#ffffff", "#000000", "#cccccc", "#000000", "#ffffff", "#050505",
}};
constexpr RuleColours goose_yellow_colours{{
    "#d7ac4f", "#d7ac4f", "#d7ac4f", "#d7ac4f", "#ffffff", "#bf9946", "#986800",
    "#bd8c22", "#ffffff", "#d7ac4f", "#d7ac4f", "#ffffff", "#bd8c22", "#ffffff",
    "#bd8c22", "#ffffff", "#bd8c22", "#ffffff", "#986800", "#bd8c22", "#9a6a02",
    "#986800", "#ffffff", "#000000", "#cccccc", "#000000", "#ffffff", "#050505",
}};
// clang-format on

// The rules in one skin's colours, one text per line, without line ends.
std::array<std::string, 17> colour_rules(const RuleColours& colours) {
    std::array<std::string, 17> lines;
    std::size_t next = 0;
    for (std::size_t n = 0; n < SkinColourRules.size(); ++n) {
        for (const char c : SkinColourRules[n]) {
            if (c == '%') {
                lines[n].append(colours[next++]);
            } else {
                lines[n].push_back(c);
            }
        }
    }
    return lines;
}

// Form A: two empty lines after the base, the rules joined, no final line end.
std::string form_a_head(const RuleColours& colours) {
    std::string head = gbk_from_utf8(SkinBaseHead);
    head.append("\r\n\r\n\r\n");
    const auto lines = colour_rules(colours);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (n > 0) {
            head.append("\r\n");
        }
        head.append(lines[n]);
    }
    return head;
}

// Form B: each rule ends its line, and an empty line follows the last.
std::string form_b_head(const RuleColours& colours) {
    std::string head = gbk_from_utf8(SkinBaseHead);
    head.append("\r\n");
    for (const std::string& line : colour_rules(colours)) {
        head.append(line).append("\r\n");
    }
    head.append("\r\n");
    return head;
}

}  // namespace

const std::string& skin_head(BaseSkinId skin) {
    static const std::string sky_blue = gbk_from_utf8(SkinBaseHead);
    static const std::string grass_green = form_b_head(grass_green_colours);
    static const std::string pink = form_b_head(pink_colours);
    static const std::string black_white = form_a_head(black_white_colours);
    static const std::string goose_yellow = form_b_head(goose_yellow_colours);
    switch (skin) {
        case BaseSkinId::grass_green:
            return grass_green;
        case BaseSkinId::pink:
            return pink;
        case BaseSkinId::black_white:
            return black_white;
        case BaseSkinId::goose_yellow:
            return goose_yellow;
        case BaseSkinId::sky_blue:
            break;
    }
    return sky_blue;
}

}  // namespace peiseqi
