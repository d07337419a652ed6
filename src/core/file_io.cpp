#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

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

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
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
  std::string bytes;
  bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(st.st_size)));
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

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
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
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", random(), random());
    // Kept short enough that the temporary name is a valid file name.
    temp = JoinPath(folder, "." + name.substr(0, 200) + suffix);
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (rawFd < 0 && errno != EEXIST && errno != EINTR) return false;
  }
  FileDescriptor fd(rawFd);
  if (!fd.valid()) return false;

  bool ok = WriteAll(fd.get(), bytes);
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

std::string ResolveIndexedPath(const std::string& baseFolder, std::string_view relative) {
  std::string current = baseFolder;
  std::vector<std::size_t> added;  // where each component added so far begins
  std::size_t pos = 0;
  while (pos <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == ".." && !added.empty()) {
      current.resize(added.back());
      added.pop_back();
      continue;
    }
    std::string name(part);
    std::string candidate = JoinPath(current, name);
    std::error_code ec;
    if (part != ".." && !fs::exists(fs::symlink_status(candidate, ec))) {
      const std::string folder = current.empty() ? std::string(".") : current;
      const std::vector<std::string> entries = ListDirectory(folder);
      const std::string* match = nullptr;
      int matches = 0;
      for (const std::string& entry : entries) {
        if (EqualsIgnoreCase(entry, name)) {
          match = &entry;
          ++matches;
        }
      }
      // Several entries that differ only in case could not sit side by side
      // where the file was made, so none of them is the one it meant.
      if (matches == 1) candidate = JoinPath(current, *match);
    }
    if (part != "..") added.push_back(current.size());
    current = std::move(candidate);
  }
  return current;
}

}  // namespace vaticor
