#include "shell/wx/desktop.h"

#include <fcntl.h>
#include <glib.h>
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
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = flock(fd, LOCK_EX) == 0;
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
    return close(fd) == 0 && ok;
}

bool spawn_detached(const std::string& file, bool search_path, const std::string& argument) {
    std::vector<gchar*> argv;
    argv.push_back(const_cast<gchar*>(file.c_str()));
    if (!argument.empty()) {
        argv.push_back(const_cast<gchar*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    auto flags = static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD |
                                          (search_path ? G_SPAWN_SEARCH_PATH : 0));
    GPid pid = 0;
    if (!g_spawn_async(nullptr, argv.data(), nullptr, flags, nullptr, nullptr, &pid, nullptr)) {
        return false;
    }
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
