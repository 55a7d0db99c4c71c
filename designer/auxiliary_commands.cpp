// The commands that lead out of the program. None reports a failure: a
// missing companion file or an unreachable site leaves the program as it was.
#include <string>
#include <string_view>

#include "designer/main_window.h"
#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/support_site.h"

namespace peiseqi {
void show_tutorial(Program& program, int /*unused*/) {
    program.services.open_with_shell(support_page("/?css"));
}

void start_colour_tool(Program& program, int /*unused*/) {
    // Exactly the file beside us, as one name: a run directory with blanks
    // must not start some other program.
    program.services.start_program(program.services.run_directory() + "/quse.dll");
}

void show_version_notes(Program& program, int /*unused*/) {
    static const std::string notes = gbk_from_utf8("/版本说明.txt");
    program.services.browser_navigate({WindowId::main_window, "互联网浏览器1"},
                                      program.services.run_directory() + notes);
}

bool confirm_close(Program& program, int /*unused*/) {
    static const std::string question = gbk_from_utf8("确定关闭后并进入淘宝装修论坛吗？");
    static const std::string title = gbk_from_utf8("是否关闭？");
    const int answer = program.services.show_message_box(
        question, message_box::ok_cancel + message_box::icon_question, title);
    if (answer != message_box::answer_ok) {
        return false;
    }
    program.services.open_with_shell(support_page("/?guan"));
    return true;
}

}  // namespace peiseqi
