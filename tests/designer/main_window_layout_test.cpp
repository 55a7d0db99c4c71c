// The main window as data: what the desktop platform will draw and bind.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "codewindow/code_window.h"
#include "designer/main_window.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "shell/gbk.h"
#include "shell/support_site.h"

namespace peiseqi {
namespace {

const WindowLayout& layout() {
    return main_window_layout();
}

const ControlSpec& control(std::string_view name) {
    const ControlSpec* layout_row = find_control(layout(), name);
    EXPECT_NE(layout_row, nullptr) << name;
    static const ControlSpec missing{};
    return layout_row ? *layout_row : missing;
}

std::string forum() {
    return std::string(support_forum_address());
}

TEST(MainWindowLayout, WindowProperties) {
    EXPECT_EQ(layout().id, WindowId::main_window);
    EXPECT_EQ(utf8_from_gbk(layout().title),
              "岚屿坊配色器 V1.1.11.5 绿色版   技术支持论坛：" + forum());
    EXPECT_EQ(layout().outer_width, 795);
    EXPECT_EQ(layout().outer_height, 533);
    EXPECT_EQ(layout().frame, FrameStyle::fixed_single);
    EXPECT_TRUE(layout().minimise_button);
    EXPECT_FALSE(layout().maximise_button);
    EXPECT_TRUE(layout().task_bar_button);
    EXPECT_TRUE(layout().centred);
    EXPECT_TRUE(layout().esc_closes);
}

TEST(MainWindowLayout, ForumAddressIsTheSupportSiteWithoutScheme) {
    EXPECT_FALSE(forum().empty());
    EXPECT_EQ(std::string(support_site).find(forum()),
              std::string(support_site).size() - forum().size());
    EXPECT_EQ(forum().find("://"), std::string::npos);
}

TEST(MainWindowLayout, NamesAreUniqueAndContainersComeFirst) {
    std::set<std::string_view> seen;
    for (const ControlSpec& layout_row : layout().controls) {
        EXPECT_TRUE(seen.insert(layout_row.name).second) << "twice: " << layout_row.name;
        if (!layout_row.container.empty()) {
            EXPECT_TRUE(seen.count(layout_row.container))
                << layout_row.name << " before " << layout_row.container;
        }
    }
}

struct TopLevelRow {
    std::string_view name;
    ControlKind kind;
    std::string_view container;
    Place place;
    std::string caption_utf8;
};

TEST(MainWindowLayout, ControlsOutsideTheSlotRows) {
    const std::vector<TopLevelRow> rows = {
        {"分组框1",
         ControlKind::group_box,
         "",
         {6, 5, 380, 160},
         "导航条设置---支持论坛:" + forum()},
        {"分组框2",
         ControlKind::group_box,
         "",
         {400, 5, 380, 160},
         "一级菜单设置---支持论坛:" + forum()},
        {"分组框3",
         ControlKind::group_box,
         "",
         {7, 172, 380, 140},
         "所有分类设置---支持论坛:" + forum()},
        {"分组框4",
         ControlKind::group_box,
         "",
         {400, 172, 380, 140},
         "二级菜单设置---支持论坛:" + forum()},
        {"分组框5",
         ControlKind::group_box,
         "",
         {8, 320, 776, 40},
         "初始风格---技术支持论坛:" + forum()},
        {"互联网浏览器1", ControlKind::browser_view, "", {8, 362, 550, 140}, ""},
        {"选择夹1", ControlKind::tab_control, "", {562, 361, 223, 138}, ""},
        {"按钮21", ControlKind::push_button, "", {662, 362, 59, 18}, "版本特性"},
        {"单选框1", ControlKind::radio_button, "分组框5", {18, 12, 56, 24}, "天蓝色"},
        {"单选框2", ControlKind::radio_button, "分组框5", {109, 12, 56, 24}, "草绿色"},
        {"单选框3", ControlKind::radio_button, "分组框5", {200, 12, 56, 24}, "粉红色"},
        {"单选框4", ControlKind::radio_button, "分组框5", {291, 12, 56, 24}, "黑白色"},
        {"单选框5", ControlKind::radio_button, "分组框5", {382, 12, 56, 24}, "鹅黄色"},
        {"按钮19", ControlKind::push_button, "分组框5", {474, 14, 79, 20}, "万能取色"},
        {"按钮20",
         ControlKind::push_button,
         "分组框5",
         {560, 14, 208, 20},
         "如何使用本软件？点击看教程"},
        {"按钮22", ControlKind::push_button, "选择夹1:生成", {16, 31, 192, 96}, "生成吧，神器！"},
        {"编辑框1", ControlKind::edit_box, "选择夹1:关于", {5, 23, 215, 111}, ""},
    };
    for (const TopLevelRow& row : rows) {
        SCOPED_TRACE(std::string(row.name));
        const ControlSpec& layout_row = control(row.name);
        EXPECT_EQ(layout_row.kind, row.kind);
        EXPECT_EQ(layout_row.container, row.container);
        EXPECT_EQ(layout_row.place, row.place);
        if (row.name != "编辑框1") {
            EXPECT_EQ(utf8_from_gbk(layout_row.caption), row.caption_utf8);
        }
    }
}

TEST(MainWindowLayout, TabControlHasTwoPagesInOrderFillingIt) {
    std::vector<std::string> pages;
    for (const ControlSpec& layout_row : layout().controls) {
        if (layout_row.kind == ControlKind::tab_page) {
            EXPECT_EQ(layout_row.container, "选择夹1");
            EXPECT_EQ(layout_row.place, (Place{0, 0, 223, 138}));
            pages.push_back(utf8_from_gbk(layout_row.caption));
        }
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"生成", "关于"}));
}

TEST(MainWindowLayout, VersionButtonIsListedAfterTheTabControlSoItIsDrawnAbove) {
    const auto& controls = layout().controls;
    EXPECT_GT(&control("按钮21") - controls.data(), &control("选择夹1") - controls.data());
    EXPECT_GT(&control("按钮21") - controls.data(), &control("编辑框1") - controls.data());
}

TEST(MainWindowLayout, SpecialSettings) {
    const ControlSettings& generate = control("按钮22").settings;
    EXPECT_EQ(generate.font_face, "SimSun");
    EXPECT_EQ(generate.font_height, 21);

    const ControlSpec& about = control("编辑框1");
    EXPECT_TRUE(about.settings.multi_line);
    EXPECT_TRUE(about.settings.read_only);
    EXPECT_FALSE(about.settings.border);
    EXPECT_FALSE(about.settings.scroll_bars);
    EXPECT_TRUE(about.settings.button_face_background);
    // The statement names where to get help.
    EXPECT_NE(utf8_from_gbk(about.caption).find(forum()), std::string::npos);

    for (const ControlSpec& layout_row : layout().controls) {
        if (layout_row.name != "按钮22") {
            EXPECT_TRUE(layout_row.settings.font_face.empty()) << layout_row.name;
            EXPECT_EQ(layout_row.settings.font_height, 0) << layout_row.name;
        }
    }
}

TEST(MainWindowLayout, SlotRowsSitInTheirGroupInSlotOrder) {
    const ControlSpec* previous_box = nullptr;
    for (const ColourSlot& slot : SlotTable) {
        SCOPED_TRACE(std::string(slot.key));
        const ControlSpec& label = control(slot.label);
        const ControlSpec& box = control(slot.key);
        const ControlSpec& picker = control(slot.colour_picker);
        const ControlSpec& button = control(slot.clear_button);
        const ControlSpec& group = control(slot.group);

        EXPECT_EQ(label.kind, ControlKind::label);
        EXPECT_EQ(box.kind, ControlKind::edit_box);
        EXPECT_EQ(picker.kind, ControlKind::colour_picker);
        EXPECT_EQ(button.kind, ControlKind::push_button);
        for (const ControlSpec* part : {&label, &box, &picker, &button}) {
            EXPECT_EQ(part->container, slot.group) << part->name;
            EXPECT_EQ(part->place.height, 20) << part->name;
            // Inside the group box.
            EXPECT_GE(part->place.left, 0) << part->name;
            EXPECT_LE(part->place.left + part->place.width, group.place.width) << part->name;
            EXPECT_LE(part->place.top + part->place.height, group.place.height) << part->name;
        }
        EXPECT_EQ(box.place.width, 64);
        EXPECT_EQ(picker.place.width, 48);
        EXPECT_EQ(button.place.width, 32);
        // Left to right: label, box, picker, button; none overlaps the next.
        EXPECT_LE(label.place.left + label.place.width, box.place.left);
        EXPECT_LE(box.place.left + box.place.width, picker.place.left);
        EXPECT_LE(picker.place.left + picker.place.width, button.place.left);
        EXPECT_EQ(picker.place.top, box.place.top);
        EXPECT_EQ(button.place.top, box.place.top);

        if (previous_box && previous_box->container == box.container) {
            EXPECT_GE(box.place.top, previous_box->place.top + previous_box->place.height);
        }
        previous_box = &box;

        EXPECT_EQ(utf8_from_gbk(label.caption), slot.label_utf8);
        EXPECT_EQ(utf8_from_gbk(button.caption), "清空");
        EXPECT_TRUE(box.caption.empty());
    }
}

// A few rows exactly as drawn, including the ones whose label sits off the box's line.
TEST(MainWindowLayout, SlotRowPlaces) {
    struct Row {
        int position;
        Place label, box, picker, button;
    };
    const Row rows[] = {
        {1, {30, 19, 160, 20}, {193, 19, 64, 20}, {260, 19, 48, 20}, {310, 19, 32, 20}},
        {5, {31, 129, 160, 20}, {193, 128, 64, 20}, {260, 128, 48, 20}, {310, 128, 32, 20}},
        {9, {11, 102, 190, 20}, {203, 102, 64, 20}, {270, 102, 48, 20}, {320, 102, 32, 20}},
        {11, {31, 22, 160, 20}, {193, 24, 64, 20}, {260, 24, 48, 20}, {310, 24, 32, 20}},
        {16, {41, 52, 160, 20}, {203, 53, 64, 20}, {270, 53, 48, 20}, {320, 53, 32, 20}},
        {18, {11, 112, 190, 20}, {203, 112, 64, 20}, {270, 112, 48, 20}, {320, 112, 32, 20}},
    };
    for (const Row& row : rows) {
        const ColourSlot& slot = slot_at(row.position);
        SCOPED_TRACE(std::string(slot.key));
        EXPECT_EQ(control(slot.label).place, row.label);
        EXPECT_EQ(control(slot.key).place, row.box);
        EXPECT_EQ(control(slot.colour_picker).place, row.picker);
        EXPECT_EQ(control(slot.clear_button).place, row.button);
    }
}

TEST(MainWindowLayout, SlotRowSettings) {
    for (const ColourSlot& slot : SlotTable) {
        SCOPED_TRACE(std::string(slot.key));
        const ControlSettings& label = control(slot.label).settings;
        EXPECT_EQ(label.alignment, HorizontalAlignment::right);
        EXPECT_TRUE(label.vertically_centred);
        EXPECT_TRUE(label.shadowed_caption);

        const ControlSettings& box = control(slot.key).settings;
        EXPECT_FALSE(box.multi_line);
        EXPECT_FALSE(box.read_only);
        EXPECT_TRUE(box.border);

        const ControlSettings& picker = control(slot.colour_picker).settings;
        EXPECT_EQ(picker.initial_colour, 0u);
        std::vector<std::string> palette;
        for (Colour colour : picker.palette) {
            palette.push_back(colour_to_hex_text(colour));
        }
        EXPECT_EQ(palette,
                  (std::vector<std::string>{
                      "#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000",
                      "#C0C0C0", "#808080", "#0000FF", "#00FF00", "#00FFFF", "#FF0000", "#FF00FF",
                      "#FFFF00", "#FFFFFF", "#8080FF", "#5830E0", "#80E000", "#00E080", "#C06000",
                      "#FFA8FF", "#D8D800", "#ECECEC", "#9000FF", "#0088FF", "#80A080", "#0060C0",
                      "#FF8000", "#FF5080", "#FF80C0", "#606060"}));
    }
}

struct BindingRow {
    std::string_view control;  // empty: the window
    EventKind event;
    std::variant<Action, Query> handler;
    int argument;
};

bool same_handler(const std::variant<Action, Query>& a, const std::variant<Action, Query>& b) {
    return a.index() == b.index() && a == b;
}

TEST(MainWindowLayout, EventBindings) {
    std::vector<BindingRow> rows = {
        {"", EventKind::created, Action{main_window_created}, 0},
        {"", EventKind::may_close, Query{confirm_close}, 0},
        {"互联网浏览器1", EventKind::context_menu_requested, Query{suppress_context_menu}, 0},
        {"按钮19", EventKind::clicked, Action{start_colour_tool}, 0},
        {"按钮20", EventKind::clicked, Action{show_tutorial}, 0},
        {"按钮21", EventKind::clicked, Action{show_version_notes}, 0},
        {"按钮22", EventKind::clicked, Action{open_code_window}, 0},
        {"单选框1", EventKind::clicked, Action{choose_base_skin}, int(BaseSkinId::sky_blue)},
        {"单选框2", EventKind::clicked, Action{choose_base_skin}, int(BaseSkinId::grass_green)},
        {"单选框3", EventKind::clicked, Action{choose_base_skin}, int(BaseSkinId::pink)},
        {"单选框4", EventKind::clicked, Action{choose_base_skin}, int(BaseSkinId::black_white)},
        {"单选框5", EventKind::clicked, Action{choose_base_skin}, int(BaseSkinId::goose_yellow)},
    };
    for (const ColourSlot& slot : SlotTable) {
        rows.push_back({slot.colour_picker, EventKind::colour_chosen, Action{apply_picked_colour},
                        slot.position});
        rows.push_back({slot.clear_button, EventKind::clicked, Action{clear_slot}, slot.position});
        rows.push_back({slot.key, EventKind::lost_focus, Action{take_typed_value}, slot.position});
    }

    std::size_t bound = layout().bindings.size();
    for (const ControlSpec& layout_row : layout().controls) {
        bound += layout_row.bindings.size();
    }
    EXPECT_EQ(bound, rows.size()) << "a control handles an event it should not";

    for (const BindingRow& row : rows) {
        SCOPED_TRACE(std::string(row.control));
        const Binding* binding = find_binding(layout(), row.control, row.event);
        ASSERT_NE(binding, nullptr);
        EXPECT_TRUE(same_handler(binding->handler, row.handler));
        EXPECT_EQ(binding->argument, row.argument);
    }
}

TEST(MainWindowLayout, EveryBoundHandlerExists) {
    auto check = [](const std::vector<Binding>& bindings, std::string_view owner) {
        for (const Binding& binding : bindings) {
            std::visit([&](auto handler) { EXPECT_NE(handler, nullptr) << owner; },
                       binding.handler);
        }
    };
    check(layout().bindings, "the window");
    for (const ControlSpec& layout_row : layout().controls) {
        check(layout_row.bindings, layout_row.name);
    }
}

}  // namespace
}  // namespace peiseqi
