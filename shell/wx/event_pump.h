// Handling the events already waiting, with or without a running loop.
#pragma once

#include <functional>

namespace peiseqi::wx {

// Handles every event already waiting, user input and queued wx events
// included, and returns without waiting for new ones.
void dispatch_waiting_events();

// dispatch_waiting_events, then the processor is offered to other threads:
// the pump of the program's waits.
void pump_waiting_events();

// Pumps, pausing briefly between rounds, until `done` answers true or the
// time is up; answers `done`'s last answer.
bool pump_until(const std::function<bool()>& done, int milliseconds);

}  // namespace peiseqi::wx
