#include "core/indexed_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "core/file_io.h"
#include "core/text_encoding.h"

namespace fs = std::filesystem;

namespace vaticor {

namespace {

// What a folder's listing tells of an entry; links are not followed.
enum class EntryKind : std::uint8_t { kMissing, kFile, kFolder, kLink, kOther };

EntryKind KindOf(fs::file_type type) {
  switch (type) {
    case fs::file_type::regular:
      return EntryKind::kFile;
    case fs::file_type::directory:
      return EntryKind::kFolder;
    case fs::file_type::symlink:
      return EntryKind::kLink;
    case fs::file_type::none:
    case fs::file_type::not_found:
      return EntryKind::kMissing;
    default:
      return EntryKind::kOther;
  }
}

// The entry a component of an indexed path stands for.
struct Located {
  std::string name;
  EntryKind kind = EntryKind::kMissing;
};

// What the listing says an entry is; a file system that does not say is
// asked.
EntryKind KindOf(DIR* folder, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:
      return EntryKind::kLink;
    case DT_UNKNOWN:
      break;
    default:
      return EntryKind::kOther;
  }
  struct stat st {};
  if (::fstatat(::dirfd(folder), entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
    return EntryKind::kMissing;  // gone since it was listed
  }
  if (S_ISREG(st.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  if (S_ISLNK(st.st_mode)) return EntryKind::kLink;
  return EntryKind::kOther;
}

// One folder's entries, found by name as written and by name in upper case.
class FolderIndex {
 public:
  // Read with readdir() rather than std::filesystem, which asks the file
  // system for each entry's type the listing already gives: in a folder of
  // thousands of pictures that is most of the time.
  explicit FolderIndex(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            &::closedir);
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir.get())) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const EntryKind kind = KindOf(dir.get(), *entry);
      auto [slot, fresh] = byUpperName_.try_emplace(ToUpperText(name), name);
      // Several entries that differ only in case could not sit side by side
      // where the file was made, so none of them is the one it meant.
      if (!fresh) slot->second.clear();
      byName_.emplace(std::move(name), kind);
    }
  }

  // The entry named as written when there is one, otherwise the only entry
  // whose name differs in letter case alone; otherwise the name as written,
  // missing.
  Located Locate(const std::string& name) const {
    if (auto it = byName_.find(name); it != byName_.end()) return {name, it->second};
    if (auto it = byUpperName_.find(ToUpperText(name));
        it != byUpperName_.end() && !it->second.empty()) {
      return {it->second, byName_.at(it->second)};
    }
    return {name, EntryKind::kMissing};
  }

 private:
  std::unordered_map<std::string, EntryKind> byName_;
  // The one entry with this upper-cased name; empty when several have it.
  std::unordered_map<std::string, std::string> byUpperName_;
};

struct WalkedPath {
  std::string path;
  EntryKind kind = EntryKind::kFolder;
};

// A Windows path that starts from a root or a drive rather than from the
// folder of the index file.
bool StartsFromARoot(std::string_view value) {
  if (!value.empty() && (value[0] == '/' || value[0] == '\\')) return true;
  if (value.size() < 2 || value[1] != ':') return false;
  const char c = value[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Walks `relative` from `base` one component at a time: "\" and "/" both
// separate, "." and empty components are skipped, ".." goes back a
// component, and `locate(folder, name)` finds each other one. Loose, ".."
// above `base` stays in the path and whatever `locate` finds is taken.
// Confined, anything that leads out of `base` gives nullopt, and each link
// is replaced by what `follow(path)` says it reaches (nullopt: outside).
template <typename Locate, typename Follow>
std::optional<WalkedPath> WalkIndexedPath(const std::string& base, std::string_view relative,
                                          bool confined, Locate&& locate, Follow&& follow) {
  if (confined && (StartsFromARoot(relative) || relative.find('\0') != std::string_view::npos)) {
    return std::nullopt;
  }
  WalkedPath current{base, EntryKind::kFolder};
  // Where each component added so far begins, and what the path was before.
  struct Added {
    std::size_t begin;
    EntryKind before;
  };
  std::vector<Added> added;
  std::size_t pos = 0;
  while (pos <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!added.empty()) {
        current.path.resize(added.back().begin);
        current.kind = added.back().before;
        added.pop_back();
        continue;
      }
      if (confined) return std::nullopt;
      // Above the base folder ".." stays in the path, which keeps it right
      // when the base is reached through a link.
      current.path = JoinPath(current.path, part);
      continue;
    }
    Located found = locate(current.path, std::string(part));
    if (found.kind == EntryKind::kLink && confined) {
      const std::optional<EntryKind> reached = follow(JoinPath(current.path, found.name));
      if (!reached) return std::nullopt;
      found.kind = *reached;
    }
    added.push_back({current.path.size(), current.kind});
    current.path = JoinPath(current.path, found.name);
    current.kind = found.kind;
  }
  return current;
}

// True when `path` is `folder` or lies under it; both canonical.
bool IsWithin(const fs::path& folder, const fs::path& path) {
  if (folder.empty()) return false;
  return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
         folder.end();
}

}  // namespace

std::string ResolveIndexedPath(const std::string& baseFolder, std::string_view relative) {
  auto locate = [](const std::string& folder, const std::string& name) -> Located {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(JoinPath(folder, name), ec);
    if (fs::exists(status)) return {name, KindOf(status.type())};
    return FolderIndex(folder).Locate(name);
  };
  auto follow = [](const std::string&) { return std::optional<EntryKind>(); };
  return WalkIndexedPath(baseFolder, relative, false, locate, follow)->path;
}

struct IndexedFolder::Listings {
  // The folders listed so far, by their path as walked.
  std::unordered_map<std::string, FolderIndex> folders;
  // What each link met so far reaches; nullopt when that is outside the
  // folder or nothing.
  std::unordered_map<std::string, std::optional<EntryKind>> links;
  std::optional<fs::path> canonicalRoot;  // found when the first link is met
};

IndexedFolder::IndexedFolder(std::string root)
    : root_(std::move(root)), listings_(std::make_unique<Listings>()) {
  if (!root_.empty()) listings_->folders.emplace(root_, FolderIndex(root_));
}
IndexedFolder::~IndexedFolder() = default;
IndexedFolder::IndexedFolder(IndexedFolder&&) noexcept = default;
IndexedFolder& IndexedFolder::operator=(IndexedFolder&&) noexcept = default;

IndexedFolder::Entry IndexedFolder::Find(std::string_view value) {
  if (root_.empty() || !listings_) return {};
  Listings& listings = *listings_;
  auto locate = [&listings](const std::string& folder, const std::string& name) {
    auto it = listings.folders.find(folder);
    if (it == listings.folders.end()) {
      it = listings.folders.emplace(folder, FolderIndex(folder)).first;
    }
    return it->second.Locate(name);
  };
  auto follow = [&](const std::string& link) -> std::optional<EntryKind> {
    auto [slot, fresh] = listings.links.try_emplace(link);
    if (!fresh) return slot->second;
    std::error_code ec;
    if (!listings.canonicalRoot) {
      fs::path root = fs::canonical(root_, ec);
      listings.canonicalRoot = ec ? fs::path() : std::move(root);
    }
    // canonical() fails for a link to nothing and for a loop of links.
    const fs::path target = fs::canonical(link, ec);
    if (!ec && IsWithin(*listings.canonicalRoot, target)) {
      slot->second = KindOf(fs::status(target, ec).type());
    }
    return slot->second;
  };
  std::optional<WalkedPath> walked = WalkIndexedPath(root_, value, true, locate, follow);
  if (!walked) return {};
  return {std::move(walked->path), walked->kind == EntryKind::kFile};
}

}  // namespace vaticor
