#include "generation/preview.h"

#include <string>
#include <string_view>

#include "generation/stylesheet.h"
#include "shell/gbk.h"
#include "shell/program.h"

namespace peiseqi {
namespace {

// The source is UTF-8 for readability; the page is GBK, converted once.
constexpr std::string_view PageBody =
    "\r\n\r\n"
    "</STYLE>\r\n"
    "</HEAD>\r\n"
    "<BODY><!-- <div style=\"color:#000000;margin-bottom:5px;\">预览效果：</div>\r\n"
    " -->\r\n"
    "<DIV class=skin-box-bd>\r\n"
    "<DIV class=all-cats>\r\n"
    "<DIV><A class=\"link \" href=\"#\"><SPAN class=title>所有分类</SPAN>&nbsp;▼</A> </DIV>\r\n"
    "<DIV class=popup-content>\r\n"
    "<DIV class=popup-inner>\r\n"
    "<UL class=cats-tree>\r\n"
    "<LI class=fst-cat>\r\n"
    "<H4 class=cat-hd><A class=\"cat-name fst-cat-name\" href=\"#\">\r\n"
    "<DIV style=\"FLOAT: right\">&nbsp;&gt;&nbsp;</DIV>所有宝贝</A> </H4>\r\n"
    "<DIV style=\"POSITION: relative\">\r\n"
    "<DIV class=snd-pop-inner>\r\n"
    "<UL class=fst-cat-bd>\r\n"
    "<LI>\r\n"
    "<H4 class=\"cat-hd snd-cat-hd\"><A class=snd-cat-name href=\"#\">按销量</A></H4>\r\n"
    "<LI>\r\n"
    "<H4 class=\"cat-hd snd-cat-hd\"><A class=snd-cat-name href=\"#\">按新品</A></H4>\r\n"
    "<LI>\r\n"
    "<H4 class=\"cat-hd snd-cat-hd\"><A class=snd-cat-name "
    "href=\"#\">二级菜单</A></H4></LI></UL></DIV></DIV></LI>\r\n"
    "<LI class=fst-cat>\r\n"
    "<H4 class=cat-hd><A class=\"cat-name fst-cat-name\" "
    "href=\"#\">橙川文章管理系统</A></H4></LI>\r\n"
    "<LI class=fst-cat>\r\n"
    "<H4 class=cat-hd><A class=\"cat-name fst-cat-name\" "
    "href=\"#\">一级菜单</A></H4></LI></UL></DIV></DIV></DIV>\r\n"
    "<UL class=menu-list>\r\n"
    "<LI class=menu><A class=\"link home\" href=\"#\"><SPAN class=title>首页</SPAN></A> </LI>\r\n"
    "<LI class=menu><A class=link href=\"#\"><SPAN "
    "class=title>橙川淘宝旺铺装修助手</SPAN></A> </LI>\r\n"
    "<LI class=menu><A class=link href=\"#\"><SPAN "
    "class=title>导航条</SPAN></A> </LI></UL></DIV></BODY></HTML>";

constexpr std::string_view preview_file_name = "/css.html";
constexpr std::string_view preview_view = "互联网浏览器1";

// The page goes beside the program; an install the user cannot write to
// gets the same name in the user's private directory instead, so the view
// never shows an older page as the current one. Answers the name written.
std::string write_page(WindowingServices& services, const std::string& page) {
    std::string name = services.run_directory() + std::string(preview_file_name);
    if (services.write_file(name, page)) {
        return name;
    }
    const std::string private_directory = services.private_directory();
    if (!private_directory.empty()) {
        name = private_directory + std::string(preview_file_name);
        if (services.write_file(name, page)) {
            return name;
        }
    }
    // Nothing could be written: whatever an earlier preview left under this
    // name must not pass for the current design.
    services.delete_file(name);
    return name;
}

}  // namespace

const std::string& page_body() {
    static const std::string body = gbk_from_utf8(PageBody);
    return body;
}

void show_preview(Program& program, const std::string& stylesheet) {
    std::string page = program.state.current_skin_head;
    page.append(stylesheet).append(page_body());
    // Set before any waiting, so a preview started inside the wait below
    // leaves its newer stylesheet in place.
    program.state.last_stylesheet = stylesheet;

    WindowingServices& services = program.services;
    const std::string name = write_page(services, page);
    const ControlRef view{WindowId::main_window, preview_view};
    services.browser_navigate(view, name);
    while (read_ready_state(services, view) == ready::loading) {
        services.pump_pending_events();
    }
    services.delete_file(name);
}

void regenerate(Program& program) {
    const std::string stylesheet = build_stylesheet(program);
    show_preview(program, stylesheet);
}

void select_skin(Program& program, BaseSkinId skin) {
    program.state.current_skin_head = skin_head(skin);
    regenerate(program);
}

}  // namespace peiseqi
