// The program-wide state: created by the entry routine, handed to every
// handler, released once by the exit routine. No other state is shared.
#pragma once

#include <string>
#include <vector>

#include "shell/windowing_services.h"

namespace peiseqi {

inline constexpr int slot_count = 18;

struct ProgramState {
    std::string current_skin_head;
    std::vector<std::string> slot_declarations = std::vector<std::string>(slot_count);
    std::vector<ControlRef> slot_edit_boxes;
    std::vector<std::string> slot_keys;
    std::string last_stylesheet;
    std::string code_window_text;
};

struct Program {
    explicit Program(WindowingServices& platform) : services(platform) {}

    WindowingServices& services;
    ProgramState state;
};

}  // namespace peiseqi
