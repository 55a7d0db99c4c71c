// The in-process measurements: the designer's preview latency against the
// bare web view's floor, memory, and CPU time per preview.
#pragma once

#include <string>
#include <string_view>

namespace peiseqi::bench {

// The page the first preview shows: the sky-blue head, the stylesheet with
// every slot unset, the page body.
std::string empty_design_page();

// Starts the toolkit, runs `changes` rounds and prints the figures; answers
// the process's exit status.
int run_session(int argc, char** argv, int changes);

}  // namespace peiseqi::bench
