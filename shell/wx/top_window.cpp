#include "shell/wx/top_window.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <set>
#include <utility>

#include "shell/gbk.h"
#include "shell/wx/browser_view.h"
#include "shell/wx/colour_picker.h"
#include "shell/wx/event_pump.h"
#include "shell/wx/font_size.h"
#include "shell/wx/shadow_label.h"

namespace peiseqi::wx {
namespace {

wxString from_gbk(const std::string& gbk) {
    return wxString::FromUTF8(utf8_from_gbk(gbk));
}

long frame_style(const WindowLayout& layout) {
    long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
    if (layout.minimise_button) {
        style |= wxMINIMIZE_BOX;
    }
    if (layout.maximise_button) {
        style |= wxMAXIMIZE_BOX;
    }
    if (!layout.task_bar_button) {
        style |= wxFRAME_NO_TASKBAR;
    }
    return style;
}

wxPoint top_left(const Place& place) {
    return wxPoint(place.left, place.top);
}
wxSize extent(const Place& place) {
    return wxSize(place.width, place.height);
}

void apply_font(wxWindow* window, const ControlSettings& settings) {
    if (!settings.font_face.empty()) {
        const wxString face =
            wxString::FromUTF8(settings.font_face.data(), settings.font_face.size());
        window->SetFont(named_font(face, settings.font_height, window->GetFont()));
    } else if (settings.font_height > 0) {
        window->SetFont(with_character_height(window->GetFont(), settings.font_height));
    }
}

}  // namespace

TopWindow::TopWindow(const WindowLayout& layout, WindowHooks hooks)
    : wxFrame(nullptr, wxID_ANY, from_gbk(layout.title), wxDefaultPosition,
              wxSize(layout.outer_width, layout.outer_height), frame_style(layout)),
      layout_(layout),
      hooks_(std::move(hooks)) {
    // Message boxes and dialogs belong to no window of the program.
    SetExtraStyle(GetExtraStyle() | wxWS_EX_TRANSIENT);
    if (layout.frame == FrameStyle::fixed_dialog) {
        gtk_window_set_type_hint(GTK_WINDOW(m_widget), GDK_WINDOW_TYPE_HINT_DIALOG);
    }
    client_ = new wxPanel(this, wxID_ANY, wxPoint(0, 0), GetClientSize(),
                          wxTAB_TRAVERSAL | wxBORDER_NONE);
    build_controls(layout);
    Bind(wxEVT_CLOSE_WINDOW, &TopWindow::on_close, this);
    Bind(wxEVT_CHAR_HOOK, &TopWindow::on_char_hook, this);
}

TopWindow::~TopWindow() {
    // The browser views stop reporting before their widgets go.
    for (auto& [name, built] : controls_) {
        built.owned_browser.reset();
    }
    if (hooks_.destroyed) {
        hooks_.destroyed(this);
    }
}

bool TopWindow::fire(std::string_view control, EventKind event) {
    return !hooks_.fire || hooks_.fire(control, event);
}

BuiltControl* TopWindow::control(std::string_view name) {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : &it->second;
}

TopWindow::Placement TopWindow::placement_in(std::string_view container) {
    BuiltControl* holder = container.empty() ? nullptr : control(container);
    if (holder == nullptr) {
        return Placement{client_, wxPoint(0, 0)};
    }
    if (holder->row->kind == ControlKind::frame) {
        // A frame clips its children, so it is their real parent.
        return Placement{holder->window, wxPoint(0, 0)};
    }
    return Placement{holder->host, holder->offset + top_left(holder->row->place), holder->notebook,
                     holder->page};
}

// WebKit starts a view's web process when the view is made, and the start
// takes longer than building all other controls; so the window's own views
// are made first, letting the two overlap, and then take their place in the
// tab order again.
void TopWindow::build_controls(const WindowLayout& layout) {
    const auto early = [](const ControlSpec& row) {
        return row.kind == ControlKind::browser_view && row.container.empty();
    };
    for (const ControlSpec& row : layout.controls) {
        if (early(row)) {
            build_control(row);
        }
    }
    wxWindow* previous = nullptr;
    for (const ControlSpec& row : layout.controls) {
        if (!early(row)) {
            build_control(row);
        }
        BuiltControl* built = control(row.name);
        if (built == nullptr || built->window == nullptr || built->window->GetParent() != client_) {
            continue;
        }
        if (early(row) && previous != nullptr) {
            built->window->MoveAfterInTabOrder(previous);
        }
        previous = built->window;
    }
}

void TopWindow::build_control(const ControlSpec& row) {
    const Placement where = placement_in(row.container);
    BuiltControl built;
    built.row = &row;
    built.host = where.parent;
    built.offset = where.offset;
    built.notebook = where.notebook;
    built.page = where.page;
    built.window = create_widget(row, where, built);
    if (built.window == nullptr) {
        return;
    }
    const bool on_hidden_page = row.kind != ControlKind::tab_page && built.notebook != nullptr &&
                                built.page != built.notebook->GetSelection();
    if (on_hidden_page) {
        built.window->Hide();
    }
    auto [it, inserted] = controls_.emplace(std::string(row.name), std::move(built));
    if (inserted) {
        bind_events(row, it->second);
    }
}

wxWindow* TopWindow::create_widget(const ControlSpec& row, const Placement& where,
                                   BuiltControl& built) {
    const wxPoint position = where.offset + top_left(row.place);
    const wxSize size = extent(row.place);
    const wxString caption = from_gbk(row.caption);
    wxWindow* parent = where.parent;
    switch (row.kind) {
        case ControlKind::group_box:
            return new wxStaticBox(parent, wxID_ANY, caption, position, size);
        case ControlKind::tab_control: {
            auto* notebook = new wxNotebook(parent, wxID_ANY, position, size);
            notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this, notebook](wxBookCtrlEvent& event) {
                show_page(notebook, event.GetSelection());
                event.Skip();
            });
            return notebook;
        }
        case ControlKind::tab_page: {
            BuiltControl* holder = control(row.container);
            auto* notebook = holder ? dynamic_cast<wxNotebook*>(holder->window) : nullptr;
            if (notebook == nullptr) {
                return nullptr;
            }
            auto* page = new wxPanel(notebook, wxID_ANY);
            notebook->AddPage(page, caption, notebook->GetPageCount() == 0);
            built.notebook = notebook;
            built.page = static_cast<int>(notebook->GetPageCount()) - 1;
            return page;
        }
        case ControlKind::push_button: {
            auto* button = new wxButton(parent, wxID_ANY, caption, position, size);
            apply_font(button, row.settings);
            return button;
        }
        case ControlKind::radio_button: {
            // The first radio button of each container starts a new group.
            const bool first = std::none_of(controls_.begin(), controls_.end(), [&](const auto& c) {
                return c.second.row->kind == ControlKind::radio_button &&
                       c.second.row->container == row.container;
            });
            return new wxRadioButton(parent, wxID_ANY, caption, position, size,
                                     first ? wxRB_GROUP : 0);
        }
        case ControlKind::label:
            return new ShadowLabel(parent, position, size, caption, row.settings);
        case ControlKind::edit_box:
            return create_edit_box(row, parent, position, size);
        case ControlKind::colour_picker: {
            auto* picker = new ColourPicker(parent, position, size, row.settings.palette,
                                            row.settings.initial_colour);
            built.picker = picker;
            return picker;
        }
        case ControlKind::browser_view: {
            const std::string_view name = row.name;
            built.owned_browser = std::make_unique<BrowserView>(
                parent, position, size,
                [this, name] { return fire(name, EventKind::context_menu_requested); });
            built.browser = built.owned_browser.get();
            return built.browser->window();
        }
        case ControlKind::frame:
            return new wxPanel(parent, wxID_ANY, position, size, wxBORDER_NONE);
    }
    return nullptr;
}

wxWindow* TopWindow::create_edit_box(const ControlSpec& row, wxWindow* parent,
                                     const wxPoint& position, const wxSize& size) {
    const ControlSettings& settings = row.settings;
    long style = settings.border ? wxBORDER_SUNKEN : wxBORDER_NONE;
    if (settings.multi_line) {
        style |= wxTE_MULTILINE | wxTE_WORDWRAP;
    }
    if (settings.read_only) {
        style |= wxTE_READONLY;
    }
    if (settings.alignment == HorizontalAlignment::right) {
        style |= wxTE_RIGHT;
    } else if (settings.alignment == HorizontalAlignment::centre) {
        style |= wxTE_CENTRE;
    }
    auto* box = new wxTextCtrl(parent, wxID_ANY, from_gbk(row.caption), position, size, style);
    GtkWidget* widget = static_cast<GtkWidget*>(box->GetHandle());
    if (settings.multi_line && !settings.scroll_bars && GTK_IS_SCROLLED_WINDOW(widget)) {
        // Scrolls with the caret, shows no bars.
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(widget), GTK_POLICY_EXTERNAL,
                                       GTK_POLICY_EXTERNAL);
    }
    box->SetForegroundColour(*wxBLACK);
    box->SetBackgroundColour(settings.button_face_background
                                 ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)
                                 : *wxWHITE);
    apply_font(box, settings);
    return box;
}

void TopWindow::bind_events(const ControlSpec& row, BuiltControl& built) {
    const std::string_view name = row.name;
    switch (row.kind) {
        case ControlKind::push_button:
            built.window->Bind(wxEVT_BUTTON,
                               [this, name](wxCommandEvent&) { fire(name, EventKind::clicked); });
            break;
        case ControlKind::radio_button:
            built.window->Bind(wxEVT_RADIOBUTTON,
                               [this, name](wxCommandEvent&) { fire(name, EventKind::clicked); });
            break;
        case ControlKind::edit_box:
            built.window->Bind(wxEVT_KILL_FOCUS, [this, name](wxFocusEvent& event) {
                event.Skip();
                fire(name, EventKind::lost_focus);
            });
            break;
        case ControlKind::colour_picker:
            built.picker->on_chosen([this, name] { fire(name, EventKind::colour_chosen); });
            break;
        default:
            break;
    }
}

void TopWindow::show_page(wxNotebook* notebook, int page) {
    for (auto& [name, built] : controls_) {
        if (built.notebook == notebook && built.row->kind != ControlKind::tab_page) {
            built.window->Show(built.page == page);
        }
    }
}

void TopWindow::on_close(wxCloseEvent& event) {
    if (asking_to_close_) {
        event.Veto();
        return;
    }
    if (event.CanVeto()) {
        asking_to_close_ = true;
        const bool agreed = !hooks_.fire || hooks_.fire(std::string_view(), EventKind::may_close);
        asking_to_close_ = false;
        if (!agreed) {
            event.Veto();
            return;
        }
    }
    if (hooks_.closed) {
        hooks_.closed(this);
    } else {
        Destroy();
    }
}

void TopWindow::on_char_hook(wxKeyEvent& event) {
    if (layout_.esc_closes && event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
        Close();
        return;
    }
    event.Skip();
}

wxRect TopWindow::outer_rect() const {
    GdkWindow* window = gtk_widget_get_window(m_widget);
    if (window == nullptr) {
        return wxRect(GetPosition(), GetSize());
    }
    GdkRectangle frame;
    gdk_window_get_frame_extents(window, &frame);
    return wxRect(frame.x, frame.y, frame.width, frame.height);
}

bool TopWindow::framed() const {
    GdkWindow* window = gtk_widget_get_window(m_widget);
    if (window == nullptr || !gdk_window_is_visible(window)) {
        return false;
    }
    // Until the window has its first real size, the frame reads as the bare
    // decoration around a window of one pixel.
    const int width = gdk_window_get_width(window);
    const int height = gdk_window_get_height(window);
    if (width < layout_.outer_width / 2 || height < layout_.outer_height / 2) {
        return false;
    }
    GdkRectangle frame;
    gdk_window_get_frame_extents(window, &frame);
    return frame.width > width || frame.height > height;
}

void TopWindow::show_placed() {
    const wxSize wanted(layout_.outer_width, layout_.outer_height);
    Show();
    // wx guesses the frame before the window manager has drawn one; the
    // size and the place are right only once the real frame is known.
    // A window closed meanwhile (its handlers run here) needs no place.
    pump_until([this] { return framed() || !IsShown(); }, 2000);
    for (int attempt = 0; attempt < 3 && IsShown() && outer_rect().GetSize() != wanted; ++attempt) {
        const wxSize client = GetClientSize() + wanted - outer_rect().GetSize();
        SetClientSize(client);
        pump_until([&] { return outer_rect().GetSize() == wanted; }, 500);
    }
    if (layout_.centred && IsShown()) {
        const wxSize screen = wxGetDisplaySize();
        const wxPoint place((screen.x - wanted.x) / 2, (screen.y - wanted.y) / 2);
        Move(place);
        pump_until([&] { return outer_rect().GetPosition() == place; }, 500);
    }
}

}  // namespace peiseqi::wx
