// A window described as data: the window's own properties and one row per
// control. The wx platform and the test substitute both build their controls
// from these tables, and bind events to handlers through them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/windowing_services.h"

namespace peiseqi {

// Handlers take the program and the binding's argument (a slot position for
// the slot rows, unused elsewhere). Queries answer a logical value.
using Action = void (*)(Program& program, int argument);
using Query = bool (*)(Program& program, int argument);

struct Binding {
    EventKind event;
    std::variant<Action, Query> handler;
    int argument = 0;
};

// Runs the handler; an action answers true ("no objection").
bool dispatch(const Binding& binding, Program& program);

enum class ControlKind {
    group_box,
    tab_control,
    tab_page,  // a page of a tab control; its caption is the tab's text
    push_button,
    radio_button,
    label,
    edit_box,
    colour_picker,
    browser_view,
    frame,  // a plain container that clips its children
};

enum class HorizontalAlignment { left, centre, right };

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Place&, const Place&) = default;
};

struct ControlSettings {
    bool read_only = false;
    bool multi_line = false;
    bool border = true;  // edit boxes: sunken border
    bool scroll_bars = true;
    HorizontalAlignment alignment = HorizontalAlignment::left;
    bool vertically_centred = false;
    // Labels: the caption drawn in white, then in black one pixel right and down.
    bool shadowed_caption = false;
    // Edit boxes on a page: the button-face colour instead of white.
    bool button_face_background = false;
    std::string_view font_face;  // empty: the toolkit's default font
    int font_height = 0;         // character height in pixels; 0: default
    // Colour pickers: the drop-down palette, in order, before "其它颜色...".
    std::span<const Colour> palette;
    Colour initial_colour = 0;
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view container;  // empty: the window's client area
    Place place;
    std::string caption;  // GBK
    ControlSettings settings;
    std::vector<Binding> bindings;
};

enum class FrameStyle {
    fixed_single,  // normal title bar, system menu, not resizable
    fixed_dialog,  // dialog frame, not resizable
};

struct WindowLayout {
    WindowId id;
    std::string title;  // GBK
    int outer_width = 0;
    int outer_height = 0;
    FrameStyle frame = FrameStyle::fixed_single;
    bool minimise_button = false;
    bool maximise_button = false;
    bool task_bar_button = false;
    bool centred = true;
    bool esc_closes = true;
    std::vector<Binding> bindings;  // the window's own events
    std::vector<ControlSpec> controls;
};

// The row of `name`, or nullptr.
const ControlSpec* find_control(const WindowLayout& layout, std::string_view name);
// The binding of `event` on the control (empty name: the window), or nullptr.
const Binding* find_binding(const WindowLayout& layout, std::string_view control, EventKind event);

}  // namespace peiseqi
