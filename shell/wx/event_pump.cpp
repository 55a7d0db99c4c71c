#include "shell/wx/event_pump.h"

#include <sched.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <chrono>
#include <memory>
#include <optional>

namespace peiseqi::wx {

void dispatch_waiting_events() {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    // Before the event loop runs (a window's creation handler) there is no
    // active loop; a temporary one handles the same queue.
    std::unique_ptr<wxGUIEventLoop> temporary;
    std::optional<wxEventLoopActivator> activator;
    if (loop == nullptr) {
        temporary = std::make_unique<wxGUIEventLoop>();
        activator.emplace(temporary.get());
        loop = temporary.get();
    }
    if (wxTheApp != nullptr) {
        wxTheApp->ProcessPendingEvents();
    }
    while (loop->Pending()) {
        loop->Dispatch();
    }
    if (wxTheApp != nullptr) {
        wxTheApp->ProcessPendingEvents();
    }
}

void pump_waiting_events() {
    dispatch_waiting_events();
    // Callers pump in a loop without pausing while WebKit loads; offering the
    // processor to WebKit's threads here keeps that loop from slowing the
    // load it waits for. No sleep: it returns at once when nothing else runs.
    sched_yield();
}

bool pump_until(const std::function<bool()>& done, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        pump_waiting_events();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        wxMilliSleep(5);
    }
}

}  // namespace peiseqi::wx
