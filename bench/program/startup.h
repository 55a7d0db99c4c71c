// Start-up: fresh processes timed from just before they are spawned to the
// moment they report their first window shown with its page loaded.
#pragma once

namespace peiseqi::bench {

// The child's side. The descriptor that carries the ready signal.
inline constexpr int ready_descriptor = 3;
// The real platform and the real entry routine, observed: the signal goes
// out where the entry routine would enter the event loop.
int start_designer_observed(int argc, char** argv);
// A frame with one web view that loads the first preview's page.
int start_bare_frame(int argc, char** argv);

// The driver's side: `rounds` starts of each, alternating, printed as
// medians with the ratio.
void measure_startups(int rounds);

}  // namespace peiseqi::bench
