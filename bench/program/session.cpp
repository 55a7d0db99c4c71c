#include "bench/program/session.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bench/program/figures.h"
#include "bench/program/proc_stats.h"
#include "designer/main_window.h"
#include "generation/colour_slots.h"
#include "generation/preview.h"
#include "generation/stylesheet.h"
#include "shell/program.h"
#include "shell/window_layout.h"
#include "shell/wx/bare_browser.h"
#include "shell/wx/wx_platform.h"

namespace peiseqi::bench {
namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One kind of load: wall time and CPU time of each, the web process's CPU
// summed over all of them.
struct Series {
    std::vector<double> wall_ms;
    double own_cpu_s = 0;
    double web_cpu_s = 0;

    template <typename Load>
    void measure(pid_t web, Load&& load) {
        const double web_before = cpu_seconds(web);
        const double own_before = own_cpu_seconds();
        const Clock::time_point start = Clock::now();
        load();
        wall_ms.push_back(milliseconds_since(start));
        own_cpu_s += own_cpu_seconds() - own_before;
        web_cpu_s += cpu_seconds(web) - web_before;
    }
};

struct Resident {
    long own_kib = 0;
    long web_kib = 0;
};

Resident resident_now(pid_t web) {
    return Resident{resident_kib(getpid()), resident_kib(web)};
}

// A different picked colour every time, as a user trying colours would give.
std::string colour_text(int change) {
    const unsigned rgb = (static_cast<unsigned>(change) * 0x9E3779u + 0x123456u) & 0xFFFFFFu;
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return text;
}

void print_series(const std::string& name, const Series& series) {
    print_row(name + " median", median(series.wall_ms), "ms");
    print_row(name + " p95", percentile(series.wall_ms, 95), "ms");
}

void print_cpu(const std::string& name, const Series& series) {
    const auto count = static_cast<double>(series.wall_ms.size());
    print_row(name + " CPU per load, this process", series.own_cpu_s / count * 1e3, "ms");
    print_row(name + " CPU per load, web process", series.web_cpu_s / count * 1e3, "ms");
}

std::string bare_file_name() {
    char directory[4096];
    if (getcwd(directory, sizeof directory) == nullptr) {
        return "bare.html";
    }
    return std::string(directory) + "/bare-" + std::to_string(getpid()) + ".html";
}

pid_t newest_other_than(const std::vector<pid_t>& pids, pid_t known) {
    for (auto it = pids.rbegin(); it != pids.rend(); ++it) {
        if (*it != known) {
            return *it;
        }
    }
    return -1;
}

}  // namespace

std::string empty_design_page() {
    std::string stylesheet(StylesheetTemplate);
    for (const ColourSlot& slot : SlotTable) {
        stylesheet = replace_pairs(stylesheet, slot.key, "");
    }
    return skin_head(BaseSkinId::sky_blue) + stylesheet + page_body();
}

int run_session(int argc, char** argv, int changes) {
    if (!wx::start_toolkit(argc, argv)) {
        return 1;
    }
    wx::WxPlatform platform;
    Program program(platform);
    platform.initialise_platform();
    platform.load_start_window(main_window_layout(), program);

    const std::vector<pid_t> first_webs = web_processes_under(getpid());
    const pid_t program_web = first_webs.empty() ? -1 : first_webs.back();
    const Resident at_start = resident_now(program_web);

    // Beside the main window, not over its preview, the size of the preview.
    const Place place = find_control(main_window_layout(), "互联网浏览器1")->place;
    const wxSize view_size(place.width, place.height);
    wx::BareBrowser bare(wxPoint(0, 0), view_size, wxRect(wxPoint(0, 0), view_size));
    bare.show_framed();
    const std::string file = bare_file_name();
    bare.load_waiting_idle(file, empty_design_page());
    const pid_t bare_web = newest_other_than(web_processes_under(getpid()), program_web);
    const Resident baseline = resident_now(program_web);

    const long bare_web_at_start = resident_kib(bare_web);
    // Where the growth happens: a steady climb or a level reached early.
    std::vector<std::pair<int, Resident>> checkpoints;
    std::vector<long> bare_checkpoints;
    Series preview;
    Series floor_idle;
    Series floor_busy;
    Series floor_yielding;
    for (int change = 0; change < changes; ++change) {
        if (change > 0 && change % 250 == 0) {
            checkpoints.emplace_back(change, resident_now(program_web));
            bare_checkpoints.push_back(resident_kib(bare_web));
        }
        const ColourSlot& slot = SlotTable[static_cast<std::size_t>(change) % SlotTable.size()];
        platform.write_property({WindowId::main_window, slot.key}, property::text,
                                colour_text(change));
        // Every floor load shows the page this change's preview shows.
        const std::string page =
            program.state.current_skin_head + build_stylesheet(program) + page_body();
        // The kinds take turns in every position, so none always follows
        // the same one.
        for (int turn = 0; turn < 4; ++turn) {
            switch ((change + turn) % 4) {
                case 0:
                    preview.measure(program_web, [&] { regenerate(program); });
                    break;
                case 1:
                    floor_idle.measure(bare_web, [&] { bare.load_waiting_idle(file, page); });
                    break;
                case 2:
                    floor_busy.measure(bare_web,
                                       [&] { bare.load_waiting_busy(file, page, false); });
                    break;
                default:
                    floor_yielding.measure(bare_web,
                                           [&] { bare.load_waiting_busy(file, page, true); });
                    break;
            }
        }
    }
    const Resident after = resident_now(program_web);

    print_row("changes (each: one slot written, regenerate)", changes, "");
    print_series("preview latency", preview);
    print_series("floor, idle wait", floor_idle);
    print_series("floor, busy wait", floor_busy);
    print_series("floor, busy wait yielding", floor_yielding);
    print_row("ratio preview / idle floor, median",
              median(preview.wall_ms) / median(floor_idle.wall_ms), "x");
    print_row("ratio preview / idle floor, p95",
              percentile(preview.wall_ms, 95) / percentile(floor_idle.wall_ms, 95), "x");
    print_row("ratio preview / busy floor, median",
              median(preview.wall_ms) / median(floor_busy.wall_ms), "x");
    print_cpu("preview", preview);
    print_cpu("floor, idle wait", floor_idle);
    print_cpu("floor, busy wait", floor_busy);
    print_cpu("floor, busy wait yielding", floor_yielding);
    if (bare_web < 0 || program_web < 0) {
        print_note("web processes", "not told apart: the web-process figures mix both views");
    }
    print_row("RSS program, after start-up", static_cast<double>(at_start.own_kib) / 1024, "MiB");
    print_row("RSS program, with the floor view loaded",
              static_cast<double>(baseline.own_kib) / 1024, "MiB");
    print_row("RSS program, after the changes", static_cast<double>(after.own_kib) / 1024, "MiB");
    print_row("RSS program, growth over the changes",
              static_cast<double>(after.own_kib - baseline.own_kib) / 1024, "MiB");
    print_row("RSS web process, after start-up", static_cast<double>(at_start.web_kib) / 1024,
              "MiB");
    print_row("RSS web process, after the changes", static_cast<double>(after.web_kib) / 1024,
              "MiB");
    print_row("RSS web process, growth over the changes",
              static_cast<double>(after.web_kib - at_start.web_kib) / 1024, "MiB");
    for (std::size_t i = 0; i < checkpoints.size(); ++i) {
        const std::string after_n = " after " + std::to_string(checkpoints[i].first) + " changes";
        print_row("RSS program," + after_n,
                  static_cast<double>(checkpoints[i].second.own_kib) / 1024, "MiB");
        print_row("RSS web process," + after_n,
                  static_cast<double>(checkpoints[i].second.web_kib) / 1024, "MiB");
        print_row("RSS floor's web process," + after_n,
                  static_cast<double>(bare_checkpoints[i]) / 1024, "MiB");
    }
    if (!checkpoints.empty()) {
        const Resident& settled = checkpoints.front().second;
        const std::string since =
            " growth from change " + std::to_string(checkpoints.front().first) + " to the end";
        print_row("RSS program," + since,
                  static_cast<double>(after.own_kib - settled.own_kib) / 1024, "MiB");
        print_row("RSS web process," + since,
                  static_cast<double>(after.web_kib - settled.web_kib) / 1024, "MiB");
        print_row("RSS floor's web process," + since,
                  static_cast<double>(resident_kib(bare_web) - bare_checkpoints.front()) / 1024,
                  "MiB");
    }
    const long bare_web_after = resident_kib(bare_web);
    print_row("RSS floor's web process, first load", static_cast<double>(bare_web_at_start) / 1024,
              "MiB");
    print_row("RSS floor's web process, after its loads",
              static_cast<double>(bare_web_after) / 1024, "MiB");
    print_row("RSS floor's web process, growth over its loads",
              static_cast<double>(bare_web_after - bare_web_at_start) / 1024, "MiB");
    std::fflush(stdout);
    // The figures are out; tearing the toolkit down measures nothing.
    _exit(0);
}

}  // namespace peiseqi::bench
