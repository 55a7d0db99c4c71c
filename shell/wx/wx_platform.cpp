#include "shell/wx/wx_platform.h"

#include <unistd.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "shell/gbk.h"
#include "shell/program.h"
#include "shell/window_layout.h"
#include "shell/wx/browser_view.h"
#include "shell/wx/colour_picker.h"
#include "shell/wx/desktop.h"
#include "shell/wx/event_pump.h"
#include "shell/wx/top_window.h"

namespace peiseqi::wx {
namespace {

class PeiseqiApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

wxString from_gbk(const std::string& gbk) {
    return wxString::FromUTF8(utf8_from_gbk(gbk));
}
std::string to_gbk(const wxString& text) {
    return gbk_from_utf8(text.utf8_string());
}

wxColour to_wx(Colour colour) {
    wxColour result;
    result.SetRGB(colour & 0x00FFFFFFu);
    return result;
}

template <typename T>
T value_as(const PropertyValue& value) {
    if (const T* typed = std::get_if<T>(&value)) {
        return *typed;
    }
    if constexpr (std::is_same_v<T, int>) {
        if (const bool* flag = std::get_if<bool>(&value)) {
            return *flag ? 1 : 0;
        }
        if (const Colour* number = std::get_if<Colour>(&value)) {
            return static_cast<int>(*number);
        }
    }
    if constexpr (std::is_same_v<T, Colour>) {
        if (const int* number = std::get_if<int>(&value)) {
            return static_cast<Colour>(*number);
        }
    }
    if constexpr (std::is_same_v<T, bool>) {
        if (const int* number = std::get_if<int>(&value)) {
            return *number != 0;
        }
    }
    return T{};
}

long message_box_style(int style) {
    long result = wxCENTRE;
    switch (style & 0x0F) {
        case message_box::ok_cancel:
            result |= wxOK | wxCANCEL;
            break;
        case 3:
            result |= wxYES_NO | wxCANCEL;
            break;
        case 4:
            result |= wxYES_NO;
            break;
        default:
            result |= wxOK;
            break;
    }
    switch (style & 0xF0) {
        case 16:
            result |= wxICON_ERROR;
            break;
        case message_box::icon_question:
            result |= wxICON_QUESTION;
            break;
        case 48:
            result |= wxICON_WARNING;
            break;
        case 64:
            result |= wxICON_INFORMATION;
            break;
        default:
            result |= wxICON_NONE;
            break;
    }
    return result;
}

int message_box_answer(int style, int wx_answer) {
    switch (wx_answer) {
        case wxID_OK:
            return message_box::answer_ok;
        case wxID_YES:
            return 5;
        case wxID_NO:
            return 6;
        default:
            // Esc or the close box: Cancel where the box has one.
            return (style & 0x0F) == message_box::ok_only ? message_box::answer_ok
                                                          : message_box::answer_cancel;
    }
}

}  // namespace

bool start_toolkit(int& argc, char** argv) {
    wxApp::SetInstance(new PeiseqiApp);
    if (!wxEntryStart(argc, argv)) {
        return false;
    }
    return wxTheApp->CallOnInit();
}

void stop_toolkit() {
    if (wxTheApp != nullptr) {
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
}

WxPlatform::~WxPlatform() {
    // A window that outlives the platform (a test's, say) must not call back
    // into it.
    for (TopWindow* top : alive_) {
        top->detach();
    }
    shut_down();
}

void WxPlatform::initialise_platform() {
    theme_.install_base();
    run_directory_ = directory_of(program_file_path());
    if (chdir(run_directory_.empty() ? "/" : run_directory_.c_str()) != 0) {
        // The run directory is where the program file is; it exists.
    }
}

void WxPlatform::register_exit_routine(std::function<void()> routine) {
    exit_routine_ = std::move(routine);
}

TopWindow* WxPlatform::build(const WindowLayout& layout, Program& program) {
    const WindowId id = layout.id;
    auto* top = new TopWindow(
        layout, WindowHooks{[this, id](std::string_view control, EventKind event) {
                                return fire(id, control, event);
                            },
                            [this, id](TopWindow* closed) { window_closed(id, closed); },
                            [this, id](TopWindow* gone) { window_destroyed(id, gone); }});
    windows_[id] = Loaded{top, &program};
    alive_.insert(top);
    fire(id, std::string_view(), EventKind::created);
    return top;
}

bool WxPlatform::fire(WindowId window, std::string_view control, EventKind event) {
    const auto it = windows_.find(window);
    if (it == windows_.end()) {
        return true;
    }
    const Binding* binding = find_binding(it->second.top->layout(), control, event);
    if (binding == nullptr) {
        return true;
    }
    Program& program = *it->second.program;
    ++handlers_running_;
    const bool answer = dispatch(*binding, program);
    --handlers_running_;
    destroy_deferred();
    return answer;
}

void WxPlatform::window_closed(WindowId id, TopWindow* top) {
    // From here the window counts as gone: its views read as not loading.
    const auto it = windows_.find(id);
    if (it != windows_.end() && it->second.top == top) {
        windows_.erase(it);
    }
    top->Hide();
    const auto wait = modal_waits_.find(top);
    if (wait != modal_waits_.end()) {
        // The modal load destroys it once its loop has ended.
        wait->second->closed = true;
        auto* loop = static_cast<wxGUIEventLoop*>(wait->second->loop);
        if (loop != nullptr && loop->IsRunning()) {
            loop->ScheduleExit();
        }
        return;
    }
    closing_.push_back(top);
    destroy_deferred();
    if (windows_.empty() && wxTheApp != nullptr) {
        // No window of the program remains: the event loop ends.
        wxTheApp->ExitMainLoop();
    }
}

void WxPlatform::destroy_deferred() {
    // A handler still on the stack may belong to the window; it is
    // destroyed once no handler runs.
    if (handlers_running_ > 0) {
        return;
    }
    std::vector<TopWindow*> closing;
    closing.swap(closing_);
    for (TopWindow* top : closing) {
        top->Destroy();
    }
}

void WxPlatform::window_destroyed(WindowId id, TopWindow* top) {
    const auto it = windows_.find(id);
    if (it != windows_.end() && it->second.top == top) {
        windows_.erase(it);
    }
    std::erase(closing_, top);
    alive_.erase(top);
}

void WxPlatform::load_start_window(const WindowLayout& layout, Program& program) {
    TopWindow* top = build(layout, program);
    if (windows_.count(layout.id) != 0 && windows_[layout.id].top == top) {
        top->show_placed();
    }
}

void WxPlatform::run_event_loop() {
    if (windows_.empty() && wxTopLevelWindows.empty()) {
        return;
    }
    wxTheApp->MainLoop();
    // The closed windows go now, before the exit routine runs.
    destroy_deferred();
    wxTheApp->ProcessIdle();
}

PropertyValue WxPlatform::read_property(const ControlRef& ref, PropertyId id) {
    TopWindow* top = window(ref.window);
    if (top == nullptr) {
        return PropertyValue{};
    }
    BuiltControl* control = ref.control.empty() ? nullptr : top->control(ref.control);
    if (!ref.control.empty() && control == nullptr) {
        return PropertyValue{};
    }
    wxWindow* widget = control != nullptr ? control->window : top;
    const wxRect place = control != nullptr
                             ? wxRect(widget->GetPosition() - control->offset, widget->GetSize())
                             : top->outer_rect();
    switch (id) {
        case property::left:
            return place.x;
        case property::top:
            return place.y;
        case property::width:
            return place.width;
        case property::height:
            return place.height;
        case property::visible:
            return widget->IsShown();
        case property::disabled:
            return !widget->IsEnabled();
        case property::tag:
        case property::mouse_pointer:
            return 0;
        default:
            break;
    }
    const ControlKind kind = control != nullptr ? control->row->kind : ControlKind::frame;
    if (control == nullptr) {
        return id == property::text ? PropertyValue{to_gbk(top->GetTitle())} : PropertyValue{};
    }
    if (kind == ControlKind::edit_box) {
        auto* box = static_cast<wxTextCtrl*>(widget);
        if (id == property::text) {
            return to_gbk(box->GetValue());
        }
        if (id == property::background_colour) {
            return static_cast<Colour>(box->GetBackgroundColour().GetRGB());
        }
    } else if (kind == ControlKind::colour_picker && id == property::colour) {
        return control->picker->colour();
    } else if (kind == ControlKind::radio_button && id == property::checked) {
        return static_cast<wxRadioButton*>(widget)->GetValue();
    } else if (kind == ControlKind::browser_view && id == property::ready_state) {
        return control->browser->ready_state();
    } else if (id == property::text) {
        return to_gbk(widget->GetLabel());
    }
    return PropertyValue{};
}

void WxPlatform::write_property(const ControlRef& ref, PropertyId id, const PropertyValue& value) {
    TopWindow* top = window(ref.window);
    BuiltControl* control =
        top == nullptr || ref.control.empty() ? nullptr : top->control(ref.control);
    if (top == nullptr || (!ref.control.empty() && control == nullptr)) {
        return;
    }
    wxWindow* widget = control != nullptr ? control->window : top;
    const wxPoint offset = control != nullptr ? control->offset : wxPoint(0, 0);
    const wxPoint position = widget->GetPosition() - offset;
    const wxSize size = widget->GetSize();
    switch (id) {
        case property::left:
            widget->Move(wxPoint(value_as<int>(value), position.y) + offset);
            return;
        case property::top:
            widget->Move(wxPoint(position.x, value_as<int>(value)) + offset);
            return;
        case property::width:
            widget->SetSize(wxSize(value_as<int>(value), size.y));
            return;
        case property::height:
            widget->SetSize(wxSize(size.x, value_as<int>(value)));
            return;
        case property::visible:
            widget->Show(value_as<bool>(value));
            return;
        case property::disabled:
            widget->Enable(!value_as<bool>(value));
            return;
        case property::tag:
        case property::mouse_pointer:
            return;
        default:
            break;
    }
    if (control == nullptr) {
        if (id == property::text) {
            top->SetTitle(from_gbk(value_as<std::string>(value)));
        }
        return;
    }
    const ControlKind kind = control->row->kind;
    if (kind == ControlKind::edit_box && id == property::text) {
        // ChangeValue raises no event, so no handler runs.
        static_cast<wxTextCtrl*>(widget)->ChangeValue(from_gbk(value_as<std::string>(value)));
    } else if (kind == ControlKind::edit_box && id == property::background_colour) {
        widget->SetBackgroundColour(to_wx(value_as<Colour>(value)));
        widget->Refresh();
    } else if (kind == ControlKind::colour_picker && id == property::colour) {
        control->picker->set_colour(value_as<Colour>(value));
    } else if (kind == ControlKind::radio_button && id == property::checked) {
        static_cast<wxRadioButton*>(widget)->SetValue(value_as<bool>(value));
    } else if (id == property::text) {
        widget->SetLabel(from_gbk(value_as<std::string>(value)));
    }
}

bool WxPlatform::load_window_modal(const WindowLayout& layout, Program& program) {
    ModalWait wait;
    TopWindow* top = build(layout, program);
    modal_waits_[top] = &wait;
    {
        wxWindowDisabler others(top);
        wxGUIEventLoop loop;
        wait.loop = &loop;
        if (!wait.closed) {
            top->show_placed();
        }
        while (!wait.closed) {
            loop.Run();
        }
        wait.loop = nullptr;
    }
    modal_waits_.erase(top);
    // No handler of the window is running any more: its loop has ended.
    delete top;
    return true;
}

int WxPlatform::show_message_box(const std::string& text, int style, const std::string& title) {
    // Made before the box, so the box alone stays usable.
    wxWindowDisabler all;
    wxMessageDialog box(nullptr, from_gbk(text), from_gbk(title), message_box_style(style));
    return message_box_answer(style, box.ShowModal());
}

void WxPlatform::open_with_shell(const std::string& target) {
    spawn_detached("xdg-open", true, utf8_from_gbk(target));
}

bool WxPlatform::start_program(const std::string& program_file) {
    return spawn_detached(path_from_gbk(program_file), false);
}

bool WxPlatform::set_clipboard_text(const std::string& text) {
    if (!wxTheClipboard->Open()) {
        return false;
    }
    wxTheClipboard->UsePrimarySelection(false);
    const bool placed =
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(utf8_from_gbk(text))));
    if (placed) {
        // Hands the text to a clipboard manager, so it outlives the program.
        wxTheClipboard->Flush();
    }
    wxTheClipboard->Close();
    return placed;
}

std::string WxPlatform::run_directory() {
    if (run_directory_.empty()) {
        run_directory_ = directory_of(program_file_path());
    }
    return gbk_from_utf8(run_directory_);
}

std::string WxPlatform::private_directory() {
    if (private_directory_.empty()) {
        private_directory_ = make_private_directory();
    }
    return gbk_from_utf8(private_directory_);
}

bool WxPlatform::write_file(const std::string& name, std::string_view bytes) {
    return write_whole_file(path_from_gbk(name), bytes);
}

bool WxPlatform::delete_file(const std::string& name) {
    const std::string path = path_from_gbk(name);
    return !path.empty() && unlink(path.c_str()) == 0;
}

void WxPlatform::pump_pending_events() {
    pump_waiting_events();
}

void WxPlatform::browser_navigate(const ControlRef& view, const std::string& target) {
    TopWindow* top = window(view.window);
    BuiltControl* control = top != nullptr ? top->control(view.control) : nullptr;
    if (control != nullptr && control->browser != nullptr) {
        control->browser->navigate(url_for_target(target));
    }
}

void WxPlatform::apply_control_theme(int scheme) {
    theme_.apply(scheme);
    for (wxWindow* top : wxTopLevelWindows) {
        top->Refresh();
    }
}

void WxPlatform::shut_down() {
    if (exit_routine_ && !exit_routine_ran_) {
        exit_routine_ran_ = true;
        std::function<void()> routine;
        routine.swap(exit_routine_);
        routine();
    }
    if (!private_directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(private_directory_, ignored);
        private_directory_.clear();
    }
}

TopWindow* WxPlatform::window(WindowId id) const {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.top;
}

}  // namespace peiseqi::wx
