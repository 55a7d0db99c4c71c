#include "shell/wx/bare_browser.h"

#include <sched.h>
#include <time.h>
#include <unistd.h>
#include <webkit2/webkit2.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/utils.h>
#include <wx/webview.h>


#include "shell/wx/desktop.h"
#include "shell/wx/event_pump.h"

namespace peiseqi::wx {
namespace {

WebKitWebView* as_webkit(void* native) {
    return static_cast<WebKitWebView*>(native);
}

bool framed(wxFrame* frame) {
    GdkWindow* window = gtk_widget_get_window(frame->GetHandle());
    if (window == nullptr || !gdk_window_is_visible(window)) {
        return false;
    }
    GdkRectangle extents;
    gdk_window_get_frame_extents(window, &extents);
    return extents.width > gdk_window_get_width(window) ||
           extents.height > gdk_window_get_height(window);
}

}  // namespace

BareBrowser::BareBrowser(const wxPoint& frame_position, const wxSize& client_size,
                         const wxRect& view_place) {
    frame_ = new wxFrame(nullptr, wxID_ANY, "bare", frame_position, wxDefaultSize,
                         wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX));
    frame_->SetClientSize(client_size);
    view_ = wxWebView::New(frame_, wxID_ANY, wxWebViewDefaultURLStr, view_place.GetPosition(),
                           view_place.GetSize(), wxWebViewBackendDefault, wxBORDER_NONE);
    native_ = view_->GetNativeBackend();
    WebKitWebView* web = as_webkit(native_);
    webkit_settings_set_default_charset(webkit_web_view_get_settings(web), "GBK");
    g_signal_connect(web, "load-changed", G_CALLBACK(on_load_changed), this);
}

BareBrowser::~BareBrowser() {
    g_signal_handlers_disconnect_by_data(native_, this);
    frame_->Destroy();
}

void BareBrowser::on_load_changed(void* view, int load_event, void* self) {
    auto* bare = static_cast<BareBrowser*>(self);
    if (bare->done_) {
        return;
    }
    WebKitWebView* web = as_webkit(view);
    if (load_event == WEBKIT_LOAD_COMMITTED) {
        const gchar* uri = webkit_web_view_get_uri(web);
        bare->committed_ = uri != nullptr && bare->pending_uri_ == uri;
    } else if (load_event == WEBKIT_LOAD_FINISHED && bare->committed_ &&
               !webkit_web_view_is_loading(web)) {
        bare->done_ = true;
        if (bare->waiting_loop_ != nullptr && bare->waiting_loop_->IsRunning()) {
            bare->waiting_loop_->ScheduleExit();
        }
    }
}

void BareBrowser::start_load(const std::string& file, std::string_view page) {
    write_whole_file(file, page);
    gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
    done_ = false;
    committed_ = false;
    webkit_web_view_load_uri(as_webkit(native_), uri);
    const gchar* active = webkit_web_view_get_uri(as_webkit(native_));
    pending_uri_ = active != nullptr ? active : uri;
    g_free(uri);
}

long long BareBrowser::load_waiting_idle(const std::string& file, std::string_view page) {
    timespec requested{};
    clock_gettime(CLOCK_MONOTONIC, &requested);
    start_load(file, page);
    wxGUIEventLoop loop;
    waiting_loop_ = &loop;
    if (!done_) {
        loop.Run();
    }
    waiting_loop_ = nullptr;
    unlink(file.c_str());
    return static_cast<long long>(requested.tv_sec) * 1000000000 + requested.tv_nsec;
}

void BareBrowser::load_waiting_busy(const std::string& file, std::string_view page,
                                    bool yield_between) {
    start_load(file, page);
    while (!done_) {
        dispatch_waiting_events();
        if (yield_between) {
            sched_yield();
        }
    }
    unlink(file.c_str());
}

void BareBrowser::show_framed() {
    frame_->Show();
    while (!framed(frame_)) {
        dispatch_waiting_events();
        wxMilliSleep(1);
    }
}

}  // namespace peiseqi::wx
