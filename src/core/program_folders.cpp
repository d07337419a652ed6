#include "core/program_folders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"

namespace vaticor {

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgramName = "vaticor";

// An XDG base folder: the variable's value when it is a full path, else
// `fallback` below the home folder; empty without either.
std::string BaseFolder(const std::string& value, const std::string& home, const char* fallback) {
  if (!value.empty() && value.front() == kPathSeparator) return value;
  if (home.empty() || home.front() != kPathSeparator) return {};
  return JoinPath(home, fallback);
}

bool MakeFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return DirectoryExists(path);
}

}  // namespace

ProgramFolders FindProgramFolders(const std::string& programPath, const UserBaseFolders& user) {
  const std::string folder = ParentPath(programPath);
  ProgramFolders portable{false, folder, folder, folder};
  const std::size_t slash = folder.rfind(kPathSeparator);
  if (slash == std::string::npos || folder.substr(slash + 1) != "bin") return portable;
  if (DirectoryExists(JoinPath(folder, kPicturesFolderName))) return portable;
  const std::string content = JoinPath(ParentPath(folder), kInstalledContentFolder);
  if (!DirectoryExists(JoinPath(content, kPicturesFolderName))) return portable;
  const std::string config = BaseFolder(user.configHome, user.home, ".config");
  const std::string data = BaseFolder(user.dataHome, user.home, ".local/share");
  if (config.empty() || data.empty()) return portable;
  return {true, content, JoinPath(config, kProgramName), JoinPath(data, kProgramName)};
}

bool PrepareUserFolders(const ProgramFolders& folders) {
  if (!folders.installed) return true;
  const std::string spreads = JoinPath(folders.data, kSpreadsFolderName);
  const bool seedSpreads = !DirectoryExists(spreads);
  bool made = MakeFolder(folders.settings);
  made = MakeFolder(JoinPath(folders.data, kDecksFolderName)) && made;
  made = MakeFolder(JoinPath(folders.data, kDescriptionsFolderName)) && made;
  made = MakeFolder(spreads) && made;
  if (seedSpreads && DirectoryExists(spreads)) {
    const std::string samples = JoinPath(folders.content, kSpreadsFolderName);
    for (const std::string& name : ListDirectory(samples)) {
      if (name.starts_with('.')) continue;
      std::error_code ec;
      // Only plain files: nothing a link points at is copied.
      if (!fs::is_regular_file(fs::symlink_status(JoinPath(samples, name), ec))) continue;
      CopyFileInto(JoinPath(samples, name), spreads, name);
    }
  }
  return made;
}

std::vector<ListedFolder> LayeredFolders::List(const std::string& marker) {
  std::vector<ListedFolder> listed;
  sharedNames_.clear();
  for (const std::string* root : {&own_, &shared_}) {
    for (const std::string& name : ListDirectory(*root)) {
      if (name.starts_with('.')) continue;
      std::string path = JoinPath(*root, name);
      if (!FileExists(JoinPath(path, marker))) continue;
      const bool taken = std::any_of(listed.begin(), listed.end(),
                                     [&name](const ListedFolder& f) { return f.name == name; });
      if (taken) continue;
      if (root == &shared_) sharedNames_.push_back(name);
      listed.push_back({name, std::move(path)});
    }
  }
  std::stable_sort(listed.begin(), listed.end(),
                   [](const ListedFolder& a, const ListedFolder& b) { return a.name < b.name; });
  return listed;
}

std::string LayeredFolders::PathOf(const std::string& name) const {
  const bool shared =
      std::find(sharedNames_.begin(), sharedNames_.end(), name) != sharedNames_.end();
  return JoinPath(shared ? shared_ : own_, name);
}

}  // namespace vaticor
