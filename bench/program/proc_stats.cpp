#include "bench/program/proc_stats.h"

#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace peiseqi::bench {
namespace {

std::string read_whole(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The fields after the command name, which may itself hold spaces and
// parentheses; field 3 of the file is the first one here.
std::vector<std::string> stat_fields(pid_t pid) {
    const std::string text = read_whole("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = text.rfind(')');
    std::vector<std::string> fields;
    if (close == std::string::npos) {
        return fields;
    }
    std::istringstream rest(text.substr(close + 1));
    for (std::string field; rest >> field;) {
        fields.push_back(field);
    }
    return fields;
}

std::map<pid_t, pid_t> parents_of_all() {
    std::map<pid_t, pid_t> parents;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return parents;
    }
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0) {
            continue;
        }
        const std::vector<std::string> fields = stat_fields(pid);
        if (fields.size() > 1) {
            parents[pid] = static_cast<pid_t>(std::atoi(fields[1].c_str()));
        }
    }
    closedir(proc);
    return parents;
}

bool has_ancestor(pid_t pid, pid_t root, const std::map<pid_t, pid_t>& parents) {
    for (int depth = 0; depth < 64; ++depth) {
        const auto it = parents.find(pid);
        if (it == parents.end() || it->second <= 1) {
            return false;
        }
        if (it->second == root) {
            return true;
        }
        pid = it->second;
    }
    return false;
}

}  // namespace

long resident_kib(pid_t pid) {
    std::istringstream status(read_whole("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

double cpu_seconds(pid_t pid) {
    const std::vector<std::string> fields = stat_fields(pid);
    // utime and stime are fields 14 and 15 of the file.
    if (fields.size() < 13) {
        return -1;
    }
    const double ticks = std::atof(fields[11].c_str()) + std::atof(fields[12].c_str());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double own_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::vector<pid_t> web_processes_under(pid_t root) {
    const std::map<pid_t, pid_t> parents = parents_of_all();
    std::vector<pid_t> found;
    for (const auto& [pid, parent] : parents) {
        // The kernel keeps 15 bytes of the name: "WebKitWebProces".
        const std::string name = read_whole("/proc/" + std::to_string(pid) + "/comm");
        if (name.rfind("WebKitWebProces", 0) == 0 && has_ancestor(pid, root, parents)) {
            found.push_back(pid);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<pid_t> children_of(pid_t parent) {
    std::vector<pid_t> found;
    for (const auto& [pid, its_parent] : parents_of_all()) {
        if (its_parent == parent) {
            found.push_back(pid);
        }
    }
    return found;
}

}  // namespace peiseqi::bench
