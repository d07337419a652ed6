#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
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
// never leaves a torn file: the bytes go to a temporary file beside it
// (".<name>.<16 lowercase hex digits>.tmp"), which is flushed and renamed over
// the old one, keeping the old file's permissions. Returns false when the file
// could not be written; the old file is then unchanged.
//
// A folder that refuses new files (no write permission, or a read-only
// mount) while the file itself is a writable regular file, as a program
// folder under a system location can be, has the file overwritten in place
// instead: written, cut to the new length and flushed. That write is not
// atomic, but it is the only way left to keep what the user changed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
// The same for content made a part at a time, so that it is never held
// whole: `nextPart` is called until it returns an empty part, and each part
// is written before the next is asked for (a part is to stay valid until
// then). There is no writing in place here: a file is only ever replaced
// whole. An exception from `nextPart` removes the temporary file, leaves the
// old file as it was, and goes on to the caller.
bool WriteFileAtomically(const std::string& path,
                         const std::function<std::string_view()>& nextPart);

// What CopyFileInto did: `copied`, or why not in `failure` (a short English
// sentence without the file's name, "cannot be read: Permission denied"),
// with the system's error number (0 when none, as for a stop) and whether
// it was the source that could not be read, for callers that say it in
// words of their own.
struct FileCopyResult {
  bool copied = false;
  std::string failure;
  int error = 0;
  bool reading = false;
};

// Copies the regular file `source` to `relative` inside `folder`, replacing a
// file of that name there. `relative` is "/"-separated plain names (none
// empty, ".", ".." or holding a NUL; otherwise nothing is done); the
// sub-folders it passes through are created. Neither `folder` itself nor
// anything under it is followed through a symbolic link: an entry on the way
// that is a link or not a folder fails the copy, so nothing is written
// outside `folder`, whatever its sub-folders hold.
//
// The bytes go to a temporary file beside the destination, named as
// WriteFileAtomically names its own, flushed and renamed over the old file;
// so the destination is always the old file or the whole new one. On any
// failure (an unreadable source, a full disk, a stop requested through
// `stop`, checked between blocks of 1 MiB) the temporary file is removed and
// the destination is as it was. The result's permissions are those the umask
// gives a new file. Safe on any thread: it keeps no state.
FileCopyResult CopyFileInto(const std::string& source, const std::string& folder,
                            std::string_view relative, const std::stop_token& stop = {});
// The same with `bytes` for the content: a file made by the program (an
// index written for a folder that has none) put among copied ones.
FileCopyResult WriteFileInto(std::string_view bytes, const std::string& folder,
                             std::string_view relative);

// How long a temporary file of WriteFileAtomically must have gone unchanged
// before it is taken for one left by a writer that was killed. A writer that
// is alive changes its file with every write and renames it within moments
// of the last; ten minutes leaves room for flushing tens of megabytes to a
// slow removable disk and for a network share whose clock runs ahead.
inline constexpr std::chrono::minutes kStaleTemporaryFileAge{10};

// The full paths of the entries of `folder` ("" is the working directory)
// that a killed writer left: names `matches` accepts, of the kind asked
// (regular files, or folders with `folders`; a link is never taken, so
// nothing outside the folder is reached), last modified `age` or longer
// before `now`.
std::vector<std::string> StaleEntries(const std::string& folder,
                                      const std::function<bool(std::string_view)>& matches,
                                      bool folders, std::chrono::system_clock::time_point now,
                                      std::chrono::system_clock::duration age);

// Removes from `folder` ("" is the working directory) the temporary files
// that WriteFileAtomically makes for a file named `fileName` there and that a
// killed writer left behind: regular files whose names are exactly of that
// form, last modified `age` or longer before `now`. Anything else is left
// alone: other names, folders, symbolic links, and younger files, which
// another running copy of the program may be writing. Returns how many files
// were removed; a file that cannot be removed is skipped.
int RemoveStaleTemporaryFiles(const std::string& folder, std::string_view fileName,
                              std::chrono::system_clock::time_point now,
                              std::chrono::system_clock::duration age = kStaleTemporaryFileAge);

}  // namespace vaticor
