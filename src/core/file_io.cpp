#include "core/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "core/text_encoding.h"

namespace fs = std::filesystem;

namespace vaticor {
namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Takes `fd` in place of the one held, which is closed.
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

int OpenForReading(const std::string& path) {
  int fd;
  do {
    // Non-blocking, so that a FIFO named like a file cannot stall the open;
    // only regular files are read, for which the flag changes nothing.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Reads up to `limit` bytes of a regular file.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
  if (path.empty()) return std::nullopt;
  FileDescriptor fd(OpenForReading(path));
  if (!fd.valid()) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  // Straight into one buffer of the file's size: a log of tens of megabytes
  // is neither copied nor grown.
  std::string bytes(std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size)), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  // A file that grew since fstat (or reports no size, as /proc files do).
  char buffer[65536];
  while (bytes.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t got = ::read(fd.get(), buffer, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

std::string LastComponent(std::string_view path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// A symbolic link is written through, so the link stays a link.
std::string WriteTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved.string();
}

void SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());  // best effort: the rename is done already
}

// The temporary files of a file are its name behind a dot, then the random
// part and the suffix; the name is cut so that the whole stays a valid name.
constexpr std::size_t kTemporaryNameLength = 200;
constexpr std::size_t kTemporaryRandomDigits = 16;
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string TemporaryStem(std::string_view name) {
  return "." + std::string(name.substr(0, kTemporaryNameLength)) + ".";
}

// One temporary name for a file called `name`, random so that writers do
// not meet.
std::string RandomTemporaryName(std::string_view name, std::random_device& random) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%08x%08x", random(), random());
  return TemporaryStem(name) + digits + std::string(kTemporarySuffix);
}

bool IsTemporaryNameOf(std::string_view entry, std::string_view name) {
  const std::string stem = TemporaryStem(name);
  if (entry.size() != stem.size() + kTemporaryRandomDigits + kTemporarySuffix.size() ||
      !entry.starts_with(stem) || !entry.ends_with(kTemporarySuffix)) {
    return false;
  }
  const std::string_view digits = entry.substr(stem.size(), kTemporaryRandomDigits);
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Writes over an existing regular file where it is. A crash part-way leaves
// it torn, so this is only for a file whose folder takes no temporary file.
bool OverwriteInPlace(const std::string& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  bool ok = WriteAll(fd.get(), bytes);
  ok = ok && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  return fd.Close() && ok;
}

}  // namespace

std::string JoinPath(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  std::string joined(a);
  if (joined.back() != kPathSeparator) joined.push_back(kPathSeparator);
  joined.append(b);
  return joined;
}

std::string ParentPath(std::string_view path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string_view::npos) return {};
  if (slash == 0) return std::string(1, kPathSeparator);  // the root keeps its separator
  return std::string(path.substr(0, slash));
}

FileIdentity IdentifyFile(const std::string& path) {
  FileIdentity id;
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return id;
  id.exists = true;
  id.size = static_cast<std::uintmax_t>(st.st_size);
  id.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return id;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> ListDirectory(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  return ReadRegularFile(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> ReadFilePrefix(const std::string& path, std::size_t limit) {
  return ReadRegularFile(path, limit);
}

namespace {

// WriteFileAtomically for bytes given a part at a time; `bytes` (the whole
// content, when given so) allows the write in place.
bool WriteParts(const std::string& path, const std::function<std::string_view()>& nextPart,
                const std::string_view* bytes) {
  if (path.empty()) return false;
  const std::string target = WriteTarget(path);
  const std::string name = LastComponent(target);
  if (name.empty() || name == "." || name == "..") return false;

  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  // Only a regular file is replaced, and a read-only one is left alone as a
  // plain write would leave it.
  if (replacing && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

  std::string folder = ParentPath(target);
  if (folder.empty()) folder = ".";

  std::random_device random;
  std::string temp;
  int rawFd = -1;
  for (int attempt = 0; attempt < 32 && rawFd < 0; ++attempt) {
    temp = JoinPath(folder, RandomTemporaryName(name, random));
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (rawFd < 0 && errno != EEXIST && errno != EINTR) {
      const bool folderRefuses = errno == EACCES || errno == EPERM || errno == EROFS;
      return bytes && replacing && folderRefuses && OverwriteInPlace(target, *bytes);
    }
  }
  FileDescriptor fd(rawFd);
  if (!fd.valid()) return false;

  bool ok = true;
  try {
    for (std::string_view part = nextPart(); !part.empty(); part = nextPart()) {
      ok = WriteAll(fd.get(), part);
      if (!ok) break;
    }
  } catch (...) {
    fd.Close();
    ::unlink(temp.c_str());
    throw;
  }
  if (ok && replacing) {
    // Best effort: some file systems (FAT, SMB) have no such bits to keep.
    ::fchmod(fd.get(), old.st_mode & 07777);
    if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
      // Only a privileged writer can give the file back to its owner.
    }
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  bool given = false;
  const auto whole = [&] { return std::exchange(given, true) ? std::string_view() : bytes; };
  return WriteParts(path, whole, &bytes);
}

bool WriteFileAtomically(const std::string& path,
                         const std::function<std::string_view()>& nextPart) {
  return WriteParts(path, nextPart, nullptr);
}

namespace {

std::string Because(std::string_view what, int error) {
  return std::string(what) + ": " + std::system_category().message(error);
}

// The "/"-separated names of a path inside a folder; nullopt when one is
// empty, ".", ".." or holds a NUL, which would not stay a name there.
std::optional<std::vector<std::string>> PlainNames(std::string_view relative) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t slash = relative.find('/', pos);
    const std::string_view name = relative.substr(pos, slash - pos);
    if (name.empty() || name == "." || name == ".." || name.find('\0') != name.npos) {
      return std::nullopt;
    }
    names.emplace_back(name);
    if (slash == std::string_view::npos) return names;
    pos = slash + 1;
  }
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// The bytes of `from` into `to`, a block at a time, until the end, an error
// or a stop; the failure's text, empty when all went, with its error number
// and whether it was the reading.
std::string CopyBytes(int from, int to, const std::stop_token& stop, int& error, bool& reading) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  const std::unique_ptr<char[]> buffer(new char[kBlock]);
  for (;;) {
    if (stop.stop_requested()) return "the copy was stopped";
    const ssize_t got = ::read(from, buffer.get(), kBlock);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = errno;
      reading = true;
      return Because("cannot be read", error);
    }
    if (got == 0) return {};
    if (!WriteAll(to, std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
      error = errno;
      return Because("cannot be written", error);
    }
  }
}

}  // namespace

namespace {

FileCopyResult CopyFailed(std::string why, int error = 0, bool reading = false) {
  return FileCopyResult{false, std::move(why), error, reading};
}

// The folder `relative` is to go into, opened below `folder` without
// following a link, its sub-folders made on the way; invalid with the
// failure in `failure`.
FileDescriptor OpenFolderFor(const std::string& folder, const std::vector<std::string>& names,
                             FileCopyResult& failure) {
  FileDescriptor dir(::open(folder.c_str(), kFolderFlags));
  if (!dir.valid()) {
    failure = CopyFailed(Because("the folder cannot be opened", errno), errno);
    return dir;
  }
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    const char* name = names[i].c_str();
    if (::mkdirat(dir.get(), name, 0777) != 0 && errno != EEXIST) {
      failure = CopyFailed(Because("its folder cannot be made", errno), errno);
      return FileDescriptor(-1);
    }
    // O_NOFOLLOW: a link here, planted or not, could lead anywhere.
    const int sub = ::openat(dir.get(), name, kFolderFlags);
    if (sub < 0) {
      failure = CopyFailed(Because("its folder cannot be opened", errno), errno);
      return FileDescriptor(-1);
    }
    dir.Reset(sub);
  }
  return dir;
}

// Writes `name` in the opened folder `dir` through a temporary file beside
// it that `fill` writes (returning its failure's text, with its error
// number and whether it was the reading), renamed over the old file.
FileCopyResult PlaceThroughTemporary(
    int dir, const std::string& name,
    const std::function<std::string(int out, int& error, bool& reading)>& fill) {
  std::random_device random;
  std::string temp;
  FileDescriptor out(-1);
  for (int attempt = 0; attempt < 32 && !out.valid(); ++attempt) {
    temp = RandomTemporaryName(name, random);
    out.Reset(::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out.valid() && errno != EEXIST && errno != EINTR) break;
  }
  if (!out.valid()) return CopyFailed(Because("cannot be written", errno), errno);

  int error = 0;
  bool reading = false;
  std::string failure = fill(out.get(), error, reading);
  auto writeFailed = [&](const char* what) {
    error = errno;
    failure = Because(what, error);
  };
  if (failure.empty() && ::fsync(out.get()) != 0) writeFailed("cannot be written");
  if (!out.Close() && failure.empty()) writeFailed("cannot be written");
  if (failure.empty() && ::renameat(dir, temp.c_str(), dir, name.c_str()) != 0) {
    writeFailed("cannot replace what is there");
  }
  if (!failure.empty()) {
    ::unlinkat(dir, temp.c_str(), 0);
    return CopyFailed(std::move(failure), error, reading);
  }
  ::fsync(dir);  // best effort: the rename is done already
  return {true, {}};
}

}  // namespace

FileCopyResult CopyFileInto(const std::string& source, const std::string& folder,
                            std::string_view relative, const std::stop_token& stop) {
  const std::optional<std::vector<std::string>> names = PlainNames(relative);
  if (!names) return CopyFailed("the name leads out of the folder");
  FileCopyResult failure;
  const FileDescriptor dir = OpenFolderFor(folder, *names, failure);
  if (!dir.valid()) return failure;

  FileDescriptor in(OpenForReading(source));
  if (!in.valid()) return CopyFailed(Because("cannot be read", errno), errno, true);
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) return CopyFailed(Because("cannot be read", errno), errno, true);
  if (!S_ISREG(st.st_mode)) return CopyFailed("is not a file", 0, true);

  return PlaceThroughTemporary(dir.get(), names->back(), [&](int out, int& error, bool& reading) {
    return CopyBytes(in.get(), out, stop, error, reading);
  });
}

FileCopyResult WriteFileInto(std::string_view bytes, const std::string& folder,
                             std::string_view relative) {
  const std::optional<std::vector<std::string>> names = PlainNames(relative);
  if (!names) return CopyFailed("the name leads out of the folder");
  FileCopyResult failure;
  const FileDescriptor dir = OpenFolderFor(folder, *names, failure);
  if (!dir.valid()) return failure;
  return PlaceThroughTemporary(dir.get(), names->back(), [&](int out, int& error, bool&) {
    if (WriteAll(out, bytes)) return std::string();
    error = errno;
    return Because("cannot be written", error);
  });
}

std::vector<std::string> StaleEntries(const std::string& folder,
                                      const std::function<bool(std::string_view)>& matches,
                                      bool folders, std::chrono::system_clock::time_point now,
                                      std::chrono::system_clock::duration age) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  const auto cutoff =
      std::chrono::duration_cast<std::chrono::nanoseconds>((now - age).time_since_epoch());
  std::vector<std::string> stale;
  for (const std::string& entry : ListDirectory(where)) {
    if (!matches(entry)) continue;
    std::string path = JoinPath(where, entry);
    struct stat st {};
    // lstat: a link is not followed, so nothing outside the folder is touched.
    if (::lstat(path.c_str(), &st) != 0 || !(folders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode))) {
      continue;
    }
    const std::chrono::nanoseconds modified =
        std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
    if (modified <= cutoff) stale.push_back(std::move(path));
  }
  return stale;
}

int RemoveStaleTemporaryFiles(const std::string& folder, std::string_view fileName,
                              std::chrono::system_clock::time_point now,
                              std::chrono::system_clock::duration age) {
  int removed = 0;
  const auto temporary = [fileName](std::string_view entry) {
    return IsTemporaryNameOf(entry, fileName);
  };
  for (const std::string& path : StaleEntries(folder, temporary, false, now, age)) {
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace vaticor
