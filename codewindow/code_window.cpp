#include "codewindow/code_window.h"

#include <string>
#include <string_view>

#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/support_site.h"

namespace peiseqi {
namespace {

constexpr ControlRef code_box{WindowId::code_window, "编辑框3"};
constexpr ControlRef banner{WindowId::code_window, "互联网浏览器1"};

WindowLayout build_code_window_layout() {
    WindowLayout layout{.id = WindowId::code_window,
                        .title = gbk_from_utf8("生成代码"),
                        .outer_width = 480,
                        .outer_height = 300,
                        .frame = FrameStyle::fixed_dialog,
                        .minimise_button = false,
                        .maximise_button = false,
                        .task_bar_button = false,
                        .centred = true,
                        .esc_closes = true,
                        .bindings = {{EventKind::created, Action{fill_code_window}}},
                        .controls = {}};

    ControlSettings code_box_settings;
    code_box_settings.read_only = true;
    code_box_settings.multi_line = true;
    code_box_settings.border = true;
    // Long lines wrap at the box's width; the box scrolls with the caret.
    code_box_settings.scroll_bars = false;

    layout.controls.push_back(
        {"编辑框3", ControlKind::edit_box, "", {7, 6, 456, 122}, "", code_box_settings, {}});
    layout.controls.push_back({"按钮1",
                               ControlKind::push_button,
                               "",
                               {8, 130, 456, 54},
                               gbk_from_utf8("复制"),
                               {},
                               {{EventKind::clicked, Action{copy_code}}}});
    layout.controls.push_back({"外形框1", ControlKind::frame, "", {2, 203, 468, 60}, "", {}, {}});
    // Larger than its frame, so the view's borders and scroll bars are clipped away.
    layout.controls.push_back(
        {"互联网浏览器1",
         ControlKind::browser_view,
         "外形框1",
         {-12, -18, 514, 104},
         "",
         {},
         {{EventKind::context_menu_requested, Query{suppress_context_menu}}}});
    return layout;
}

}  // namespace

const WindowLayout& code_window_layout() {
    static const WindowLayout layout = build_code_window_layout();
    return layout;
}

void open_code_window(Program& program, int /*unused*/) {
    // A snapshot: a regenerate while the window is open must not change it.
    program.state.code_window_text = program.state.last_stylesheet;
    program.services.load_window_modal(code_window_layout(), program);
}

void fill_code_window(Program& program, int /*unused*/) {
    program.services.write_property(code_box, property::text, program.state.code_window_text);
    program.services.browser_navigate(banner, support_page("/softcss/a.html"));
}

void copy_code(Program& program, int /*unused*/) {
    static const std::string message = gbk_from_utf8("已经复制到剪辑板，请按照教程安装代码！");
    static const std::string title = gbk_from_utf8("恭喜");

    const std::string code = read_text(program.services, code_box);
    if (!program.services.set_clipboard_text(code)) {
        return;  // another program holds the clipboard: the user simply tries again
    }
    program.services.show_message_box(message, message_box::ok_only, title);
    program.services.open_with_shell(support_page("/?free"));
}

bool suppress_context_menu(Program& /*program*/, int /*unused*/) {
    return false;
}

}  // namespace peiseqi
