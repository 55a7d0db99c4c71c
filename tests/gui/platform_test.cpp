// The wx platform on a real display: the operations the logic relies on,
// each checked against the real toolkit, WebKit and desktop tools.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/webview.h>
#include <wx/window.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/window_layout.h"
#include "shell/wx/colour_picker.h"
#include "shell/wx/top_window.h"
#include "shell/wx/wx_platform.h"
#include "tests/gui/gui_support.h"

namespace peiseqi {
namespace {

namespace fs = std::filesystem;
using gui_testing::pump_until;
using gui_testing::run_while_pumping;

// What the test windows' handlers saw; reset by each test's fixture.
struct Seen {
    int clicks = 0;
    int radio_clicks = 0;
    int lost_focus = 0;
    int colours_chosen = 0;
    int close_requests = 0;
    bool allow_close = true;
    int menus_asked = 0;
    bool allow_menu = false;
    int code_window_created = 0;
    bool main_disabled_during_modal = false;
    wx::WxPlatform* platform = nullptr;
};
Seen seen;

void on_click(Program&, int) {
    ++seen.clicks;
}
void on_radio(Program&, int) {
    ++seen.radio_clicks;
}
void on_lost_focus(Program&, int) {
    ++seen.lost_focus;
}
void on_colour(Program&, int) {
    ++seen.colours_chosen;
}
bool on_may_close(Program&, int) {
    ++seen.close_requests;
    return seen.allow_close;
}
bool on_menu(Program&, int) {
    ++seen.menus_asked;
    return seen.allow_menu;
}
void on_code_created(Program& program, int) {
    ++seen.code_window_created;
    // Looks at the main window while the modal load runs, then closes.
    wxWindow* code = seen.platform->window(WindowId::code_window);
    WindowingServices* services = &program.services;
    code->CallAfter([code, services] {
        seen.main_disabled_during_modal = std::get<bool>(
            services->read_property(ControlRef{WindowId::main_window, ""}, property::disabled));
        code->Close();
    });
}

constexpr std::array<Colour, 4> palette{0x000000, 0x0000FF, 0x00FF00, 0xFF0000};

WindowLayout make_main_layout() {
    WindowLayout layout;
    layout.id = WindowId::main_window;
    layout.title = "pq-main";
    layout.outer_width = 420;
    layout.outer_height = 300;
    layout.minimise_button = true;
    layout.task_bar_button = true;
    layout.bindings = {{EventKind::may_close, Query{on_may_close}}};
    ControlSettings picker;
    picker.palette = palette;
    layout.controls = {
        {"g", ControlKind::group_box, "", {6, 5, 400, 80}, "group", {}, {}},
        {"e1",
         ControlKind::edit_box,
         "g",
         {10, 20, 64, 20},
         "",
         {},
         {{EventKind::lost_focus, Action{on_lost_focus}}}},
        {"p1",
         ControlKind::colour_picker,
         "g",
         {80, 20, 48, 20},
         "",
         picker,
         {{EventKind::colour_chosen, Action{on_colour}}}},
        {"b1",
         ControlKind::push_button,
         "g",
         {130, 20, 32, 20},
         gbk_from_utf8("清空"),
         {},
         {{EventKind::clicked, Action{on_click}}}},
        {"r1",
         ControlKind::radio_button,
         "g",
         {10, 48, 56, 24},
         "one",
         {},
         {{EventKind::clicked, Action{on_radio}}}},
        {"r2",
         ControlKind::radio_button,
         "g",
         {80, 48, 56, 24},
         "two",
         {},
         {{EventKind::clicked, Action{on_radio}}}},
        {"e2", ControlKind::edit_box, "", {10, 95, 64, 20}, "", {}, {}},
        {"w1",
         ControlKind::browser_view,
         "",
         {10, 125, 390, 130},
         "",
         {},
         {{EventKind::context_menu_requested, Query{on_menu}}}},
    };
    return layout;
}

WindowLayout make_code_layout() {
    WindowLayout layout;
    layout.id = WindowId::code_window;
    layout.title = "pq-code";
    layout.outer_width = 200;
    layout.outer_height = 120;
    layout.frame = FrameStyle::fixed_dialog;
    layout.bindings = {{EventKind::created, Action{on_code_created}}};
    layout.controls = {{"b", ControlKind::push_button, "", {8, 8, 100, 30}, "ok", {}, {}}};
    return layout;
}

const WindowLayout& main_layout() {
    static const WindowLayout layout = make_main_layout();
    return layout;
}

const WindowLayout& code_layout() {
    static const WindowLayout layout = make_code_layout();
    return layout;
}

ControlRef in_main(std::string_view name) {
    return ControlRef{WindowId::main_window, name};
}

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class PlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seen = Seen{};
        seen.platform = &platform;
        platform.initialise_platform();
        temp = gui_testing::make_temp_directory("a b 中文");
        ASSERT_FALSE(temp.empty());
    }

    void TearDown() override {
        if (wxWindow* main = platform.window(WindowId::main_window)) {
            seen.allow_close = true;
            main->Close(true);
        }
        pump_until(
            [&] {
                wxTheApp->ProcessIdle();
                return wxTopLevelWindows.empty();
            },
            5000);
        platform.shut_down();
        fs::remove_all(temp);
    }

    void open_main() {
        platform.load_start_window(main_layout(), program);
        ASSERT_NE(platform.window(WindowId::main_window), nullptr);
    }

    // Navigates and waits as the preview does; answers whether it ended.
    bool navigate_and_wait(const std::string& gbk_target) {
        platform.browser_navigate(in_main("w1"), gbk_target);
        if (read_ready_state(platform, in_main("w1")) != ready::loading) {
            return false;
        }
        return pump_until(
            [&] { return read_ready_state(platform, in_main("w1")) != ready::loading; });
    }

    std::string shown_uri() {
        wx::BuiltControl* view = platform.window(WindowId::main_window)->control("w1");
        const gchar* uri = webkit_web_view_get_uri(
            static_cast<WebKitWebView*>(static_cast<wxWebView*>(view->window)->GetNativeBackend()));
        return uri != nullptr ? uri : "";
    }

    wxPoint screen_centre_of(std::string_view name) {
        wxWindow* widget = platform.window(WindowId::main_window)->control(name)->window;
        return widget->ClientToScreen(wxPoint(widget->GetSize().x / 2, widget->GetSize().y / 2));
    }

    void click_at(const wxPoint& at, const char* button = "1") {
        run_while_pumping({"xdotool", "mousemove", "--sync", std::to_string(at.x),
                           std::to_string(at.y), "click", button});
    }

    wx::WxPlatform platform;
    Program program{platform};
    std::string temp;
};

TEST_F(PlatformTest, ReadyStateCoversEachNavigationToItsEnd) {
    open_main();
    const std::string dir = temp + "/a b 中文";
    std::ofstream(dir + "/one.html") << "<p>one</p>";
    std::ofstream(dir + "/two.html") << "<p>two</p>";
    const std::string one = gbk_from_utf8(dir + "/one.html");
    const std::string two = gbk_from_utf8(dir + "/two.html");

    ASSERT_TRUE(navigate_and_wait(one));
    EXPECT_EQ(read_ready_state(platform, in_main("w1")), ready::complete);
    EXPECT_NE(shown_uri().find("/a%20b%20%E4%B8%AD%E6%96%87/one.html"), std::string::npos);

    // A missing file fails the navigation; WebKit's error page follows.
    ASSERT_TRUE(navigate_and_wait(gbk_from_utf8(dir + "/missing.html")));
    ASSERT_TRUE(navigate_and_wait(two));
    EXPECT_NE(shown_uri().find("two.html"), std::string::npos);

    // A second navigation cancels the first; the wait lasts until the second.
    platform.browser_navigate(in_main("w1"), one);
    ASSERT_TRUE(navigate_and_wait(two));
    EXPECT_NE(shown_uri().find("two.html"), std::string::npos);

    // The same file twice, as nested previews do: the cancelled first load
    // must not end the wait of the second.
    platform.browser_navigate(in_main("w1"), one);
    platform.pump_pending_events();
    ASSERT_TRUE(navigate_and_wait(one));
    EXPECT_NE(shown_uri().find("one.html"), std::string::npos);
}

TEST_F(PlatformTest, AWaitEndsWhenTheViewsWindowIsGone) {
    open_main();
    std::ofstream(temp + "/page.html") << "<p>page</p>";
    platform.browser_navigate(in_main("w1"), gbk_from_utf8(temp + "/page.html"));
    ASSERT_EQ(read_ready_state(platform, in_main("w1")), ready::loading);
    platform.window(WindowId::main_window)->Close(true);
    EXPECT_NE(read_ready_state(platform, in_main("w1")), ready::loading);
}

TEST_F(PlatformTest, PropertiesRoundTripAndWritesRunNoHandler) {
    open_main();
    // Characters beyond GBK survive through GB18030.
    const std::string typed = gbk_from_utf8("#FF0000 红色 😀");
    platform.write_property(in_main("e1"), property::text, typed);
    EXPECT_EQ(read_text(platform, in_main("e1")), typed);
    platform.write_property(in_main("e1"), property::background_colour, Colour{0x0000FF});
    EXPECT_EQ(std::get<Colour>(platform.read_property(in_main("e1"), property::background_colour)),
              0x0000FFu);
    platform.write_property(in_main("r2"), property::checked, true);
    EXPECT_TRUE(std::get<bool>(platform.read_property(in_main("r2"), property::checked)));
    EXPECT_FALSE(std::get<bool>(platform.read_property(in_main("r1"), property::checked)));
    platform.pump_pending_events();
    EXPECT_EQ(seen.lost_focus, 0);
    EXPECT_EQ(seen.radio_clicks, 0);
    // A control inside a group box reads its place in the box.
    EXPECT_EQ(std::get<int>(platform.read_property(in_main("e1"), property::left)), 10);
    EXPECT_EQ(std::get<int>(platform.read_property(in_main("e1"), property::top)), 20);
    EXPECT_EQ(read_colour(platform, in_main("p1")), 0u);
}

TEST_F(PlatformTest, TheWindowHasItsOuterSizeAndIsCentred) {
    open_main();
    const wxRect outer = platform.window(WindowId::main_window)->outer_rect();
    EXPECT_EQ(outer.GetSize(), wxSize(420, 300));
    const wxSize screen = wxGetDisplaySize();
    EXPECT_EQ(outer.GetPosition(), wxPoint((screen.x - 420) / 2, (screen.y - 300) / 2));
}

TEST_F(PlatformTest, ModalWindowDisablesTheOthersAndRestoresThem) {
    open_main();
    EXPECT_TRUE(platform.load_window_modal(code_layout(), program));
    EXPECT_EQ(seen.code_window_created, 1);
    EXPECT_TRUE(seen.main_disabled_during_modal);
    EXPECT_EQ(platform.window(WindowId::code_window), nullptr);
    EXPECT_FALSE(std::get<bool>(platform.read_property(in_main(""), property::disabled)));

    // A window disabled before keeps its state afterwards.
    platform.write_property(in_main(""), property::disabled, true);
    platform.load_window_modal(code_layout(), program);
    EXPECT_TRUE(std::get<bool>(platform.read_property(in_main(""), property::disabled)));
}

struct BoxCase {
    int style;
    const char* key;
    int answer;
};

class MessageBoxTest : public PlatformTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxTest, AnswersTheButtonPressed) {
    open_main();
    const BoxCase box = GetParam();
    // The window manager gives the new box the focus.
    gui_testing::start_tool({"xdotool", "sleep", "1.5", "key", box.key});
    EXPECT_EQ(platform.show_message_box(gbk_from_utf8("确定？"), box.style, "pq-box"), box.answer);
    EXPECT_FALSE(std::get<bool>(platform.read_property(in_main(""), property::disabled)));
}

INSTANTIATE_TEST_SUITE_P(Keys, MessageBoxTest,
                         ::testing::Values(BoxCase{message_box::ok_cancel + 32, "Return", 0},
                                           BoxCase{message_box::ok_cancel + 32, "Escape", 1},
                                           BoxCase{message_box::ok_only, "Escape", 0},
                                           BoxCase{message_box::ok_only, "Return", 0}));

TEST_F(PlatformTest, ClipboardHoldsTheTextAsUtf8WithItsLineEnds) {
    const std::string text = gbk_from_utf8(".a{color:#FF0000;}\r\n/* 中文 */\r\n");
    ASSERT_TRUE(platform.set_clipboard_text(text));
    const auto copied = run_while_pumping({"xclip", "-selection", "clipboard", "-o"});
    ASSERT_EQ(copied.status, 0);
    EXPECT_EQ(copied.output, utf8_from_gbk(text));
}

TEST_F(PlatformTest, StartProgramStartsTheFileAsOneArgumentAndReapsIt) {
    const std::string dir = temp + "/a b 中文";
    const std::string marker = dir + "/started";
    const std::string tool = dir + "/quse.dll";
    std::ofstream(tool) << "#!/bin/sh\necho \"$#\" > '" << marker << "'\n";
    fs::permissions(tool, fs::perms::owner_all);
    EXPECT_TRUE(platform.start_program(gbk_from_utf8(tool)));
    ASSERT_TRUE(pump_until([&] { return fs::exists(marker) && fs::file_size(marker) > 0; }));
    EXPECT_EQ(read_all(marker), "0\n");
    EXPECT_TRUE(pump_until([] { return gui_testing::zombie_children() == 0; }, 3000));

    EXPECT_FALSE(platform.start_program(gbk_from_utf8(dir + "/missing.dll")));
    std::ofstream(dir + "/plain.dll") << "not a program";
    EXPECT_FALSE(platform.start_program(gbk_from_utf8(dir + "/plain.dll")));

    // An executable file that is no program is not handed to a shell.
    const std::string shell_marker = dir + "/ran-by-a-shell";
    std::ofstream(dir + "/script.dll") << "echo ran > '" << shell_marker << "'\n";
    fs::permissions(dir + "/script.dll", fs::perms::owner_all);
    EXPECT_FALSE(platform.start_program(gbk_from_utf8(dir + "/script.dll")));
    pump_until([] { return false; }, 300);
    EXPECT_FALSE(fs::exists(shell_marker));
}

TEST_F(PlatformTest, OpenWithShellHandsTheTargetToXdgOpen) {
    const std::string bin = temp + "/bin";
    fs::create_directories(bin);
    const std::string log = temp + "/opened.log";
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << log << "'\n";
    fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
    const std::string old_path = std::getenv("PATH");
    setenv("PATH", (bin + ":" + old_path).c_str(), 1);
    platform.open_with_shell("http://www.example.com/?css");
    setenv("PATH", old_path.c_str(), 1);
    ASSERT_TRUE(pump_until([&] { return fs::exists(log) && fs::file_size(log) > 0; }));
    EXPECT_EQ(read_all(log), "http://www.example.com/?css\n");
    EXPECT_TRUE(pump_until([] { return gui_testing::zombie_children() == 0; }, 3000));
}

TEST_F(PlatformTest, FilesAreNamedByGbkTexts) {
    const std::string name = gbk_from_utf8(temp + "/a b 中文/css.html");
    const std::string bytes("\xC0\xB6\r\n\0x", 5);
    EXPECT_TRUE(platform.write_file(name, bytes));
    EXPECT_EQ(read_all(temp + "/a b 中文/css.html"), bytes);
    EXPECT_TRUE(platform.delete_file(name));
    EXPECT_FALSE(fs::exists(temp + "/a b 中文/css.html"));
    EXPECT_FALSE(platform.delete_file(name));
    EXPECT_FALSE(platform.write_file("", "x"));

    // A file another process holds is a failed write at once, left as it was.
    const std::string held = temp + "/held.html";
    std::ofstream(held) << "theirs";
    const int fd = open(held.c_str(), O_RDONLY);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    EXPECT_FALSE(platform.write_file(gbk_from_utf8(held), "ours"));
    EXPECT_EQ(read_all(held), "theirs");
    close(fd);
    EXPECT_TRUE(platform.write_file(gbk_from_utf8(held), "ours"));
    EXPECT_EQ(read_all(held), "ours");

    const std::string run = utf8_from_gbk(platform.run_directory());
    EXPECT_EQ(fs::path(run), fs::current_path());
    EXPECT_NE(run.back(), '/');

    const std::string own = utf8_from_gbk(platform.private_directory());
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(platform.private_directory(), gbk_from_utf8(own));
    platform.shut_down();
    EXPECT_FALSE(fs::exists(own));
}

TEST_F(PlatformTest, EscAsksTheWindowToCloseFromAnEditBox) {
    open_main();
    click_at(screen_centre_of("e2"));
    seen.allow_close = false;
    run_while_pumping({"xdotool", "key", "Escape"});
    pump_until([] { return seen.close_requests > 0; }, 3000);
    EXPECT_EQ(seen.close_requests, 1);
    EXPECT_NE(platform.window(WindowId::main_window), nullptr);

    seen.allow_close = true;
    run_while_pumping({"xdotool", "key", "Escape"});
    EXPECT_TRUE(
        pump_until([&] { return platform.window(WindowId::main_window) == nullptr; }, 3000));
}

TEST_F(PlatformTest, LeavingAnEditBoxFiresLostFocus) {
    open_main();
    wxWindow* box = platform.window(WindowId::main_window)->control("e1")->window;
    click_at(screen_centre_of("e1"));
    ASSERT_TRUE(pump_until([&] { return wxWindow::FindFocus() == box; }, 3000));
    seen.lost_focus = 0;  // the window manager's own focus changes before the click
    run_while_pumping({"xdotool", "type", "abc"});
    pump_until([&] { return read_text(platform, in_main("e1")) == "abc"; }, 3000);
    EXPECT_EQ(seen.lost_focus, 0);
    click_at(screen_centre_of("b1"));
    pump_until([] { return seen.clicks > 0; }, 3000);
    EXPECT_EQ(seen.lost_focus, 1);
    EXPECT_EQ(seen.clicks, 1);
    EXPECT_EQ(read_text(platform, in_main("e1")), "abc");
}

TEST_F(PlatformTest, PaletteChoiceFiresEveryTimeAndDismissalNever) {
    open_main();
    wxWindow* picker = platform.window(WindowId::main_window)->control("p1")->window;
    const wxPoint corner = picker->ClientToScreen(wxPoint(0, picker->GetSize().y));
    const int half = wx::ColourPicker::swatch_size / 2;
    // The third swatch: first row, third column.
    const wxPoint third(
        corner.x + wx::ColourPicker::padding + 2 * wx::ColourPicker::swatch_step + half,
        corner.y + wx::ColourPicker::padding + half);
    for (int round = 1; round <= 2; ++round) {
        click_at(screen_centre_of("p1"));
        pump_until([] { return false; }, 300);
        click_at(third);
        pump_until([&] { return seen.colours_chosen == round; }, 3000);
        EXPECT_EQ(seen.colours_chosen, round);
        EXPECT_EQ(read_colour(platform, in_main("p1")), palette[2]);
    }
    // Dismissed by a click beside it.
    click_at(screen_centre_of("p1"));
    pump_until([] { return false; }, 300);
    click_at(screen_centre_of("e2"));
    pump_until([] { return false; }, 300);
    EXPECT_EQ(seen.colours_chosen, 2);
}

int shown_popups() {
    int count = 0;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
        auto* window = GTK_WINDOW(item->data);
        if (gtk_window_get_window_type(window) == GTK_WINDOW_POPUP &&
            gtk_widget_get_mapped(GTK_WIDGET(window))) {
            ++count;
        }
    }
    g_list_free(windows);
    return count;
}

TEST_F(PlatformTest, ContextMenuAsksTheHandler) {
    open_main();
    std::ofstream(temp + "/page.html") << "<body style='height:100%'>page</body>";
    ASSERT_TRUE(navigate_and_wait(gbk_from_utf8(temp + "/page.html")));
    const int before = shown_popups();
    click_at(screen_centre_of("w1"), "3");
    pump_until([] { return seen.menus_asked > 0; }, 3000);
    pump_until([] { return false; }, 300);
    EXPECT_EQ(seen.menus_asked, 1);
    EXPECT_EQ(shown_popups(), before);
}

}  // namespace
}  // namespace peiseqi
