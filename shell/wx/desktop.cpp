#include "shell/wx/desktop.h"

#include <fcntl.h>
#include <glib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "shell/gbk.h"

namespace peiseqi::wx {
namespace {

bool is_unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// "scheme:" at the start, as in http://, https://, file:// or about:blank.
bool has_scheme(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return false;
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.');
        if (!letter && !other) {
            return false;
        }
    }
    return true;
}

std::string current_directory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

void reap_child(GPid pid, gint /*status*/, gpointer /*data*/) {
    g_spawn_close_pid(pid);
}

}  // namespace

std::string path_from_gbk(std::string_view gbk_name) {
    return utf8_from_gbk(gbk_name);
}

std::string file_url(std::string_view absolute_path) {
    static constexpr std::array<char, 16> hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string url = "file://";
    for (const char ch : absolute_path) {
        const auto c = static_cast<unsigned char>(ch);
        if (is_unreserved(c)) {
            url += ch;
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0x0F];
        }
    }
    return url;
}

std::string url_for_target(std::string_view gbk_target) {
    const std::string target = utf8_from_gbk(gbk_target);
    if (has_scheme(target)) {
        return target;
    }
    if (!target.empty() && target.front() == '/') {
        return file_url(target);
    }
    return file_url(current_directory() + "/" + target);
}

std::string program_file_path() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return std::string();
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string directory_of(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

bool write_whole_file(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    // Created here or already there: only a file made by this call is
    // removed again when the write fails, so none is left half written.
    bool created = true;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0 && errno == EEXIST) {
        created = false;
        fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0) {
        return false;
    }
    // Held for exclusive use while written; a file another process holds is
    // a failed write, not a wait, and is truncated only once it is ours.
    bool ok = flock(fd, LOCK_EX | LOCK_NB) == 0 && ftruncate(fd, 0) == 0;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        if (ok) {
            written += static_cast<std::size_t>(n);
        }
    }
    ok = close(fd) == 0 && ok;
    if (!ok && created) {
        unlink(path.c_str());
    }
    return ok;
}

bool spawn_detached(const std::string& file, bool search_path, const std::string& argument) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(file.c_str()));
    if (!argument.empty()) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    // posix_spawn never hands a file that is no program to /bin/sh, as the
    // execvp fallback does; the child gets no descriptor of ours but the
    // standard three, and signals as a fresh process has them.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigfillset(&defaults);
    sigdelset(&defaults, SIGKILL);
    sigdelset(&defaults, SIGSTOP);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error =
        search_path ? posix_spawnp(&pid, file.c_str(), &actions, &attributes, argv.data(), environ)
                    : posix_spawn(&pid, file.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return false;
    }
    // The main loop reaps it whenever it ends; we never wait for that.
    g_child_watch_add(pid, reap_child, nullptr);
    return true;
}

std::string make_private_directory() {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string pattern = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
    pattern += "/peiseqi.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        return std::string();
    }
    return std::string(buffer.data());
}

}  // namespace peiseqi::wx
