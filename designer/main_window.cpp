#include "designer/main_window.h"

#include <array>
#include <string>
#include <string_view>

#include "codewindow/code_window.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/support_site.h"

namespace peiseqi {
namespace {

// Palette entries are written as the slot texts they give; Colour is 0x00BBGGRR.
constexpr Colour from_rgb(std::uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFFu) | (rrggbb & 0xFF00u) | ((rrggbb & 0xFFu) << 16);
}

// clang-format off
constexpr std::array<Colour, 32> picker_palette{
    from_rgb(0x000000), from_rgb(0x000080), from_rgb(0x008000), from_rgb(0x008080),
    from_rgb(0x800000), from_rgb(0x800080), from_rgb(0x808000), from_rgb(0xC0C0C0),
    from_rgb(0x808080), from_rgb(0x0000FF), from_rgb(0x00FF00), from_rgb(0x00FFFF),
    from_rgb(0xFF0000), from_rgb(0xFF00FF), from_rgb(0xFFFF00), from_rgb(0xFFFFFF),
    from_rgb(0x8080FF), from_rgb(0x5830E0), from_rgb(0x80E000), from_rgb(0x00E080),
    from_rgb(0xC06000), from_rgb(0xFFA8FF), from_rgb(0xD8D800), from_rgb(0xECECEC),
    from_rgb(0x9000FF), from_rgb(0x0088FF), from_rgb(0x80A080), from_rgb(0x0060C0),
    from_rgb(0xFF8000), from_rgb(0xFF5080), from_rgb(0xFF80C0), from_rgb(0x606060),
};
// clang-format on

// Where a slot row's four controls stand inside its group box.
struct RowPlace {
    int label_left, label_top, label_width;
    int box_left, box_top;
    int picker_left, picker_top;
    int button_left, button_top;
};

// clang-format off
constexpr std::array<RowPlace, 18> row_places{{
    {30, 19, 160,  193, 19,   260, 19,   310, 19},
    {31, 46, 160,  193, 46,   260, 46,   310, 46},
    {31, 73, 160,  193, 73,   260, 73,   310, 73},
    {31, 100, 160, 193, 100,  260, 100,  310, 100},
    {31, 129, 160, 193, 128,  260, 128,  310, 128},
    {41, 21, 160,  203, 21,   270, 21,   320, 21},
    {41, 48, 160,  203, 48,   270, 48,   320, 48},
    {41, 75, 160,  203, 75,   270, 75,   320, 75},
    {11, 102, 190, 203, 102,  270, 102,  320, 102},
    {11, 129, 190, 203, 129,  270, 129,  320, 129},
    {31, 22, 160,  193, 24,   260, 24,   310, 24},
    {31, 52, 160,  193, 53,   260, 53,   310, 53},
    {31, 82, 160,  193, 82,   260, 82,   310, 82},
    {31, 112, 160, 193, 112,  260, 112,  310, 112},
    {41, 22, 160,  203, 24,   270, 24,   320, 24},
    {41, 52, 160,  203, 53,   270, 53,   320, 53},
    {11, 82, 190,  203, 82,   270, 82,   320, 82},
    {11, 112, 190, 203, 112,  270, 112,  320, 112},
}};
// clang-format on

constexpr int row_height = 20;
constexpr int box_width = 64;
constexpr int picker_width = 48;
constexpr int button_width = 32;

struct GroupRow {
    std::string_view name;
    Place place;
    std::string_view caption_utf8;  // the forum's address follows
};

constexpr std::array<GroupRow, 5> group_boxes{{
    {"分组框1", {6, 5, 380, 160}, "导航条设置---支持论坛:"},
    {"分组框2", {400, 5, 380, 160}, "一级菜单设置---支持论坛:"},
    {"分组框3", {7, 172, 380, 140}, "所有分类设置---支持论坛:"},
    {"分组框4", {400, 172, 380, 140}, "二级菜单设置---支持论坛:"},
    {"分组框5", {8, 320, 776, 40}, "初始风格---技术支持论坛:"},
}};

struct SkinRow {
    std::string_view name;
    int left;
    std::string_view caption_utf8;
    BaseSkinId skin;
};

constexpr std::array<SkinRow, 5> skin_buttons{{
    {"单选框1", 18, "天蓝色", BaseSkinId::sky_blue},
    {"单选框2", 109, "草绿色", BaseSkinId::grass_green},
    {"单选框3", 200, "粉红色", BaseSkinId::pink},
    {"单选框4", 291, "黑白色", BaseSkinId::black_white},
    {"单选框5", 382, "鹅黄色", BaseSkinId::goose_yellow},
}};

constexpr std::string_view tab_control = "选择夹1";
constexpr std::string_view generate_page = "选择夹1:生成";
constexpr std::string_view about_page = "选择夹1:关于";
constexpr Place tab_control_place{562, 361, 223, 138};

std::string forum_caption(std::string_view prefix_utf8) {
    return gbk_from_utf8(std::string(prefix_utf8) + std::string(support_forum_address()));
}

std::string about_text() {
    return gbk_from_utf8(
        std::string("本工具为淘宝店铺的导航条、所有分类按钮和一、二级下拉菜单配色："
                    "为十八处颜色取色或输入颜色，预览即时显示效果，"
                    "点“生成吧，神器！”得到代码，复制后装入店铺装修即可。\r\n"
                    "使用中有疑问，请到技术支持论坛 ") +
        std::string(support_forum_address()) + " 提问。");
}

ControlSettings label_settings() {
    ControlSettings settings;
    settings.alignment = HorizontalAlignment::right;
    settings.vertically_centred = true;
    settings.shadowed_caption = true;
    return settings;
}

ControlSettings picker_settings() {
    ControlSettings settings;
    settings.palette = picker_palette;
    settings.initial_colour = 0;
    return settings;
}

ControlSettings about_settings() {
    ControlSettings settings;
    settings.read_only = true;
    settings.multi_line = true;
    settings.border = false;
    settings.scroll_bars = false;
    settings.button_face_background = true;
    return settings;
}

ControlSettings generate_button_settings() {
    ControlSettings settings;
    settings.font_face = "SimSun";  // 宋体
    settings.font_height = 21;
    return settings;
}

void add_group_boxes(WindowLayout& layout) {
    for (const GroupRow& group : group_boxes) {
        layout.controls.push_back({group.name,
                                   ControlKind::group_box,
                                   "",
                                   group.place,
                                   forum_caption(group.caption_utf8),
                                   {},
                                   {}});
    }
}

// One row per slot, all from the slot table and the row places: the rows
// differ only in their place and their slot.
void add_slot_rows(WindowLayout& layout) {
    static const std::string clear_caption = gbk_from_utf8("清空");
    for (const ColourSlot& slot : SlotTable) {
        const RowPlace& at = row_places[slot.position - 1];
        layout.controls.push_back({slot.label,
                                   ControlKind::label,
                                   slot.group,
                                   {at.label_left, at.label_top, at.label_width, row_height},
                                   gbk_from_utf8(slot.label_utf8),
                                   label_settings(),
                                   {}});
        layout.controls.push_back(
            {slot.key,
             ControlKind::edit_box,
             slot.group,
             {at.box_left, at.box_top, box_width, row_height},
             "",
             {},
             {{EventKind::lost_focus, Action{take_typed_value}, slot.position}}});
        layout.controls.push_back(
            {slot.colour_picker,
             ControlKind::colour_picker,
             slot.group,
             {at.picker_left, at.picker_top, picker_width, row_height},
             "",
             picker_settings(),
             {{EventKind::colour_chosen, Action{apply_picked_colour}, slot.position}}});
        layout.controls.push_back({slot.clear_button,
                                   ControlKind::push_button,
                                   slot.group,
                                   {at.button_left, at.button_top, button_width, row_height},
                                   clear_caption,
                                   {},
                                   {{EventKind::clicked, Action{clear_slot}, slot.position}}});
    }
}

void add_skin_row(WindowLayout& layout) {
    for (const SkinRow& row : skin_buttons) {
        layout.controls.push_back(
            {row.name,
             ControlKind::radio_button,
             "分组框5",
             {row.left, 12, 56, 24},
             gbk_from_utf8(row.caption_utf8),
             {},
             {{EventKind::clicked, Action{choose_base_skin}, static_cast<int>(row.skin)}}});
    }
    layout.controls.push_back({"按钮19",
                               ControlKind::push_button,
                               "分组框5",
                               {474, 14, 79, 20},
                               gbk_from_utf8("万能取色"),
                               {},
                               {{EventKind::clicked, Action{start_colour_tool}}}});
    layout.controls.push_back({"按钮20",
                               ControlKind::push_button,
                               "分组框5",
                               {560, 14, 208, 20},
                               gbk_from_utf8("如何使用本软件？点击看教程"),
                               {},
                               {{EventKind::clicked, Action{show_tutorial}}}});
}

void add_bottom_strip(WindowLayout& layout) {
    const Place page_place{0, 0, tab_control_place.width, tab_control_place.height};
    layout.controls.push_back(
        {"互联网浏览器1",
         ControlKind::browser_view,
         "",
         {8, 362, 550, 140},
         "",
         {},
         {{EventKind::context_menu_requested, Query{suppress_context_menu}}}});
    layout.controls.push_back(
        {tab_control, ControlKind::tab_control, "", tab_control_place, "", {}, {}});
    layout.controls.push_back({generate_page,
                               ControlKind::tab_page,
                               tab_control,
                               page_place,
                               gbk_from_utf8("生成"),
                               {},
                               {}});
    layout.controls.push_back({about_page,
                               ControlKind::tab_page,
                               tab_control,
                               page_place,
                               gbk_from_utf8("关于"),
                               {},
                               {}});
    layout.controls.push_back({"按钮22",
                               ControlKind::push_button,
                               generate_page,
                               {16, 31, 192, 96},
                               gbk_from_utf8("生成吧，神器！"),
                               generate_button_settings(),
                               {{EventKind::clicked, Action{open_code_window}}}});
    layout.controls.push_back({"编辑框1",
                               ControlKind::edit_box,
                               about_page,
                               {5, 23, 215, 111},
                               about_text(),
                               about_settings(),
                               {}});
    // Listed after the tab control so that it is drawn over the tab strip.
    layout.controls.push_back({"按钮21",
                               ControlKind::push_button,
                               "",
                               {662, 362, 59, 18},
                               gbk_from_utf8("版本特性"),
                               {},
                               {{EventKind::clicked, Action{show_version_notes}}}});
}

WindowLayout build_main_window_layout() {
    WindowLayout layout;
    layout.id = WindowId::main_window;
    layout.title = gbk_from_utf8(std::string("岚屿坊配色器 V1.1.11.5 绿色版   技术支持论坛：") +
                                 std::string(support_forum_address()));
    layout.outer_width = 795;
    layout.outer_height = 533;
    layout.frame = FrameStyle::fixed_single;
    layout.minimise_button = true;
    layout.maximise_button = false;
    layout.task_bar_button = true;
    layout.centred = true;
    layout.esc_closes = true;
    layout.bindings = {{EventKind::created, Action{main_window_created}},
                       {EventKind::may_close, Query{confirm_close}}};
    add_group_boxes(layout);
    add_slot_rows(layout);
    add_skin_row(layout);
    add_bottom_strip(layout);
    return layout;
}

}  // namespace

const WindowLayout& main_window_layout() {
    static const WindowLayout layout = build_main_window_layout();
    return layout;
}

void main_window_created(Program& program, int /*unused*/) {
    WindowingServices& services = program.services;
    services.apply_control_theme(1);
    // The builder reaches the slots through these tables, so they are filled
    // before anything can regenerate.
    for (const ColourSlot& slot : SlotTable) {
        program.state.slot_edit_boxes.push_back({WindowId::main_window, slot.key});
        program.state.slot_keys.emplace_back(slot.key);
    }
    services.write_property({WindowId::main_window, "单选框1"}, property::checked, true);
    // Setting the check mark runs no handler; the first skin's handler is run
    // here as the user's click would run it.
    const Binding* first_skin = find_binding(main_window_layout(), "单选框1", EventKind::clicked);
    dispatch(*first_skin, program);
}

void choose_base_skin(Program& program, int skin) {
    select_skin(program, static_cast<BaseSkinId>(skin));
}

}  // namespace peiseqi
