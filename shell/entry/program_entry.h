// The program's own start-up and shutdown around the platform's event loop.
#pragma once

namespace peiseqi {

class WindowingServices;
struct Program;

// Initialises the platform, creates the program-wide state, registers the
// exit routine, loads the main window and runs the event loop; answers 0.
int program_entry(WindowingServices& services);

// Releases the program-wide state; the platform runs it once at shutdown.
void program_exit(Program& program);

}  // namespace peiseqi
