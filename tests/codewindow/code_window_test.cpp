// The code window as data and on the in-memory platform.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "codewindow/code_window.h"
#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/support_site.h"
#include "tests/support/fake_windowing.h"

namespace peiseqi::testing {
namespace {

using Strings = std::vector<std::string>;

ControlRef in_code(std::string_view name) {
    return {WindowId::code_window, name};
}

std::string site_page(std::string_view path) {
    return gbk_from_utf8(std::string(support_site) + std::string(path));
}

const WindowLayout& layout() {
    return code_window_layout();
}

TEST(CodeWindowLayout, WindowProperties) {
    EXPECT_EQ(layout().id, WindowId::code_window);
    EXPECT_EQ(utf8_from_gbk(layout().title), "生成代码");
    EXPECT_EQ(layout().outer_width, 480);
    EXPECT_EQ(layout().outer_height, 300);
    EXPECT_EQ(layout().frame, FrameStyle::fixed_dialog);
    EXPECT_FALSE(layout().minimise_button);
    EXPECT_FALSE(layout().maximise_button);
    EXPECT_TRUE(layout().centred);
    EXPECT_TRUE(layout().esc_closes);
}

TEST(CodeWindowLayout, Controls) {
    struct Row {
        std::string_view name;
        ControlKind kind;
        std::string_view container;
        Place place;
        std::string caption_utf8;
    };
    const std::vector<Row> rows = {
        {"编辑框3", ControlKind::edit_box, "", {7, 6, 456, 122}, ""},
        {"按钮1", ControlKind::push_button, "", {8, 130, 456, 54}, "复制"},
        {"外形框1", ControlKind::frame, "", {2, 203, 468, 60}, ""},
        {"互联网浏览器1", ControlKind::browser_view, "外形框1", {-12, -18, 514, 104}, ""},
    };
    ASSERT_EQ(layout().controls.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlSpec& layout_row = layout().controls[i];
        SCOPED_TRACE(std::string(rows[i].name));
        EXPECT_EQ(layout_row.name, rows[i].name) << "containers come before their children";
        EXPECT_EQ(layout_row.kind, rows[i].kind);
        EXPECT_EQ(layout_row.container, rows[i].container);
        EXPECT_EQ(layout_row.place, rows[i].place);
        EXPECT_EQ(utf8_from_gbk(layout_row.caption), rows[i].caption_utf8);
        EXPECT_TRUE(layout_row.settings.font_face.empty());
    }
    const ControlSettings& box = find_control(layout(), "编辑框3")->settings;
    EXPECT_TRUE(box.multi_line);
    EXPECT_TRUE(box.read_only);
    EXPECT_TRUE(box.border);
    EXPECT_FALSE(box.scroll_bars);
    EXPECT_FALSE(box.button_face_background);
}

TEST(CodeWindowLayout, EventBindings) {
    struct Row {
        std::string_view control;
        EventKind event;
        std::variant<Action, Query> handler;
    };
    const std::vector<Row> rows = {
        {"", EventKind::created, Action{fill_code_window}},
        {"按钮1", EventKind::clicked, Action{copy_code}},
        {"互联网浏览器1", EventKind::context_menu_requested, Query{suppress_context_menu}},
    };
    std::size_t bound = layout().bindings.size();
    for (const ControlSpec& layout_row : layout().controls) {
        bound += layout_row.bindings.size();
    }
    EXPECT_EQ(bound, rows.size());
    for (const Row& row : rows) {
        const Binding* binding = find_binding(layout(), row.control, row.event);
        ASSERT_NE(binding, nullptr) << row.control;
        EXPECT_EQ(binding->handler.index(), row.handler.index());
        EXPECT_TRUE(binding->handler == row.handler) << row.control;
    }
}

class CodeWindow : public ::testing::Test {
  protected:
    // Opens the window on a stylesheet; `inside` runs while it is open.
    void open_on(const std::string& stylesheet, std::function<void()> inside) {
        program.state.last_stylesheet = stylesheet;
        fake.queue([&, inside] {
            ASSERT_TRUE(fake.is_open(WindowId::code_window));
            inside();
        });
        open_code_window(program);
    }

    FakeWindowing fake;
    Program program{fake};
};

// Byte for byte, line ends and GBK included, nothing added.
const std::string awkward_stylesheet = ".a{color:" + gbk_from_utf8("红") + ";}\r\n.b{}\r\n";

TEST_F(CodeWindow, ShowsTheSnapshotAndNavigatesTheBanner) {
    open_on(awkward_stylesheet, [&] {
        EXPECT_EQ(fake.text(in_code("编辑框3")), awkward_stylesheet);
        ASSERT_FALSE(fake.navigations().empty());
        EXPECT_EQ(fake.navigations().back().view, in_code("互联网浏览器1"));
        EXPECT_EQ(fake.navigations().back().target, site_page("/softcss/a.html"));
    });
    EXPECT_EQ(program.state.code_window_text, awkward_stylesheet);
    EXPECT_FALSE(fake.is_open(WindowId::code_window));
}

TEST_F(CodeWindow, SnapshotIsIndependentOfLaterStylesheets) {
    open_on("first", [&] { program.state.last_stylesheet = "second"; });
    EXPECT_EQ(program.state.code_window_text, "first");
    open_on("third", [] {});
    EXPECT_EQ(program.state.code_window_text, "third");
}

TEST_F(CodeWindow, CopyPutsTheTextOnTheClipboardThenThanksAndOpensThePage) {
    open_on(awkward_stylesheet, [&] {
        fake.click(in_code("按钮1"));
        EXPECT_TRUE(fake.is_open(WindowId::code_window)) << "the window stays open";
    });
    EXPECT_EQ(fake.clipboard(), std::optional<std::string>(awkward_stylesheet));
    ASSERT_EQ(fake.message_boxes().size(), 1u);
    EXPECT_EQ(fake.message_boxes()[0].text,
              gbk_from_utf8("已经复制到剪辑板，请按照教程安装代码！"));
    EXPECT_EQ(fake.message_boxes()[0].title, gbk_from_utf8("恭喜"));
    EXPECT_EQ(fake.message_boxes()[0].style, message_box::ok_only);
    EXPECT_EQ(fake.shell_opens(), (Strings{site_page("/?free")}));
}

TEST_F(CodeWindow, TheFollowUpPageOpensOnlyAfterTheMessageIsDismissed) {
    std::size_t opens_while_shown = 99;
    fake.script_during_message_box([&] { opens_while_shown = fake.shell_opens().size(); });
    open_on("x", [&] { fake.click(in_code("按钮1")); });
    EXPECT_EQ(opens_while_shown, 0u);
    EXPECT_EQ(fake.shell_opens().size(), 1u);
}

TEST_F(CodeWindow, EachCopyRepeatsEverything) {
    open_on("x", [&] {
        fake.click(in_code("按钮1"));
        fake.click(in_code("按钮1"));
    });
    EXPECT_EQ(fake.message_boxes().size(), 2u);
    EXPECT_EQ(fake.shell_opens(), (Strings{site_page("/?free"), site_page("/?free")}));
}

TEST_F(CodeWindow, FailingClipboardShowsAndOpensNothing) {
    fake.set_clipboard_fails(true);
    open_on("x", [&] {
        fake.click(in_code("按钮1"));
        EXPECT_EQ(fake.text(in_code("编辑框3")), "x");
        EXPECT_TRUE(fake.is_open(WindowId::code_window));
    });
    EXPECT_FALSE(fake.clipboard().has_value());
    EXPECT_TRUE(fake.message_boxes().empty());
    EXPECT_TRUE(fake.shell_opens().empty());
}

TEST_F(CodeWindow, EmptyCodeBoxIsStillCopiedWithMessageAndPage) {
    open_on("", [&] { fake.click(in_code("按钮1")); });
    EXPECT_EQ(fake.clipboard(), std::optional<std::string>(""));
    EXPECT_EQ(fake.message_boxes().size(), 1u);
    EXPECT_EQ(fake.shell_opens(), (Strings{site_page("/?free")}));
}

TEST_F(CodeWindow, CodeBoxIsReadOnlyAndTheBannerHasNoMenu) {
    open_on("x", [&] {
        fake.type_text(in_code("编辑框3"), "typed");
        EXPECT_EQ(fake.text(in_code("编辑框3")), "x");
        EXPECT_FALSE(fake.right_click(in_code("互联网浏览器1")));
    });
}

TEST_F(CodeWindow, EscClosesWithoutAQuery) {
    open_on("x", [&] {
        ASSERT_TRUE(layout().esc_closes);
        EXPECT_TRUE(fake.request_close(WindowId::code_window));
    });
    EXPECT_TRUE(fake.message_boxes().empty());
    EXPECT_FALSE(fake.is_open(WindowId::code_window));
}

}  // namespace
}  // namespace peiseqi::testing
