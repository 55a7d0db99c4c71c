// Desktop services that need no toolkit: files named by GBK texts, file
// URLs, and starting other programs without a shell.
#pragma once

#include <string>
#include <string_view>

namespace peiseqi::wx {

// The program's GBK name as a path for the file system (UTF-8).
std::string path_from_gbk(std::string_view gbk_name);

// A file URL for an absolute UTF-8 path, every byte outside the unreserved
// set percent-encoded, so blanks and Chinese survive the round trip.
std::string file_url(std::string_view absolute_path);

// What the browser view loads for a target the program names: a URL stays
// as it is, a file name (relative ones against the current directory)
// becomes a file URL.
std::string url_for_target(std::string_view gbk_target);

// The full path of the running program file, from /proc/self/exe.
std::string program_file_path();

// Everything before the last '/', the root giving the empty text.
std::string directory_of(std::string_view path);

// Creates or truncates the file, holds an exclusive lock while writing and
// writes every byte; false on any failure.
bool write_whole_file(const std::string& path, std::string_view bytes);

// Starts the file with at most one argument and no shell, without waiting;
// the main loop reaps the child when it ends. False when it could not be
// started (missing, not executable).
bool spawn_detached(const std::string& file, bool search_path,
                    const std::string& argument = std::string());

// A fresh directory of this user's alone (mode 0700) under $TMPDIR or /tmp;
// the empty text when none could be made.
std::string make_private_directory();

}  // namespace peiseqi::wx
