// The whole-program benchmark on the real wx platform; run on a display
// (scripts/bench uses a private Xvfb). Without arguments it runs the
// in-process session in a child, then the fresh-process start-ups, and
// prints one tab-separated row per figure:
//   program_bench [--changes N] [--starts N]
// The other modes are the children it spawns.
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/program/proc_stats.h"
#include "bench/program/session.h"
#include "bench/program/startup.h"

extern char** environ;

namespace {

int run_session_child(const char* program_file, int changes) {
    std::string count = std::to_string(changes);
    std::vector<char*> arguments{const_cast<char*>(program_file), const_cast<char*>("session"),
                                 count.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program_file, nullptr, nullptr, arguments.data(), environ) != 0) {
        return 1;
    }
    int status = 0;
    waitpid(child, &status, 0);
    // Its web processes end once it has gone; they are reaped here.
    for (int round = 0; round < 300 && !peiseqi::bench::children_of(getpid()).empty(); ++round) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        usleep(10000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int positive_option(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            const int value = std::atoi(argv[i + 1]);
            return value > 0 ? value : fallback;
        }
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "session") == 0) {
        const int changes = argc >= 3 ? std::atoi(argv[2]) : 1000;
        return peiseqi::bench::run_session(argc, argv, changes > 0 ? changes : 1000);
    }
    if (argc >= 2 && std::strcmp(argv[1], "start-designer") == 0) {
        return peiseqi::bench::start_designer_observed(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "start-bare") == 0) {
        return peiseqi::bench::start_bare_frame(argc, argv);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const int changes = positive_option(argc, argv, "--changes", 1000);
    const int starts = positive_option(argc, argv, "--starts", 10);
    const int status = run_session_child("/proc/self/exe", changes);
    peiseqi::bench::measure_startups(starts);
    return status;
}
