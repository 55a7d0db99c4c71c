// The designer: the main window's layout as data, its creation handler and
// the handlers its controls are bound to.
#pragma once

#include "shell/window_layout.h"

namespace peiseqi {

struct Program;

// Built once; every control of the main window with its bound handlers.
const WindowLayout& main_window_layout();

// The window's created event: theme, slot tables, the first base skin.
void main_window_created(Program& program, int unused = 0);
// A base-skin radio button's click; the argument is the BaseSkinId's number.
void choose_base_skin(Program& program, int skin);

// The slot rows; the argument is the slot's position, 1 to 18.
void apply_picked_colour(Program& program, int position);
void clear_slot(Program& program, int position);
// A slot box losing the focus takes whatever was typed into it.
void take_typed_value(Program& program, int position);

// The commands that lead out of the program.
void show_tutorial(Program& program, int unused = 0);
void start_colour_tool(Program& program, int unused = 0);
void show_version_notes(Program& program, int unused = 0);
// The main window's closing query: true lets it close.
bool confirm_close(Program& program, int unused = 0);

}  // namespace peiseqi
