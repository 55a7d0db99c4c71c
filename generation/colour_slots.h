// The eighteen colour slots. A slot's value lives only in its edit box in the
// main window; the builder reads all eighteen boxes each time it runs.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shell/windowing_services.h"

namespace peiseqi {

struct ColourSlot {
    int position;                 // 1 to 18, the order of every loop over slots
    std::string_view key;         // edit box name and template placeholder
    std::string_view group;       // the group box holding the row
    std::string_view label_utf8;  // the row label's caption, in the source's encoding
    std::string_view css_prefix;  // stands before the value in the declaration
    std::string_view colour_picker;
    std::string_view clear_button;
    std::string_view label;  // the label control's name
};

// clang-format off
inline constexpr std::array<ColourSlot, 18> SlotTable{{
    {1,  "s1",  "分组框1", "导航背景颜色：",                 "background:",             "颜色选择器1",  "按钮1",  "标签1"},
    {2,  "s2",  "分组框1", "导航文字颜色：",                 "color:",                  "颜色选择器2",  "按钮2",  "标签2"},
    {3,  "s3",  "分组框1", "导航分割竖线颜色：",             "border-right:1px solid ", "颜色选择器3",  "按钮3",  "标签3"},
    {4,  "s4",  "分组框1", "鼠标移至,导航背景颜色：",        "background:",             "颜色选择器4",  "按钮4",  "标签4"},
    {5,  "s5",  "分组框1", "鼠标移至,导航文字颜色：",        "color:",                  "颜色选择器5",  "按钮5",  "标签5"},
    {6,  "s6",  "分组框2", "一级下拉菜单背景颜色：",         "background:",             "颜色选择器6",  "按钮6",  "标签6"},
    {7,  "s7",  "分组框2", "一级下拉菜单文字颜色：",         "color:",                  "颜色选择器7",  "按钮7",  "标签7"},
    {8,  "s8",  "分组框2", "一级下拉菜单上边框颜色：",       "border-top:solid 1px ",   "颜色选择器8",  "按钮8",  "标签8"},
    {9,  "s9",  "分组框2", "鼠标移至,一级下拉菜单背景颜色：", "background:",             "颜色选择器9",  "按钮9",  "标签9"},
    {10, "t10", "分组框2", "鼠标移至,一级下拉菜单文字颜色：", "color:",                  "颜色选择器10", "按钮10", "标签10"},
    {11, "t11", "分组框3", "所有分类背景颜色：",             "background:",             "颜色选择器11", "按钮11", "标签11"},
    {12, "t12", "分组框3", "所有分类文字颜色：",             "color:",                  "颜色选择器12", "按钮12", "标签12"},
    {13, "t13", "分组框3", "鼠标移至,所有分类背景颜色：",    "background:",             "颜色选择器13", "按钮13", "标签13"},
    {14, "t14", "分组框3", "鼠标移至,所有分类文字颜色：",    "color:",                  "颜色选择器14", "按钮14", "标签14"},
    {15, "t15", "分组框4", "二级下拉菜单背景颜色：",         "background:",             "颜色选择器15", "按钮15", "标签15"},
    {16, "t16", "分组框4", "二级下拉菜单文字颜色：",         "color:",                  "颜色选择器16", "按钮16", "标签16"},
    {17, "t17", "分组框4", "鼠标移至,二级下拉菜单背景颜色：", "background:",             "颜色选择器17", "按钮17", "标签17"},
    {18, "t18", "分组框4", "鼠标移至,二级下拉菜单文字颜色：", "color:",                  "颜色选择器18", "按钮18", "标签18"},
}};
// clang-format on

// The slot at a position from 1 to 18.
constexpr const ColourSlot& slot_at(int position) { return SlotTable[position - 1]; }

// "#" and six upper-case hexadecimal digits, red, green, blue; byte 3 ignored.
std::string colour_to_hex_text(Colour colour);

}  // namespace peiseqi
