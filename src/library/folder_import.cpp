#include "library/folder_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>  // renameat2
#include <filesystem>
#include <optional>
#include <random>
#include <unordered_set>

#include "core/file_io.h"
#include "core/indexed_folder.h"
#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "library/deck_folder_plans.h"
#include "library/numbered_pictures.h"

namespace vaticor {
namespace {

// The index of a deck of the open format.
constexpr std::string_view kOpenDeckIndexName = "deck.toml";

// A folder's path as the tree may give it, with trailing separators, cut to
// end in the folder's name ("/" stays).
std::string_view WithoutTrailingSeparators(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == kPathSeparator) folder.remove_suffix(1);
  return folder;
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

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The name beside `name` that nothing in `targetFolder` has.
std::string FreeNameIn(const std::string& targetFolder, const std::string& name) {
  return FreeFolderName(name, [&](const std::string& candidate) {
    return Exists(JoinPath(targetFolder, candidate));
  });
}

// The system's error number in the words the window has for it; `otherwise`
// for an error it has no words of its own for.
ImportFailureReason ReasonForError(int error, ImportFailureReason otherwise) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ImportFailureReason::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return ImportFailureReason::kNoPermission;
    default:
      return otherwise;
  }
}

// A copy's failure in the words the window has for it.
ImportFailureReason CopyFailureReason(const FileCopyResult& result) {
  return ReasonForError(result.error, result.reading ? ImportFailureReason::kCannotRead
                                                     : ImportFailureReason::kCannotWrite);
}

// A hidden name beside `target` in its folder, for the copy being made or
// the old one being removed: ".<name>.<16 hex digits>.<what>"; the program's
// lists skip a folder without its index file, and these have none but for
// the moment a finished copy takes its place.
std::string HiddenBeside(const std::string& target, std::string_view what) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::random_device random;
  std::string name = "." + FolderOwnName(target) + ".";
  for (int i = 0; i < 16; ++i) name += kHex[random() % 16];
  return JoinPath(ParentPath(target), name + "." + std::string(what));
}

// Renames `from` to `to` only when nothing is at `to`.
bool RenameToFree(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  // A file system without the flag: the same, with a moment's race.
  if (errno != EINVAL || Exists(to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// Puts the finished copy `copy` in place of `target`, which exists: either
// whole, or nothing changed. Returns where the old one is now, to be
// removed; empty when nothing changed.
std::string SwapInto(const std::string& copy, const std::string& target) {
  if (::renameat2(AT_FDCWD, copy.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
    return copy;
  }
  if (errno != EINVAL) return {};
  // No atomic exchange on this file system: the old one steps aside first,
  // and comes back if the new one cannot take its place.
  const std::string old = HiddenBeside(target, "old");
  if (!RenameToFree(target, old)) return {};
  if (RenameToFree(copy, target)) return old;
  // The old one back in its place; where that fails, under a name beside
  // it that the lists show and no clean-up takes for a leftover.
  if (!RenameToFree(old, target)) {
    RenameToFree(
        old, JoinPath(ParentPath(target), FreeNameIn(ParentPath(target), FolderOwnName(target))));
  }
  return {};
}

// Removes a folder made or replaced by an import: its index file first, so
// that what a failure leaves is never taken for a deck. An installed deck
// may be a link to a folder of the user's own: the link goes, and nothing
// it leads to.
void RemoveImportFolder(const std::string& folder, std::string_view indexName) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return;
  if (!S_ISDIR(st.st_mode)) {
    ::unlink(folder.c_str());
    return;
  }
  const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (directory >= 0) {
    ::unlinkat(directory, std::string(indexName).c_str(), 0);
    ::close(directory);
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);  // links are removed, not followed
}

// Whether `entry` is a name HiddenBeside gives for the target named `name`.
bool IsHiddenNameOf(std::string_view entry, std::string_view name) {
  const std::string prefix = "." + std::string(name) + ".";
  if (!entry.starts_with(prefix)) return false;
  entry.remove_prefix(prefix.size());
  if (entry.size() < 17 || entry[16] != '.') return false;
  for (char c : entry.substr(0, 16)) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  const std::string_view what = entry.substr(17);
  return what == "import" || what == "old";
}

// Removes the hidden folders an import killed part-way (the program's end
// by force, a crash) left beside `target`: those unchanged for
// kStaleTemporaryFileAge, so that another copy of the program still at work
// on one keeps it.
void RemoveStaleImportFolders(const std::string& target, std::string_view indexName) {
  const std::string name = FolderOwnName(target);
  const auto hidden = [&name](std::string_view entry) { return IsHiddenNameOf(entry, name); };
  for (const std::string& path :
       StaleEntries(ParentPath(target), hidden, true, std::chrono::system_clock::now(),
                    kStaleTemporaryFileAge)) {
    RemoveImportFolder(path, indexName);
  }
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

ImportTargetName CheckImportTarget(const std::string& folder, const std::string& targetFolder) {
  ImportTargetName result;
  const std::string name = FolderOwnName(folder);
  result.taken = !name.empty() && Exists(JoinPath(targetFolder, name));
  if (result.taken) {
    result.beside = FreeNameIn(targetFolder, name);
  }
  return result;
}

std::string FreeFolderName(std::string_view name,
                           const std::function<bool(const std::string&)>& taken) {
  for (int number = 2; number <= 999; ++number) {
    std::string candidate = std::string(name) + " (" + std::to_string(number) + ")";
    if (!taken(candidate)) return candidate;
  }
  return {};
}

bool OffersImport(ImportMode mode, const std::string& folder, const std::string& targetFolder) {
  if (folder.empty() || ParentPath(WithoutTrailingSeparators(folder)) == targetFolder) {
    return false;
  }
  const std::string index = JoinPath(folder, IndexFileName(mode));
  if (FileExists(index)) return true;
  if (mode != ImportMode::kDeck || Exists(index)) return false;
  if (FileExists(JoinPath(folder, kOpenDeckIndexName))) return true;
  const NumberedPictures pictures = FindNumberedPictures(folder);
  return pictures.found > 0 || !pictures.clash.empty();
}

namespace {

// A plan with its target, or with the refusal of it.
ImportPlan PlanTarget(const std::string& folder, const std::string& targetFolder,
                      ImportPlacement placement) {
  ImportPlan plan;
  const std::string name = FolderOwnName(folder);
  if (!IsPlainName(name)) {
    plan.refused = 1;
    plan.firstRefusal = {ImportFailureReason::kFolderName, ShownImportValue(name)};
    return plan;
  }
  std::string targetName = name;
  if (placement == ImportPlacement::kBeside) {
    targetName = FreeNameIn(targetFolder, name);
    if (targetName.empty()) {
      plan.refused = 1;
      plan.firstRefusal = {ImportFailureReason::kNoFreeName, name};
      return plan;
    }
  }
  plan.target = JoinPath(targetFolder, targetName);
  plan.replace = placement == ImportPlacement::kReplace;
  return plan;
}

}  // namespace

ImportPlan PlanOpenDeckImport(const std::string& folder, const std::string& targetFolder,
                              const OpenDeck& deck, ImportPlacement placement,
                              std::string_view language) {
  ImportPlan plan = PlanTarget(folder, targetFolder, placement);
  if (plan.target.empty()) return plan;
  IndexedFolder source{std::string(WithoutTrailingSeparators(folder))};
  PlanOpenDeckFolder(plan, source, deck, language);
  return plan;
}

ImportPlan PlanImport(ImportMode mode, const std::string& folder, const std::string& targetFolder,
                      ImportPlacement placement, std::string_view language) {
  ImportPlan plan = PlanTarget(folder, targetFolder, placement);
  if (plan.target.empty()) return plan;

  // The values' paths are cut below the folder's path (PathBelowRoot), which
  // must therefore end in its name.
  IndexedFolder source{std::string(WithoutTrailingSeparators(folder))};
  const std::string_view indexName = IndexFileName(mode);
  if (mode == ImportMode::kDeck && !Exists(JoinPath(source.Root(), indexName))) {
    if (Exists(JoinPath(source.Root(), kOpenDeckIndexName))) {
      PlanOpenDeckFolder(plan, source, ReadOpenDeck(source.Root(), language), language);
    } else {
      PlanNumberedPictures(plan, source, language);
    }
    return plan;
  }
  // Found as the window found it, exactly; a link to outside is not read.
  const IndexedFolder::Entry index = source.Find(indexName);
  if (index.path.empty()) {
    plan.refused = 1;
    plan.firstRefusal = {ImportFailureReason::kLeadsOut, std::string(indexName)};
    return plan;
  }
  if (!index.isFile || PathBelowRoot(source.Root(), index.path) != indexName) return plan;
  const std::optional<std::string> bytes = ReadFileBytes(index.path);
  if (!bytes) return plan;
  const IniDocument ini(*bytes);
  const std::vector<IndexValue> values =
      mode == ImportMode::kDeck ? DeckValues(ini) : DescriptionValues(ini);
  if (values.empty()) return plan;

  std::unordered_set<std::string> planned{std::string(indexName)};
  const bool deck = mode == ImportMode::kDeck;
  for (const IndexValue& entry : values) {
    if (entry.value.empty()) continue;
    plan.listed += deck;
    const IndexedFolder::Entry found = source.Find(entry.value);
    if (found.path.empty()) {
      plan.missing += deck;  // it will not be in the copy either
      if (plan.refused++ == 0) {
        plan.firstRefusal = {ImportFailureReason::kLeadsOut,
                             entry.key + " = " + ShownImportValue(entry.value)};
      }
      continue;
    }
    // Missing, or a folder: a deck may list files it does not ship, and the
    // lookups skip them too; the user hears how many.
    if (!found.isFile) {
      plan.missing += deck;
      continue;
    }
    std::string relative = PathBelowRoot(source.Root(), found.path);
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
  outcome.target = plan.target;
  outcome.listed = plan.listed;
  outcome.missing = plan.missing;
  outcome.madeIndex = plan.madeIndex;
  if (plan.target.empty() || plan.files.empty()) return outcome;

  auto fail = [&outcome](ImportFailureReason reason, std::string subject) {
    if (outcome.failed++ == 0) outcome.firstFailure = {reason, std::move(subject)};
  };
  const std::string targetName = FolderOwnName(plan.target);
  const std::string indexName = FolderOwnName(plan.files.back().relative);
  std::error_code ec;
  std::filesystem::create_directories(ParentPath(plan.target), ec);
  RemoveStaleImportFolders(plan.target, indexName);
  // The copy is made aside and put in place whole, so the target is never
  // a mixture of an old deck and a new one.
  std::string copy;
  for (int attempt = 0; attempt < 8 && copy.empty(); ++attempt) {
    copy = HiddenBeside(plan.target, "import");
    if (::mkdir(copy.c_str(), 0777) != 0) {
      const int error = errno;
      copy.clear();
      if (error == EEXIST) continue;
      fail(ReasonForError(error, ImportFailureReason::kCannotMakeFolder), targetName);
      return outcome;
    }
  }
  if (copy.empty()) {
    fail(ImportFailureReason::kCannotMakeFolder, targetName);
    return outcome;
  }

  const auto total = static_cast<std::int32_t>(plan.files.size());
  std::int32_t done = 0;
  std::int32_t copyFailures = 0;
  bool indexCopied = false;
  if (progress) progress(done, total);
  for (const PlannedFile& file : plan.files) {
    if (stop.stop_requested()) {
      outcome.stopped = true;
      break;
    }
    const FileCopyResult result = file.content
                                      ? WriteFileInto(*file.content, copy, file.relative)
                                      : CopyFileInto(file.source, copy, file.relative, stop);
    if (result.copied) {
      ++outcome.copied;
      indexCopied = &file == &plan.files.back();
    } else if (stop.stop_requested()) {
      outcome.stopped = true;
      break;
    } else {
      ++copyFailures;
      fail(CopyFailureReason(result), file.relative);
    }
    if (progress) progress(++done, total);
  }

  // The index is the plan's last file, so a deck is added only once the
  // files before it were tried. What replaces an installed one must be
  // whole: a file that failed keeps the old one.
  bool placed = false;
  if (indexCopied && !(plan.replace && copyFailures > 0)) {
    if (plan.replace && Exists(plan.target)) {
      const std::string old = SwapInto(copy, plan.target);
      placed = !old.empty();
      if (placed) RemoveImportFolder(old, indexName);
    } else {
      placed = RenameToFree(copy, plan.target);
    }
    if (!placed) fail(ImportFailureReason::kCannotPutInPlace, targetName);
  }
  if (!placed) {
    RemoveImportFolder(copy, indexName);
    outcome.copied = 0;
  }
  outcome.added = placed;
  return outcome;
}

ImportOutcome ImportFolder(ImportMode mode, const std::string& folder,
                           const std::string& targetFolder, ImportPlacement placement,
                           const ImportProgress& progress, const std::stop_token& stop,
                           std::string_view language) {
  return RunImport(PlanImport(mode, folder, targetFolder, placement, language), progress, stop);
}

}  // namespace vaticor
