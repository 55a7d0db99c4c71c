// The designer on the in-memory platform: creation, slot editing, the road
// of one colour to the clipboard, and what runs inside the preview's wait.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "designer_fixture.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "generation/stylesheet.h"

namespace peiseqi::testing {
namespace {

constexpr Colour red = 0x0000FF;
constexpr Colour white = 0xFFFFFF;

std::vector<std::string_view> radio_buttons() {
    return {"单选框1", "单选框2", "单选框3", "单选框4", "单选框5"};
}

int checked_radio_buttons(const FakeWindowing& fake) {
    int count = 0;
    for (std::string_view name : radio_buttons()) {
        count += fake.checked(in_main(name)) ? 1 : 0;
    }
    return count;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using Creation = Designer;

TEST_F(Creation, ThemesFillsTheSlotTablesAndShowsTheSkyBluePreview) {
    EXPECT_EQ(fake.theme_scheme(), 1);
    ASSERT_EQ(program.state.slot_keys.size(), 18u);
    ASSERT_EQ(program.state.slot_edit_boxes.size(), 18u);
    for (const ColourSlot& slot : SlotTable) {
        EXPECT_EQ(program.state.slot_keys[slot.position - 1], slot.key);
        EXPECT_EQ(program.state.slot_edit_boxes[slot.position - 1], in_main(slot.key));
    }
    EXPECT_TRUE(fake.checked(in_main("单选框1")));
    EXPECT_EQ(checked_radio_buttons(fake), 1);
    EXPECT_EQ(program.state.current_skin_head, skin_head(BaseSkinId::sky_blue));
    EXPECT_EQ(program.state.last_stylesheet, empty_stylesheet());
    EXPECT_TRUE(program.state.code_window_text.empty());

    // Exactly one preview, built after the tables were full.
    ASSERT_EQ(fake.navigations().size(), 1u);
    const Navigation& first = fake.navigations().front();
    EXPECT_EQ(first.view, in_main("互联网浏览器1"));
    ASSERT_TRUE(first.file_bytes.has_value());
    EXPECT_EQ(*first.file_bytes,
              skin_head(BaseSkinId::sky_blue) + empty_stylesheet() + page_body());
    EXPECT_FALSE(preview_file_left());
}

TEST_F(Creation, ThemeIsSwitchedOnOnceBeforeAnyOtherWindow) {
    const std::vector<std::string> expected = {"load_start_window", "apply_control_theme"};
    EXPECT_EQ(fake.calls(), expected);
}

TEST_F(Creation, GenerateRightAfterStartShowsTheEmptyDesign) {
    fake.click(in_main("按钮22"));
    EXPECT_EQ(program.state.code_window_text, empty_stylesheet());
}

TEST_F(Creation, EveryRowStartsEmptyWhiteAndBlack) {
    for (const ColourSlot& slot : SlotTable) {
        EXPECT_EQ(fake.text(in_main(slot.key)), "");
        EXPECT_EQ(fake.background(in_main(slot.key)), white);
        EXPECT_EQ(fake.colour(in_main(slot.colour_picker)), 0u);
    }
}

TEST_F(Creation, AboutPageTextIsReadOnly) {
    const std::string before = fake.text(in_main("编辑框1"));
    EXPECT_FALSE(before.empty());
    fake.type_text(in_main("编辑框1"), "x");
    EXPECT_EQ(fake.text(in_main("编辑框1")), before);
}

// Pick red in the first picker, generate, copy: the whole way to the clipboard.
TEST_F(Designer, RoadOfOneColourToTheClipboard) {
    fake.choose_colour(in_main("颜色选择器1"), red);

    EXPECT_EQ(fake.text(in_main("s1")), "#FF0000");
    EXPECT_EQ(fake.background(in_main("s1")), red);
    EXPECT_EQ(program.state.last_stylesheet, stylesheet_with_red_s1());
    const Navigation& preview = fake.navigations().back();
    ASSERT_TRUE(preview.file_bytes.has_value());
    EXPECT_TRUE(contains(*preview.file_bytes, ".skin-box-bd{background:#FF0000;}"));
    EXPECT_FALSE(preview_file_left());

    fake.queue([&] { fake.click(in_code("按钮1")); });
    fake.click(in_main("按钮22"));

    ASSERT_TRUE(fake.clipboard().has_value());
    EXPECT_EQ(*fake.clipboard(), stylesheet_with_red_s1());
    ASSERT_EQ(fake.message_boxes().size(), 1u);
    EXPECT_EQ(fake.message_boxes()[0].text, gbk("已经复制到剪辑板，请按照教程安装代码！"));
    EXPECT_EQ(fake.message_boxes()[0].title, gbk("恭喜"));
    EXPECT_EQ(fake.message_boxes()[0].style, 0);
    EXPECT_EQ(fake.shell_opens(), (std::vector<std::string>{site_page("/?free")}));
    EXPECT_FALSE(fake.is_open(WindowId::code_window));
    EXPECT_TRUE(fake.window_enabled(WindowId::main_window));
}

// Each row drives its own box and the stylesheet, and nothing of any other row.
TEST_F(Designer, EveryRowPicksAndClearsItsOwnSlotOnly) {
    for (const ColourSlot& slot : SlotTable) {
        SCOPED_TRACE(std::string(slot.key));
        const Colour colour = 0x102030u + static_cast<Colour>(slot.position);
        const std::string hex = colour_to_hex_text(colour);
        const std::size_t previews = fake.navigations().size();

        fake.choose_colour(in_main(slot.colour_picker), colour);
        EXPECT_EQ(fake.text(in_main(slot.key)), hex);
        EXPECT_EQ(fake.background(in_main(slot.key)), colour);
        EXPECT_TRUE(
            contains(program.state.last_stylesheet, std::string(slot.css_prefix) + hex + ";"));
        for (const ColourSlot& other : SlotTable) {
            if (other.position != slot.position) {
                EXPECT_EQ(fake.text(in_main(other.key)), "") << other.key;
                EXPECT_EQ(fake.background(in_main(other.key)), white) << other.key;
            }
        }

        fake.click(in_main(slot.clear_button));
        EXPECT_EQ(fake.text(in_main(slot.key)), "");
        EXPECT_EQ(fake.background(in_main(slot.key)), white);
        EXPECT_EQ(fake.colour(in_main(slot.colour_picker)), colour)
            << "the picker keeps its colour";
        EXPECT_EQ(program.state.last_stylesheet, empty_stylesheet());
        EXPECT_EQ(fake.navigations().size(), previews + 2) << "one preview per change";
    }
}

TEST_F(Designer, ChoosingTheShownColourAgainRewritesAndRegenerates) {
    fake.choose_colour(in_main("颜色选择器1"), red);
    fake.type_text(in_main("s1"), "blue");
    fake.move_focus(std::nullopt);
    const std::size_t previews = fake.navigations().size();

    fake.choose_colour(in_main("颜色选择器1"), red);
    EXPECT_EQ(fake.text(in_main("s1")), "#FF0000");
    EXPECT_EQ(fake.navigations().size(), previews + 1);
}

TEST_F(Designer, PickingBlackShowsBlackOnBlack) {
    fake.choose_colour(in_main("颜色选择器2"), 0);
    EXPECT_EQ(fake.text(in_main("s2")), "#000000");
    EXPECT_EQ(fake.background(in_main("s2")), 0u);
}

TEST_F(Designer, ClearingAnEmptySlotStillRegenerates) {
    const std::size_t previews = fake.navigations().size();
    fake.click(in_main("按钮7"));
    EXPECT_EQ(fake.background(in_main("s7")), white);
    EXPECT_EQ(fake.navigations().size(), previews + 1);
}

TEST_F(Designer, TypedValueIsTakenWhenTheBoxLosesTheFocusAndKeepsTheColour) {
    fake.choose_colour(in_main("颜色选择器12"), red);
    const std::size_t previews = fake.navigations().size();
    const std::string typed = gbk("红色 ");

    fake.type_text(in_main("t12"), typed);
    EXPECT_EQ(fake.navigations().size(), previews) << "nothing until the focus leaves";
    EXPECT_TRUE(contains(program.state.last_stylesheet, "color:#FF0000;"));

    fake.move_focus(std::nullopt);  // to another program
    EXPECT_EQ(fake.navigations().size(), previews + 1);
    EXPECT_TRUE(contains(program.state.last_stylesheet, "color:" + typed + ";"));
    EXPECT_EQ(fake.background(in_main("t12")), red);
    EXPECT_EQ(fake.colour(in_main("颜色选择器12")), red);
}

TEST_F(Designer, LosingTheFocusWithoutChangeStillRegeneratesOnce) {
    fake.type_text(in_main("s3"), "");
    const std::size_t previews = fake.navigations().size();
    fake.move_focus(in_main("s4"));
    EXPECT_EQ(fake.navigations().size(), previews + 1);
}

TEST_F(Designer, TypedValueThenGenerateRegeneratesFirst) {
    fake.type_text(in_main("s1"), "red");
    fake.click(in_main("按钮22"));
    const std::string expected = [] {
        std::string text = stylesheet_with_red_s1();
        for (auto at = text.find("#FF0000"); at != std::string::npos; at = text.find("#FF0000")) {
            text.replace(at, 7, "red");
        }
        return text;
    }();
    EXPECT_EQ(program.state.code_window_text, expected);
}

TEST_F(Designer, SkinChangeKeepsSlotsAndStylesheet) {
    fake.choose_colour(in_main("颜色选择器6"), red);
    const std::string stylesheet = program.state.last_stylesheet;
    for (std::string_view name : radio_buttons()) {
        fake.click(in_main(name));
        EXPECT_TRUE(fake.checked(in_main(name)));
        EXPECT_EQ(checked_radio_buttons(fake), 1);
        EXPECT_EQ(program.state.last_stylesheet, stylesheet);
        EXPECT_EQ(fake.text(in_main("s6")), "#FF0000");
    }
    EXPECT_EQ(program.state.current_skin_head, skin_head(BaseSkinId::goose_yellow));
    fake.click(in_main("单选框4"));
    EXPECT_EQ(program.state.current_skin_head, skin_head(BaseSkinId::black_white));
    EXPECT_TRUE(contains(*fake.navigations().back().file_bytes,
                         skin_head(BaseSkinId::black_white) + stylesheet));
}

TEST_F(Designer, GenerateInsidePreviewWaitShowsNewestAndFileOutlivesTheCodeWindow) {
    bool looked_inside = false;
    fake.queue([&] { fake.click(in_main("按钮22")); });
    fake.queue([&] {
        looked_inside = true;
        EXPECT_TRUE(fake.is_open(WindowId::code_window));
        EXPECT_EQ(fake.text(in_code("编辑框3")), stylesheet_with_red_s1());
        EXPECT_TRUE(preview_file_left()) << "the interrupted preview still waits";
        EXPECT_FALSE(fake.window_enabled(WindowId::main_window));
    });

    fake.choose_colour(in_main("颜色选择器1"), red);

    EXPECT_TRUE(looked_inside);
    EXPECT_FALSE(fake.is_open(WindowId::code_window));
    EXPECT_FALSE(preview_file_left());
    EXPECT_EQ(program.state.code_window_text, stylesheet_with_red_s1());
}

TEST_F(Designer, NestedPreviewsLeaveTheNewestStylesheetAndNoFile) {
    fake.set_pumps_per_load(3);
    fake.queue([&] { fake.choose_colour(in_main("颜色选择器2"), white); });
    fake.queue([&] { fake.click(in_main("按钮1")); });
    fake.choose_colour(in_main("颜色选择器1"), red);

    EXPECT_EQ(fake.text(in_main("s1")), "");
    EXPECT_EQ(fake.text(in_main("s2")), "#FFFFFF");
    EXPECT_EQ(program.state.last_stylesheet, build_stylesheet(program));
    EXPECT_FALSE(preview_file_left());
}

TEST_F(Designer, SlotsCannotBeEditedWhileTheCodeWindowIsOpen) {
    fake.queue([&] { fake.choose_colour(in_main("颜色选择器1"), red); });
    fake.queue([&] { fake.click(in_main("单选框2")); });
    fake.click(in_main("按钮22"));
    EXPECT_EQ(fake.text(in_main("s1")), "");
    EXPECT_TRUE(fake.checked(in_main("单选框1")));
    EXPECT_EQ(checked_radio_buttons(fake), 1);

    fake.choose_colour(in_main("颜色选择器1"), red);
    fake.click(in_main("按钮22"));
    EXPECT_EQ(program.state.code_window_text, stylesheet_with_red_s1());
}

TEST_F(Designer, RightClickOnThePreviewShowsNoMenu) {
    EXPECT_FALSE(fake.right_click(in_main("互联网浏览器1")));
}

}  // namespace
}  // namespace peiseqi::testing
