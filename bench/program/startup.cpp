#include "bench/program/startup.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <wx/display.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/program/figures.h"
#include "bench/program/observed_platform.h"
#include "bench/program/proc_stats.h"
#include "bench/program/session.h"
#include "designer/main_window.h"
#include "shell/entry/program_entry.h"
#include "shell/window_layout.h"
#include "shell/wx/bare_browser.h"
#include "shell/wx/wx_platform.h"

extern char** environ;

namespace peiseqi::bench {
namespace {

std::string own_program_file() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// WebKit's helper processes outlive the child that started them by a
// moment; as the subreaper this process collects them, killing only those
// that do not end on their own.
void reap_leftovers() {
    for (int round = 0; round < 300; ++round) {
        const pid_t gone = waitpid(-1, nullptr, WNOHANG);
        if (gone < 0 && errno == ECHILD) {
            return;
        }
        if (gone == 0) {
            usleep(10000);
        }
    }
    for (const pid_t stuck : children_of(getpid())) {
        kill(stuck, SIGKILL);
        waitpid(stuck, nullptr, 0);
    }
}

bool read_ready(int fd, Milestones& milestones) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, 60000) <= 0) {
        return false;
    }
    return read(fd, &milestones, sizeof milestones) == static_cast<ssize_t>(sizeof milestones);
}

// Milliseconds from just before the spawn: to the toolkit started, the
// page requested, the page read and the window shown.
struct StartTimes {
    double toolkit = 0;
    double page_requested = 0;
    double page_read = 0;
    double shown = -1;
};

// `shown` is negative when the child gave no signal.
StartTimes time_one_start(const std::string& program_file, const char* mode) {
    StartTimes times;
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
        return times;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], ready_descriptor);
    std::vector<char*> arguments{const_cast<char*>(program_file.c_str()), const_cast<char*>(mode),
                                 nullptr};
    pid_t child = 0;
    const std::int64_t spawned_ns = monotonic_ns();
    const int failed =
        posix_spawn(&child, program_file.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    Milestones milestones;
    const bool ready = failed == 0 && read_ready(pipe_ends[0], milestones);
    close(pipe_ends[0]);
    if (failed == 0) {
        if (!ready) {
            kill(child, SIGKILL);
        }
        waitpid(child, nullptr, 0);
    }
    reap_leftovers();
    if (ready) {
        const auto since_spawn = [&](std::int64_t at) {
            return static_cast<double>(at - spawned_ns) / 1e6;
        };
        times = StartTimes{since_spawn(milestones.toolkit_started),
                           since_spawn(milestones.page_requested),
                           since_spawn(milestones.page_read), since_spawn(milestones.shown)};
    }
    return times;
}

// The medians of each stretch between milestones, and of the whole.
struct StartSeries {
    std::vector<double> toolkit, building, first_page, showing, whole;

    void add(const StartTimes& t) {
        toolkit.push_back(t.toolkit);
        building.push_back(t.page_requested - t.toolkit);
        first_page.push_back(t.page_read - t.page_requested);
        showing.push_back(t.shown - t.page_read);
        whole.push_back(t.shown);
    }

    void print(const std::string& name) const {
        print_row("start-up " + name + ", median", median(whole), "ms");
        print_row("  " + name + ": spawn to toolkit started", median(toolkit), "ms");
        print_row("  " + name + ": window and view built", median(building), "ms");
        print_row("  " + name + ": first page loaded", median(first_page), "ms");
        print_row("  " + name + ": window shown and framed", median(showing), "ms");
    }
};

}  // namespace

std::int64_t monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void signal_ready(int fd, Milestones milestones) {
    milestones.shown = monotonic_ns();
    if (write(fd, &milestones, sizeof milestones) != static_cast<ssize_t>(sizeof milestones)) {
        // The driver has gone; nothing is measured any more.
    }
}

void ObservedPlatform::run_event_loop() {
    signal_ready(ready_fd_, milestones_);
    // The start is measured; the session is not run.
    _exit(0);
}

int start_designer_observed(int argc, char** argv) {
    if (!wx::start_toolkit(argc, argv)) {
        return 1;
    }
    Milestones milestones;
    milestones.toolkit_started = monotonic_ns();
    wx::WxPlatform platform;
    ObservedPlatform observed(platform, ready_descriptor, milestones);
    return program_entry(observed);
}

int start_bare_frame(int argc, char** argv) {
    if (!wx::start_toolkit(argc, argv)) {
        return 1;
    }
    Milestones milestones;
    milestones.toolkit_started = monotonic_ns();
    const WindowLayout& layout = main_window_layout();
    const Place place = find_control(layout, "互联网浏览器1")->place;
    const wxSize outer(layout.outer_width, layout.outer_height);
    const wxSize screen = wxGetDisplaySize();
    wx::BareBrowser bare(wxPoint((screen.x - outer.x) / 2, (screen.y - outer.y) / 2), outer,
                         wxRect(place.left, place.top, place.width, place.height));
    char directory[4096];
    const std::string file =
        std::string(getcwd(directory, sizeof directory) != nullptr ? directory : ".") +
        "/bare-start-" + std::to_string(getpid()) + ".html";
    milestones.page_requested = bare.load_waiting_idle(file, empty_design_page());
    milestones.page_read = monotonic_ns();
    bare.show_framed();
    signal_ready(ready_descriptor, milestones);
    _exit(0);
}

void measure_startups(int rounds) {
    // Orphaned WebKit helpers come back to this process to be reaped.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const std::string program_file = own_program_file();
    // One start of each first, so both find the same warm file cache.
    time_one_start(program_file, "start-designer");
    time_one_start(program_file, "start-bare");
    StartSeries designer;
    StartSeries bare;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const bool designer_now : {round % 2 == 0, round % 2 != 0}) {
            const StartTimes took =
                time_one_start(program_file, designer_now ? "start-designer" : "start-bare");
            if (took.shown < 0) {
                ++failures;
            } else {
                (designer_now ? designer : bare).add(took);
            }
        }
    }
    print_row("start-ups of each (fresh processes)", rounds, "");
    designer.print("designer");
    bare.print("bare frame + web view");
    print_row("ratio start-up designer / bare, median", median(designer.whole) / median(bare.whole),
              "x");
    if (failures > 0) {
        print_row("start-ups that gave no signal within 60 s", failures, "");
    }
}

}  // namespace peiseqi::bench
