// Helpers for tests that run the real toolkit on a display: start wx once,
// run desktop tools while the program keeps handling its events, look at X.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace peiseqi::gui_testing {

struct ToolResult {
    int status = -1;  // exit status; -1 when it could not run or timed out
    std::string output;
};

// Runs the tool (no shell) to its end while this process keeps handling
// its own events, so the tool can talk to our windows and clipboard.
ToolResult run_while_pumping(const std::vector<std::string>& argv, int timeout_ms = 10000);

// Starts the tool and returns at once; it is reaped when it ends.
void start_tool(const std::vector<std::string>& argv);

// Pumps the program's events until `done` or the time is up.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 10000);

// Children of this process that have ended but were never reaped.
int zombie_children();

// A fresh temporary directory (UTF-8 path), removed by the caller.
std::string make_temp_directory(const std::string& name_inside);

}  // namespace peiseqi::gui_testing
