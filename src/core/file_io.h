#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// The platform's path separator as the program's folder names are joined with.
inline constexpr char kPathSeparator = '/';

// a + separator + b; b may hold several components.
std::string JoinPath(std::string_view a, std::string_view b);
// The folder part of a path: up to, not including, the last separator.
std::string ParentPath(std::string_view path);

// What tells one state of a file from another without reading it.
struct FileIdentity {
  bool exists = false;
  std::uintmax_t size = 0;
  std::int64_t modified = 0;  // nanoseconds, file-system clock
  bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentifyFile(const std::string& path);

// True when the path names an existing regular file (a folder does not count).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The names (not paths) of a folder's entries, folders included, sorted by
// name so the order is the same from one run to the next. Empty when the
// folder is missing or unreadable.
std::vector<std::string> ListDirectory(const std::string& folder);

// Reads a whole file; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// Reads at most `limit` bytes from the start of a file.
std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t limit);

// Replaces (or creates) a file with `bytes` so that a crash or a full disk
// never leaves a torn file: the bytes go to a temporary file beside it, which
// is flushed and renamed over the old one, keeping the old file's
// permissions. Returns false when the file could not be written; the old
// file is then unchanged.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Resolves a path written in a deck.ini or description.ini file against the
// folder that holds it, as it resolved where the file was made: "\" and "/"
// both separate components, and a component that does not exist as written
// is matched, when one such entry exists, against an entry whose name differs
// only in letter case.
std::string ResolveIndexedPath(const std::string& baseFolder, std::string_view relative);

}  // namespace vaticor
