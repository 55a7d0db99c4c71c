// The one interface through which the logic reaches windows, controls, the
// browser view, the clipboard, the desktop shell, programs and files. The wx
// platform (shell/wx) implements it for the desktop; tests use an in-memory
// substitute (tests/support). Nothing behind this header knows a toolkit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

namespace peiseqi {

struct Program;
struct WindowLayout;

// 0x00BBGGRR: red in the lowest byte, blue in the third.
using Colour = std::uint32_t;

using PropertyId = int;

namespace property {
// 0 to 7 mean the same for every kind of control.
inline constexpr PropertyId left = 0;
inline constexpr PropertyId top = 1;
inline constexpr PropertyId width = 2;
inline constexpr PropertyId height = 3;
inline constexpr PropertyId tag = 4;
inline constexpr PropertyId visible = 5;
inline constexpr PropertyId disabled = 6;
inline constexpr PropertyId mouse_pointer = 7;
// From 8 up the number is particular to the control's kind.
inline constexpr PropertyId text = 8;                // edit box: std::string (GBK)
inline constexpr PropertyId colour = 8;              // colour picker: Colour
inline constexpr PropertyId background_colour = 11;  // edit box: Colour
inline constexpr PropertyId checked = 18;            // radio button: bool
inline constexpr PropertyId ready_state = 23;        // browser view: int
}  // namespace property

// The document ready states a browser view reports.
namespace ready {
inline constexpr int uninitialised = 0;
inline constexpr int loading = 1;
inline constexpr int loaded = 2;
inline constexpr int interactive = 3;
inline constexpr int complete = 4;
}  // namespace ready

// A property's value carries its type: a text, a colour, a logical or an integer.
using PropertyValue = std::variant<std::string, Colour, bool, int>;

enum class WindowId { main_window, code_window };

// Names a control: the window and the control's name in the window's layout.
// An empty control name stands for the window itself. Names are identifiers
// kept in the source's encoding; they never reach a user.
struct ControlRef {
    WindowId window = WindowId::main_window;
    std::string_view control;

    friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

enum class EventKind {
    clicked,                 // push button, radio button
    colour_chosen,           // colour picker: a confirmed choice, also of the colour shown
    lost_focus,              // edit box
    created,                 // window: once its controls exist, before it is shown
    may_close,               // window: answer false to keep it open
    context_menu_requested,  // browser view: answer false to suppress the menu
};

// Message box styles and answers. The style is a button set plus an icon.
namespace message_box {
inline constexpr int ok_only = 0;
inline constexpr int ok_cancel = 1;
inline constexpr int icon_question = 32;
inline constexpr int answer_ok = 0;
inline constexpr int answer_cancel = 1;
}  // namespace message_box

class WindowingServices {
  public:
    virtual ~WindowingServices() = default;

    // The browser views' services are ready, the run directory is known and
    // is the process's current directory from here on.
    virtual void initialise_platform() = 0;
    // The routine runs exactly once at shutdown, after the last window is
    // gone; the platform forgets it afterwards.
    virtual void register_exit_routine(std::function<void()> routine) = 0;
    // Creates the window and its controls from the layout, runs its created
    // handler and then shows it. Handlers receive `program`.
    virtual void load_start_window(const WindowLayout& layout, Program& program) = 0;
    // Handles events until no window of the program remains.
    virtual void run_event_loop() = 0;

    virtual PropertyValue read_property(const ControlRef& control, PropertyId id) = 0;
    // Shows at once and runs none of the program's handlers.
    virtual void write_property(const ControlRef& control, PropertyId id,
                                const PropertyValue& value) = 0;

    // Creates the window, runs its created handler, disables every other
    // window and returns once the window has closed; the others get back the
    // enabled state they had.
    virtual bool load_window_modal(const WindowLayout& layout, Program& program) = 0;
    // Owned by no window, blocks all the program's windows; answers the
    // button's number (0 OK, 1 Cancel; a closed OK/Cancel box is Cancel).
    virtual int show_message_box(const std::string& text, int style, const std::string& title) = 0;
    // The desktop's default handler opens the target; no wait, outcome ignored.
    virtual void open_with_shell(const std::string& target) = 0;
    // Starts the program file as it is named, no shell and no word
    // splitting; waits at most 1000 ms, never for the program to end.
    virtual bool start_program(const std::string& program_file) = 0;
    // The GBK bytes as the desktop's text; false when the clipboard could
    // not be opened or filled.
    virtual bool set_clipboard_text(const std::string& text) = 0;

    // The directory holding the program file, without a trailing separator.
    virtual std::string run_directory() = 0;
    // A directory of this user's alone (mode 0700), created on first use and
    // removed at exit; for files the run directory cannot take.
    virtual std::string private_directory() = 0;
    // Creates or truncates the file and writes exactly these bytes.
    virtual bool write_file(const std::string& name, std::string_view bytes) = 0;
    virtual bool delete_file(const std::string& name) = 0;

    // Handles every event already waiting, the program's handlers included,
    // and returns without waiting for new ones.
    virtual void pump_pending_events() = 0;
    // Starts loading the target and returns at once; ready_state reads 1
    // from here until the document has been read.
    virtual void browser_navigate(const ControlRef& view, const std::string& target) = 0;
    // Themed look for every present and later window; the program passes 1.
    virtual void apply_control_theme(int scheme) = 0;
};

// Typed reads for the logic; a property of another type reads as its default.
std::string read_text(WindowingServices& services, const ControlRef& control);
Colour read_colour(WindowingServices& services, const ControlRef& control);
int read_ready_state(WindowingServices& services, const ControlRef& control);

}  // namespace peiseqi
