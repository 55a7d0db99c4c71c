// The embedded browser view: a wxWebView on WebKit2GTK that keeps its own
// document ready state, since WebKit reports nothing busy right after a
// load is requested.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <wx/gdicmn.h>

class wxWindow;
class wxWebView;

namespace peiseqi::wx {

class BrowserView {
  public:
    // `ask_context_menu` answers whether the view's own menu may open.
    BrowserView(wxWindow* parent, const wxPoint& position, const wxSize& size,
                std::function<bool()> ask_context_menu);
    ~BrowserView();
    BrowserView(const BrowserView&) = delete;
    BrowserView& operator=(const BrowserView&) = delete;

    wxWindow* window() const;
    // Loading from here until this navigation has been read or has failed.
    void navigate(const std::string& url);
    // Reads complete once the view has not reported for a long time.
    int ready_state();

  private:
    static void on_load_changed(void* view, int load_event, void* self);
    static int on_load_failed(void* view, int load_event, const char* uri, void* error, void* self);
    static int on_context_menu(void* view, void* menu, void* event, void* hit, void* self);
    static void on_process_gone(void* view, int reason, void* self);
    void finish();

    wxWebView* view_ = nullptr;
    void* native_ = nullptr;
    std::function<bool()> ask_context_menu_;
    std::string pending_uri_;
    bool committed_ = false;
    std::chrono::steady_clock::time_point deadline_;
    int state_;
};

}  // namespace peiseqi::wx
