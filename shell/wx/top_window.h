// A window of the program built from its layout table: the frame, its
// controls by name, and the events that reach the bound handlers.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <wx/frame.h>

#include "shell/window_layout.h"

class wxNotebook;
class wxPanel;

namespace peiseqi::wx {

class BrowserView;
class ColourPicker;

// Asks the platform to run the handler bound to an event of a control (the
// empty name: the window); no handler answers true.
using EventSink = std::function<bool(std::string_view control, EventKind event)>;

struct BuiltControl {
    const ControlSpec* row = nullptr;
    wxWindow* window = nullptr;
    // The wx parent the control was placed in.
    wxWindow* host = nullptr;
    // Group boxes and tab pages are drawn under their controls rather than
    // holding them, so a control's wx position is its place plus this.
    wxPoint offset;
    ColourPicker* picker = nullptr;
    BrowserView* browser = nullptr;
    std::unique_ptr<BrowserView> owned_browser;
    // The tab control and page index the control belongs to, if any.
    wxNotebook* notebook = nullptr;
    int page = -1;
};

// What a window tells the platform: events for the handlers, an accepted
// close (the platform decides when to destroy) and its destruction.
class TopWindow;

struct WindowHooks {
    EventSink fire;
    std::function<void(TopWindow*)> closed;
    std::function<void(TopWindow*)> destroyed;
};

class TopWindow : public wxFrame {
  public:
    TopWindow(const WindowLayout& layout, WindowHooks hooks);
    ~TopWindow() override;

    const WindowLayout& layout() const { return layout_; }
    // The platform is going: the window reports nothing more.
    void detach() { hooks_ = WindowHooks{}; }
    BuiltControl* control(std::string_view name);
    // Shows the window with its outer size and centred as the layout asks,
    // correcting both once the window manager has framed it.
    void show_placed();
    // The window's outer rectangle on the screen (frame included).
    wxRect outer_rect() const;

  private:
    struct Placement {
        wxWindow* parent;
        wxPoint offset;
        wxNotebook* notebook = nullptr;
        int page = -1;
    };

    bool fire(std::string_view control, EventKind event);
    void build_controls(const WindowLayout& layout);
    void build_control(const ControlSpec& row);
    Placement placement_in(std::string_view container);
    wxWindow* create_widget(const ControlSpec& row, const Placement& where, BuiltControl& built);
    wxWindow* create_edit_box(const ControlSpec& row, wxWindow* parent, const wxPoint& position,
                              const wxSize& size);
    void bind_events(const ControlSpec& row, BuiltControl& built);
    void show_page(wxNotebook* notebook, int page);
    void on_close(wxCloseEvent& event);
    void on_char_hook(wxKeyEvent& event);
    bool framed() const;

    const WindowLayout& layout_;
    WindowHooks hooks_;
    wxPanel* client_ = nullptr;
    std::map<std::string, BuiltControl, std::less<>> controls_;
    bool asking_to_close_ = false;
};

}  // namespace peiseqi::wx
