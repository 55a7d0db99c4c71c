// What /proc and getrusage tell about a process: its resident size, its CPU
// time and the WebKit web processes among its descendants.
#pragma once

#include <sys/types.h>

#include <vector>

namespace peiseqi::bench {

// VmRSS in KiB; -1 when the process is gone.
long resident_kib(pid_t pid);
// User plus system time in seconds, at the kernel's tick resolution; -1
// when the process is gone.
double cpu_seconds(pid_t pid);
// This process's own user plus system time, at microsecond resolution.
double own_cpu_seconds();
// The live WebKitWebProcess descendants of `root`, by process id.
std::vector<pid_t> web_processes_under(pid_t root);
// The live direct children of `parent`.
std::vector<pid_t> children_of(pid_t parent);

}  // namespace peiseqi::bench
