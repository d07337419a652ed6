#include "library/folder_import.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <unordered_set>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "core/text_encoding.h"

namespace vaticor {
namespace {

// A folder's path as the tree may give it, with trailing separators, cut to
// end in the folder's name ("/" stays).
std::string_view WithoutTrailingSeparators(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == kPathSeparator) folder.remove_suffix(1);
  return folder;
}

// A value as the user is shown it: a control character (a NUL cut into a
// value, a tab) would show as nothing or break the line.
std::string Printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return shown;
}

// Whether a folder's own name is one plain name on every system the deck
// may have come from: on Windows "\" separates and "C:" is a drive, so such
// a name would put the target elsewhere there.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos &&
         !(name.size() >= 2 && name[1] == ':');
}

// What a sorted-out index gives: the values to look up, each with the key it
// came from, for the reason shown when it is refused.
struct IndexValue {
  std::string key;
  std::string value;
};

std::vector<std::string> KeyNames(const IniDocument& index, std::string_view section) {
  return FitIniNameList(index.KeyNames(section));
}

std::vector<IndexValue> DeckValues(const IniDocument& index) {
  std::vector<IndexValue> values;
  for (std::string& key : KeyNames(index, "Files")) {
    std::string value = index.Value("Files", key).value_or("");
    values.push_back({std::move(key), std::move(value)});
  }
  return values;
}

std::vector<IndexValue> DescriptionValues(const IniDocument& index) {
  std::vector<IndexValue> values;
  // A section named twice is read once: a small file naming one large
  // section thousands of times would otherwise ask for millions of copies.
  std::unordered_set<std::string> seen;
  for (const std::string& section : KeyNames(index, "Sections")) {
    if (!seen.insert(ToUpperText(section)).second) continue;
    for (std::string& key : KeyNames(index, section)) {
      std::string value = index.Value(section, key).value_or("");
      values.push_back({section + "/" + key, std::move(value)});
    }
  }
  return values;
}

// The path of an entry below the root, as IndexedFolder found it; empty for
// the root itself.
std::string BelowRoot(const std::string& root, const std::string& path) {
  return path.size() > root.size() ? path.substr(root.size() + 1) : std::string();
}

}  // namespace

std::string_view IndexFileName(ImportMode mode) {
  return mode == ImportMode::kDeck ? "deck.ini" : "description.ini";
}

std::string FolderOwnName(std::string_view folder) {
  folder = WithoutTrailingSeparators(folder);
  const std::size_t slash = folder.rfind(kPathSeparator);
  return std::string(slash == std::string_view::npos ? folder : folder.substr(slash + 1));
}

bool OffersImport(ImportMode mode, const std::string& folder, const std::string& targetFolder) {
  if (folder.empty() || !FileExists(JoinPath(folder, IndexFileName(mode)))) return false;
  return ParentPath(WithoutTrailingSeparators(folder)) != targetFolder;
}

ImportPlan PlanImport(ImportMode mode, const std::string& folder, const std::string& targetFolder) {
  ImportPlan plan;
  const std::string name = FolderOwnName(folder);
  if (!IsPlainName(name)) {
    plan.refused = 1;
    plan.firstRefusal =
        "\"" + Printable(name) + "\": the folder's name would lead out of the target folder";
    return plan;
  }
  plan.target = JoinPath(targetFolder, name);

  // The values' paths are cut below the folder's path (BelowRoot), which
  // must therefore end in its name.
  IndexedFolder source{std::string(WithoutTrailingSeparators(folder))};
  const std::string_view indexName = IndexFileName(mode);
  // Found as the window found it, exactly; a link to outside is not read.
  const IndexedFolder::Entry index = source.Find(indexName);
  if (index.path.empty()) {
    plan.refused = 1;
    plan.firstRefusal = std::string(indexName) + ": leads out of the folder";
    return plan;
  }
  if (!index.isFile || BelowRoot(source.Root(), index.path) != indexName) return plan;
  const std::optional<std::string> bytes = ReadFileBytes(index.path);
  if (!bytes) return plan;
  const IniDocument ini(*bytes);
  const std::vector<IndexValue> values =
      mode == ImportMode::kDeck ? DeckValues(ini) : DescriptionValues(ini);
  if (values.empty()) return plan;

  std::unordered_set<std::string> planned{std::string(indexName)};
  for (const IndexValue& entry : values) {
    if (entry.value.empty()) continue;
    const IndexedFolder::Entry found = source.Find(entry.value);
    if (found.path.empty()) {
      if (plan.refused++ == 0) {
        plan.firstRefusal =
            entry.key + " = " + Printable(entry.value) + ": leads out of the folder";
      }
      continue;
    }
    // Missing, or a folder: a deck may list files it does not ship, and the
    // lookups skip them too.
    if (!found.isFile) continue;
    std::string relative = BelowRoot(source.Root(), found.path);
    if (planned.insert(relative).second) plan.files.push_back({found.path, std::move(relative)});
  }
  plan.files.push_back({index.path, std::string(indexName)});
  return plan;
}

ImportOutcome RunImport(const ImportPlan& plan, const ImportProgress& progress,
                        const std::stop_token& stop) {
  ImportOutcome outcome;
  outcome.failed = plan.refused;
  outcome.firstFailure = plan.firstRefusal;
  if (plan.target.empty() || plan.files.empty()) return outcome;

  auto fail = [&outcome](std::string why) {
    if (outcome.failed++ == 0) outcome.firstFailure = std::move(why);
  };
  std::error_code ec;
  std::filesystem::create_directories(ParentPath(plan.target), ec);
  if (::mkdir(plan.target.c_str(), 0777) != 0 && errno != EEXIST) {
    fail(FolderOwnName(plan.target) +
         ": the folder cannot be made: " + std::system_category().message(errno));
    return outcome;
  }
  // A link named like the target could lead anywhere; CopyFileInto would
  // refuse each file, so say so once.
  struct stat st {};
  if (::lstat(plan.target.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    fail(FolderOwnName(plan.target) + ": is there already and is not a folder");
    return outcome;
  }

  const auto total = static_cast<std::int32_t>(plan.files.size());
  std::int32_t done = 0;
  bool indexCopied = false;
  if (progress) progress(done, total);
  for (const PlannedFile& file : plan.files) {
    if (stop.stop_requested()) {
      outcome.stopped = true;
      break;
    }
    const FileCopyResult result = CopyFileInto(file.source, plan.target, file.relative, stop);
    if (result.copied) {
      ++outcome.copied;
      indexCopied = &file == &plan.files.back();
    } else if (stop.stop_requested()) {
      outcome.stopped = true;
      break;
    } else {
      fail(file.relative + ": " + result.failure);
    }
    if (progress) progress(++done, total);
  }
  // The index is the plan's last file, so a deck is added only once the
  // files before it were tried.
  outcome.added = indexCopied;
  return outcome;
}

ImportOutcome ImportFolder(ImportMode mode, const std::string& folder,
                           const std::string& targetFolder, const ImportProgress& progress,
                           const std::stop_token& stop) {
  return RunImport(PlanImport(mode, folder, targetFolder), progress, stop);
}

}  // namespace vaticor
