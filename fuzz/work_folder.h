#pragma once

// A folder of the fuzz process's own for targets that work on files, on a
// memory file system where there is one (every run writes files, and
// atomic writes flush them). Made at the first call, removed at exit.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace vaticor::fuzz {

// `name` tells the targets' folders apart: "<name>.<process id>".
inline const std::string& WorkFolder(const char* name) {
  static const std::string folder = [name] {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    const std::filesystem::path path =
        base / (std::string(name) + "." + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  // Registered after the name is made, so that the name outlives the removal.
  [[maybe_unused]] static const int registered = std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  return folder;
}

}  // namespace vaticor::fuzz
