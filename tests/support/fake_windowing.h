// An in-memory substitute of the windowing platform. It builds its controls
// from the same layout tables as the desktop platform, keeps their
// properties, runs the bound handlers when a test acts as the user, and
// records what the program asked of the desktop. Files are real: the run
// directory is a fresh temporary directory of its own.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/program.h"
#include "shell/window_layout.h"
#include "shell/windowing_services.h"

namespace peiseqi::testing {

struct Navigation {
    ControlRef view;
    std::string target;  // as the program passed it (GBK)
    // The bytes of the file the target names, read when the navigation
    // started; empty when no such file could be read.
    std::optional<std::string> file_bytes;
};

struct ShownMessageBox {
    std::string text;
    int style;
    std::string title;
    int answer;
};

class FakeWindowing : public WindowingServices {
  public:
    // The run directory is a new directory named `run_directory_name`
    // (UTF-8; blanks and Chinese allowed) inside a fresh temporary folder.
    explicit FakeWindowing(const std::string& run_directory_name = "run");
    ~FakeWindowing() override;
    FakeWindowing(const FakeWindowing&) = delete;
    FakeWindowing& operator=(const FakeWindowing&) = delete;

    // ----- the platform -----
    void initialise_platform() override;
    void register_exit_routine(std::function<void()> routine) override;
    void load_start_window(const WindowLayout& layout, Program& program) override;
    void run_event_loop() override;
    PropertyValue read_property(const ControlRef& control, PropertyId id) override;
    void write_property(const ControlRef& control, PropertyId id,
                        const PropertyValue& value) override;
    bool load_window_modal(const WindowLayout& layout, Program& program) override;
    int show_message_box(const std::string& text, int style, const std::string& title) override;
    void open_with_shell(const std::string& target) override;
    bool start_program(const std::string& program_file) override;
    bool set_clipboard_text(const std::string& text) override;
    std::string run_directory() override;
    std::string private_directory() override;
    bool write_file(const std::string& name, std::string_view bytes) override;
    bool delete_file(const std::string& name) override;
    void pump_pending_events() override;
    void browser_navigate(const ControlRef& view, const std::string& target) override;
    void apply_control_theme(int scheme) override;

    // ----- acting as the user; each runs at once, as the event loop would -----
    // The focus moves to the control first (an edit box losing it fires its
    // lost_focus), then the click is handled; a radio button is checked.
    void click(const ControlRef& control);
    // The picker takes the focus, holds the colour and fires colour_chosen.
    void choose_colour(const ControlRef& picker, Colour colour);
    // The box takes the focus and its text becomes `gbk`; nothing fires yet.
    void type_text(const ControlRef& box, const std::string& gbk);
    // The focus moves to another control, or away from the program (nullopt).
    void move_focus(std::optional<ControlRef> to);
    // A close request: may_close decides; true means the window is gone.
    bool request_close(WindowId window);
    // Right-click in a browser view: true when the view's own menu would show.
    bool right_click(const ControlRef& view);

    // ----- scripting -----
    // Actions waiting in the queue run in pump_pending_events, in modal
    // loops and in run_event_loop, in order.
    void queue(std::function<void()> action);
    bool queue_empty() const { return queue_.empty(); }
    // How many pumps a navigation takes before the document is read (>= 1).
    void set_pumps_per_load(int pumps) { pumps_per_load_ = pumps; }
    // Answers for the next message boxes, in order; afterwards OK (0).
    void script_message_box_answers(std::vector<int> answers);
    // Actions run while a message box is shown, before it is answered; the
    // program's windows are disabled meanwhile, as behind a real box.
    void script_during_message_box(std::function<void()> action);
    // The next clipboard writes fail while this is set.
    void set_clipboard_fails(bool fails) { clipboard_fails_ = fails; }
    // write_file fails for every name that starts with this GBK prefix.
    void fail_writes_under(const std::string& gbk_prefix) {
        failing_prefixes_.push_back(gbk_prefix);
    }
    // Runs the registered exit routine as the platform does at shutdown.
    void shut_down();

    // ----- what happened -----
    // Operation names, in call order (platform start-up and window loading).
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<Navigation>& navigations() const { return navigations_; }
    const std::vector<std::string>& shell_opens() const { return shell_opens_; }
    const std::vector<std::string>& programs_started() const { return programs_started_; }
    const std::vector<ShownMessageBox>& message_boxes() const { return message_boxes_; }
    const std::optional<std::string>& clipboard() const { return clipboard_; }
    int theme_scheme() const { return theme_scheme_; }
    int exit_routine_runs() const { return exit_routine_runs_; }
    bool is_open(WindowId window) const;
    bool window_enabled(WindowId window) const;
    // Properties as the user sees them.
    std::string text(const ControlRef& control) const;
    Colour colour(const ControlRef& control) const;
    Colour background(const ControlRef& control) const;
    bool checked(const ControlRef& control) const;
    int ready_state(const ControlRef& control) const;
    const std::optional<ControlRef>& focus() const { return focus_; }
    // The layout a loaded window was built from.
    const WindowLayout* layout_of(WindowId window) const;
    // Real paths (UTF-8) behind the program's GBK names.
    std::filesystem::path run_path() const { return run_path_; }
    std::filesystem::path path_of(const std::string& gbk_name) const;

  private:
    struct Control {
        const ControlSpec* row = nullptr;
        std::string text;
        Colour colour = 0;
        Colour background = 0xFFFFFF;
        bool checked = false;
        int ready_state = ready::uninitialised;
        int pumps_left = 0;
    };
    struct Window {
        const WindowLayout* layout = nullptr;
        Program* program = nullptr;
        std::map<std::string_view, Control> controls;
        bool enabled = true;
    };

    Window* window(WindowId id);
    const Window* window(WindowId id) const;
    Control* control(const ControlRef& ref);
    const Control* control(const ControlRef& ref) const;
    void create_window(const WindowLayout& layout, Program& program);
    void destroy_window(WindowId id);
    // Runs the handler bound to the event; no handler answers true.
    bool fire(const ControlRef& ref, EventKind event);
    void set_checked(const ControlRef& ref, bool on);
    bool run_one_queued();

    std::filesystem::path temp_root_;
    std::filesystem::path run_path_;
    std::filesystem::path private_path_;
    std::map<WindowId, Window> windows_;
    std::deque<std::function<void()>> queue_;
    std::deque<int> message_box_answers_;
    std::vector<std::function<void()>> during_message_box_;
    std::function<void()> exit_routine_;
    std::optional<ControlRef> focus_;
    std::vector<std::string> failing_prefixes_;
    std::vector<std::string> calls_;
    std::vector<Navigation> navigations_;
    std::vector<std::string> shell_opens_;
    std::vector<std::string> programs_started_;
    std::vector<ShownMessageBox> message_boxes_;
    std::optional<std::string> clipboard_;
    int pumps_per_load_ = 1;
    int theme_scheme_ = 0;
    int exit_routine_runs_ = 0;
    bool clipboard_fails_ = false;
};

}  // namespace peiseqi::testing
