#include "tests/gui/gui_support.h"

#include <dirent.h>
#include <glib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/wx/event_pump.h"

namespace peiseqi::gui_testing {
namespace {

struct Child {
    bool ended = false;
    int status = -1;
};

void on_child_end(GPid pid, gint status, gpointer data) {
    auto* child = static_cast<Child*>(data);
    child->ended = true;
    child->status = g_spawn_check_wait_status(status, nullptr) ? 0 : WEXITSTATUS(status);
    g_spawn_close_pid(pid);
}

void reap(GPid pid, gint, gpointer) {
    g_spawn_close_pid(pid);
}

std::vector<gchar*> c_argv(const std::vector<std::string>& argv) {
    std::vector<gchar*> result;
    for (const std::string& arg : argv) {
        result.push_back(const_cast<gchar*>(arg.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

}  // namespace

ToolResult run_while_pumping(const std::vector<std::string>& argv, int timeout_ms) {
    ToolResult result;
    std::vector<gchar*> args = c_argv(argv);
    GPid pid = 0;
    gint out_fd = -1;
    const auto flags = static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH);
    if (!g_spawn_async_with_pipes(nullptr, args.data(), nullptr, flags, nullptr, nullptr, &pid,
                                  nullptr, &out_fd, nullptr, nullptr)) {
        return result;
    }
    // A heap record: the watch may fire after a timed-out wait returns.
    auto* child = new Child;
    g_child_watch_add(pid, on_child_end, child);
    GIOChannel* channel = g_io_channel_unix_new(out_fd);
    g_io_channel_set_encoding(channel, nullptr, nullptr);
    g_io_channel_set_flags(channel, G_IO_FLAG_NONBLOCK, nullptr);
    auto drain = [&] {
        gchar buffer[4096];
        gsize got = 0;
        while (g_io_channel_read_chars(channel, buffer, sizeof buffer, &got, nullptr) ==
                   G_IO_STATUS_NORMAL &&
               got > 0) {
            result.output.append(buffer, got);
        }
    };
    const bool ended = pump_until(
        [&] {
            drain();
            return child->ended;
        },
        timeout_ms);
    drain();
    g_io_channel_shutdown(channel, FALSE, nullptr);
    g_io_channel_unref(channel);
    if (ended) {
        result.status = child->status;
        delete child;
    }
    return result;
}

void start_tool(const std::vector<std::string>& argv) {
    std::vector<gchar*> args = c_argv(argv);
    GPid pid = 0;
    const auto flags = static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH);
    if (g_spawn_async(nullptr, args.data(), nullptr, flags, nullptr, nullptr, &pid, nullptr)) {
        g_child_watch_add(pid, reap, nullptr);
    }
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
    return wx::pump_until(done, timeout_ms);
}

int zombie_children() {
    const std::string me = std::to_string(getpid());
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream rest(line.substr(close + 2));
        std::string state;
        std::string parent;
        rest >> state >> parent;
        if (parent == me && state == "Z") {
            ++zombies;
        }
    }
    return zombies;
}

std::string make_temp_directory(const std::string& name_inside) {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmpdir != nullptr && *tmpdir ? tmpdir : "/tmp") + "/peiseqi-gui.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        return std::string();
    }
    const std::string root = buffer.data();
    if (name_inside.empty()) {
        return root;
    }
    std::filesystem::create_directories(root + "/" + name_inside);
    return root;
}

}  // namespace peiseqi::gui_testing
