// The engine's floor: a plain frame holding one wxWebView with the same
// WebKit settings as the designer's preview, loading a page from a file
// and waiting for the same condition the preview's ready state waits for
// (the navigation committed, then finished, nothing loading any more).
// The whole-program benchmark measures the designer against it.
#pragma once

#include <string>
#include <string_view>

#include <wx/gdicmn.h>

class wxFrame;
class wxWebView;
class wxGUIEventLoop;

namespace peiseqi::wx {

class BareBrowser {
  public:
    // Hidden until show_framed; `view_place` is the web view's place in
    // the frame's client area.
    BareBrowser(const wxPoint& frame_position, const wxSize& client_size, const wxRect& view_place);
    ~BareBrowser();
    BareBrowser(const BareBrowser&) = delete;
    BareBrowser& operator=(const BareBrowser&) = delete;

    // Writes the bytes to `file`, loads it, waits, deletes the file.
    // Idle: the wait sleeps in the toolkit's loop until the load is done.
    // Busy: the wait pumps without pausing, as the designer's preview does;
    // with `yield_between` it offers the processor to other runnable threads
    // (WebKit's) between rounds, still without sleeping.
    // Answers the moment the load was requested (CLOCK_MONOTONIC, ns).
    long long load_waiting_idle(const std::string& file, std::string_view page);
    void load_waiting_busy(const std::string& file, std::string_view page, bool yield_between);
    // Shows the frame and returns once the window manager has framed it.
    void show_framed();

  private:
    static void on_load_changed(void* view, int load_event, void* self);
    void start_load(const std::string& file, std::string_view page);

    wxFrame* frame_ = nullptr;
    wxWebView* view_ = nullptr;
    void* native_ = nullptr;
    std::string pending_uri_;
    bool committed_ = false;
    bool done_ = true;
    wxGUIEventLoop* waiting_loop_ = nullptr;
};

}  // namespace peiseqi::wx
