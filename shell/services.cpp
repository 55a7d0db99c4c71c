#include <algorithm>

#include "shell/program.h"
#include "shell/window_layout.h"
#include "shell/windowing_services.h"

namespace peiseqi {
namespace {

template <typename T>
T read_as(WindowingServices& services, const ControlRef& control, PropertyId id) {
    const PropertyValue value = services.read_property(control, id);
    if (const T* typed = std::get_if<T>(&value)) {
        return *typed;
    }
    return T{};
}

}  // namespace

std::string read_text(WindowingServices& services, const ControlRef& control) {
    return read_as<std::string>(services, control, property::text);
}

Colour read_colour(WindowingServices& services, const ControlRef& control) {
    return read_as<Colour>(services, control, property::colour);
}

int read_ready_state(WindowingServices& services, const ControlRef& control) {
    return read_as<int>(services, control, property::ready_state);
}

bool dispatch(const Binding& binding, Program& program) {
    if (const Action* action = std::get_if<Action>(&binding.handler)) {
        (*action)(program, binding.argument);
        return true;
    }
    return std::get<Query>(binding.handler)(program, binding.argument);
}

const ControlSpec* find_control(const WindowLayout& layout, std::string_view name) {
    const auto it = std::find_if(layout.controls.begin(), layout.controls.end(),
                                 [&](const ControlSpec& row) { return row.name == name; });
    return it == layout.controls.end() ? nullptr : &*it;
}

const Binding* find_binding(const WindowLayout& layout, std::string_view control, EventKind event) {
    const std::vector<Binding>* bindings = &layout.bindings;
    if (!control.empty()) {
        const ControlSpec* row = find_control(layout, control);
        if (row == nullptr) {
            return nullptr;
        }
        bindings = &row->bindings;
    }
    const auto it = std::find_if(bindings->begin(), bindings->end(),
                                 [&](const Binding& b) { return b.event == event; });
    return it == bindings->end() ? nullptr : &*it;
}

}  // namespace peiseqi
