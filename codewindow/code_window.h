// The modal window that shows the generated stylesheet and copies it.
#pragma once

#include "shell/window_layout.h"

namespace peiseqi {

struct Program;

// Built once; the code window's controls with their bound handlers.
const WindowLayout& code_window_layout();

// The click handler of the designer's generate button: snapshots
// last_stylesheet into code_window_text and loads the code window modally.
void open_code_window(Program& program, int unused = 0);
// The code window's created event: the snapshot into the code box, the
// banner navigated.
void fill_code_window(Program& program, int unused = 0);
// The copy button: the code box onto the clipboard, then the message and the
// follow-up page; a failed clipboard write ends it silently.
void copy_code(Program& program, int unused = 0);
// Both browser views' context-menu query: false keeps the view's own menu shut.
bool suppress_context_menu(Program& program, int unused = 0);

}  // namespace peiseqi
