#include "shell/wx/browser_view.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <chrono>
#include <utility>

#include "shell/windowing_services.h"

namespace peiseqi::wx {
namespace {

// A view that stops reporting (a hung web process) must not hold the
// program in a preview's wait for ever.
constexpr auto give_up_after = std::chrono::seconds(15);

WebKitWebView* as_webkit(void* native) {
    return static_cast<WebKitWebView*>(native);
}

}  // namespace

BrowserView::BrowserView(wxWindow* parent, const wxPoint& position, const wxSize& size,
                         std::function<bool()> ask_context_menu)
    : ask_context_menu_(std::move(ask_context_menu)), state_(ready::uninitialised) {
    view_ = wxWebView::New(parent, wxID_ANY, wxWebViewDefaultURLStr, position, size,
                           wxWebViewBackendDefault, wxBORDER_NONE);
    native_ = view_->GetNativeBackend();
    WebKitWebView* web = as_webkit(native_);
    // The preview page declares no character set and is written in GBK.
    webkit_settings_set_default_charset(webkit_web_view_get_settings(web), "GBK");
    g_signal_connect(web, "load-changed", G_CALLBACK(on_load_changed), this);
    g_signal_connect(web, "load-failed", G_CALLBACK(on_load_failed), this);
    g_signal_connect(web, "context-menu", G_CALLBACK(on_context_menu), this);
    g_signal_connect(web, "web-process-terminated", G_CALLBACK(on_process_gone), this);
}

BrowserView::~BrowserView() {
    if (native_ != nullptr) {
        g_signal_handlers_disconnect_by_data(native_, this);
    }
}

wxWindow* BrowserView::window() const {
    return view_;
}

void BrowserView::navigate(const std::string& url) {
    state_ = ready::loading;
    committed_ = false;
    deadline_ = std::chrono::steady_clock::now() + give_up_after;
    webkit_web_view_load_uri(as_webkit(native_), url.c_str());
    // WebKit reports the URI in its own normalised spelling from here on.
    const gchar* active = webkit_web_view_get_uri(as_webkit(native_));
    pending_uri_ = active != nullptr ? active : url;
}

int BrowserView::ready_state() {
    // A view that stops reporting must not hold the program in its wait.
    if (state_ == ready::loading && std::chrono::steady_clock::now() > deadline_) {
        finish();
    }
    return state_;
}

void BrowserView::finish() {
    state_ = ready::complete;
    committed_ = false;
}

void BrowserView::on_load_changed(void* view, int load_event, void* self) {
    auto* browser = static_cast<BrowserView*>(self);
    if (browser->state_ != ready::loading) {
        return;
    }
    WebKitWebView* web = as_webkit(view);
    if (load_event == WEBKIT_LOAD_COMMITTED) {
        const gchar* uri = webkit_web_view_get_uri(web);
        browser->committed_ = uri != nullptr && browser->pending_uri_ == uri;
    } else if (load_event == WEBKIT_LOAD_FINISHED) {
        // A load that an older navigation finishes, or one still followed by
        // another (the error page after a failure), leaves the newest
        // navigation loading.
        if (browser->committed_ && !webkit_web_view_is_loading(web)) {
            browser->finish();
        }
    }
}

int BrowserView::on_load_failed(void* /*view*/, int /*load_event*/, const char* uri, void* error,
                                void* self) {
    auto* browser = static_cast<BrowserView*>(self);
    const auto* gerror = static_cast<const GError*>(error);
    // A newer navigation cancels the older one, which is no failure of the
    // navigation awaited. For a real failure WebKit loads its error page
    // under the same address right after this signal; the wait lasts until
    // that page is read, or its load would cancel the next navigation.
    if (browser->state_ != ready::loading || uri == nullptr || browser->pending_uri_ != uri ||
        g_error_matches(gerror, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) {
        return FALSE;
    }
    const bool no_error_page =
        g_error_matches(gerror, WEBKIT_POLICY_ERROR,
                        WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
        g_error_matches(gerror, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
    if (no_error_page) {
        browser->finish();
    }
    return FALSE;
}

int BrowserView::on_context_menu(void* /*view*/, void* /*menu*/, void* /*event*/, void* /*hit*/,
                                 void* self) {
    auto* browser = static_cast<BrowserView*>(self);
    const bool allowed = !browser->ask_context_menu_ || browser->ask_context_menu_();
    return allowed ? FALSE : TRUE;
}

void BrowserView::on_process_gone(void* /*view*/, int /*reason*/, void* self) {
    static_cast<BrowserView*>(self)->finish();
}

}  // namespace peiseqi::wx
