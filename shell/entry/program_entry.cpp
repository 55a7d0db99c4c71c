#include "shell/entry/program_entry.h"

#include <memory>
#include <string>
#include <vector>

#include "designer/main_window.h"
#include "shell/program.h"
#include "shell/windowing_services.h"

namespace peiseqi {
namespace {

// Swapping with an empty value gives the memory back now, not at the end of
// the process.
template <typename T>
void release(T& value) {
    T().swap(value);
}

void release_table(std::vector<std::string>& table) {
    for (std::string& text : table) {
        release(text);
    }
    release(table);
}

}  // namespace

int program_entry(WindowingServices& services) {
    services.initialise_platform();
    // The exit routine runs after this function has returned, so the state
    // is owned jointly by it; the platform forgets the routine once it has
    // run, and the state goes with it.
    auto program = std::make_shared<Program>(services);
    services.register_exit_routine([program] { program_exit(*program); });
    services.load_start_window(main_window_layout(), *program);
    services.run_event_loop();
    return 0;
}

void program_exit(Program& program) {
    ProgramState& state = program.state;
    release(state.current_skin_head);
    release_table(state.slot_declarations);
    release(state.slot_edit_boxes);
    release_table(state.slot_keys);
    release(state.last_stylesheet);
    release(state.code_window_text);
}

}  // namespace peiseqi
