// The commands that lead out of the program, and the closing query.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "designer_fixture.h"

namespace peiseqi::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(Designer, TutorialOpensTheSupportPageEveryClick) {
    fake.click(in_main("按钮20"));
    fake.click(in_main("按钮20"));
    EXPECT_EQ(fake.shell_opens(), (Strings{site_page("/?css"), site_page("/?css")}));
    EXPECT_TRUE(fake.message_boxes().empty());
}

class DesignerInAwkwardDirectory : public Designer {
  protected:
    DesignerInAwkwardDirectory() : Designer("my tools 配色 --x") {}
};

// The colour tool beside us is named as one file, blanks and all, so a
// directory with blanks cannot start some other program.
TEST_F(DesignerInAwkwardDirectory, ColourToolIsTheOneFileBesideUs) {
    fake.click(in_main("按钮19"));
    fake.click(in_main("按钮19"));
    const std::string expected = fake.run_directory() + "/quse.dll";
    EXPECT_EQ(fake.programs_started(), (Strings{expected, expected}));
    EXPECT_EQ(utf8_from_gbk(expected), (fake.run_path() / "quse.dll").string());
    // The tool is missing here: nothing is reported.
    EXPECT_TRUE(fake.message_boxes().empty());
    EXPECT_TRUE(fake.shell_opens().empty());
}

TEST_F(DesignerInAwkwardDirectory, VersionNotesShownUntilTheNextChange) {
    {
        std::ofstream notes(fake.run_path() / "版本说明.txt", std::ios::binary);
        notes << "v1.1.11.5";
    }
    fake.click(in_main("按钮21"));
    const Navigation& shown = fake.navigations().back();
    EXPECT_EQ(shown.view, in_main("互联网浏览器1"));
    EXPECT_EQ(shown.target, fake.run_directory() + gbk("/版本说明.txt"));
    EXPECT_EQ(shown.file_bytes, std::optional<std::string>("v1.1.11.5"));

    fake.click(in_main("按钮3"));
    EXPECT_EQ(fake.navigations().back().target, fake.run_directory() + "/css.html");
}

TEST_F(Designer, MissingVersionNotesStillNavigates) {
    const std::size_t before = fake.navigations().size();
    fake.click(in_main("按钮21"));
    ASSERT_EQ(fake.navigations().size(), before + 1);
    EXPECT_FALSE(fake.navigations().back().file_bytes.has_value());
    EXPECT_TRUE(fake.message_boxes().empty());
}

TEST_F(Designer, ClosingWithOkOpensTheForumThenCloses) {
    fake.script_message_box_answers({message_box::answer_ok});
    EXPECT_TRUE(fake.request_close(WindowId::main_window));

    ASSERT_EQ(fake.message_boxes().size(), 1u);
    EXPECT_EQ(fake.message_boxes()[0].text, gbk("确定关闭后并进入淘宝装修论坛吗？"));
    EXPECT_EQ(fake.message_boxes()[0].title, gbk("是否关闭？"));
    EXPECT_EQ(fake.message_boxes()[0].style, 33);
    EXPECT_EQ(fake.shell_opens(), (Strings{site_page("/?guan")}));
    EXPECT_FALSE(fake.is_open(WindowId::main_window));
}

// Cancel, the box's close button and Esc all answer Cancel: nothing changes.
TEST_F(Designer, ClosingCancelledKeepsEverythingAndOpensNothing) {
    fake.choose_colour(in_main("颜色选择器4"), 0x00FF00);
    const std::string stylesheet = program.state.last_stylesheet;
    const std::size_t previews = fake.navigations().size();

    fake.script_message_box_answers({message_box::answer_cancel, message_box::answer_cancel});
    EXPECT_FALSE(fake.request_close(WindowId::main_window));
    EXPECT_FALSE(fake.request_close(WindowId::main_window));

    EXPECT_EQ(fake.message_boxes().size(), 2u);
    EXPECT_TRUE(fake.shell_opens().empty());
    EXPECT_TRUE(fake.is_open(WindowId::main_window));
    EXPECT_EQ(fake.text(in_main("s4")), "#00FF00");
    EXPECT_EQ(fake.background(in_main("s4")), 0x00FF00u);
    EXPECT_EQ(program.state.last_stylesheet, stylesheet);
    EXPECT_EQ(fake.navigations().size(), previews);
    EXPECT_TRUE(fake.checked(in_main("单选框1")));
}

// The closing query blocks the designer: a pick or a click meanwhile is lost.
TEST_F(Designer, TheClosingQueryBlocksTheDesignerWhileItIsShown) {
    const std::size_t previews = fake.navigations().size();
    fake.script_during_message_box([&] {
        fake.choose_colour(in_main("颜色选择器1"), 0x0000FF);
        fake.click(in_main("按钮20"));
    });
    fake.script_message_box_answers({message_box::answer_cancel});
    EXPECT_FALSE(fake.request_close(WindowId::main_window));

    EXPECT_EQ(fake.text(in_main("s1")), "");
    EXPECT_EQ(fake.navigations().size(), previews);
    EXPECT_TRUE(fake.shell_opens().empty());
    // Afterwards the designer takes input again.
    fake.choose_colour(in_main("颜色选择器1"), 0x0000FF);
    EXPECT_EQ(fake.text(in_main("s1")), "#FF0000");
}

TEST_F(Designer, EscInAnEditBoxRaisesTheClosingQuery) {
    fake.type_text(in_main("s1"), "x");
    fake.script_message_box_answers({message_box::answer_cancel});
    // Esc is a close request whichever control has the focus.
    ASSERT_TRUE(main_window_layout().esc_closes);
    EXPECT_FALSE(fake.request_close(WindowId::main_window));
    EXPECT_EQ(fake.message_boxes().size(), 1u);
    EXPECT_EQ(fake.text(in_main("s1")), "x");
}

}  // namespace
}  // namespace peiseqi::testing
