// The designer: the main window's layout as data, and its creation handler.
#pragma once

#include "shell/window_layout.h"

namespace peiseqi {

// Built once; every control of the main window with its bound handlers.
const WindowLayout& main_window_layout();

}  // namespace peiseqi
