#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// Adding a deck or a description set: the files of a folder chosen anywhere
// on disk are copied into a new folder of the program's decks folder (or
// descriptions folder) of the same name.
//
// The chosen folder and its index file come from anywhere. No value of the
// index reads or writes outside the chosen folder and the target: a value
// that leads out (".." above the folder, a root, a drive, a NUL, a link to
// outside; see IndexedFolder) is refused and counted as a failure, and the
// target is written only through CopyFileInto, which follows no link.

enum class ImportMode : std::uint8_t {
  kDeck = 1,            // index "deck.ini", into the decks folder
  kDescriptionSet = 2,  // index "description.ini", into the descriptions folder
};

// "deck.ini" or "description.ini".
std::string_view IndexFileName(ImportMode mode);

// The last component of a folder's path, trailing separators ignored
// ("/a/MyDeck/" gives "MyDeck"); empty for "/" or "".
std::string FolderOwnName(std::string_view folder);

// Whether the window offers to import `folder` into `targetFolder` (the
// decks or descriptions folder): the folder holds the mode's index file and
// its parent is not `targetFolder`, the two paths compared exactly, letter
// case counting. A pure check of paths and one existence test; any thread.
bool OffersImport(ImportMode mode, const std::string& folder, const std::string& targetFolder);

// One file to copy: from `source`, a regular file inside the chosen folder,
// to `relative` ("/"-separated names as found on disk) inside the target.
struct PlannedFile {
  std::string source;
  std::string relative;
};

struct ImportPlan {
  std::string target;  // targetFolder + "/" + the folder's own name; empty: refused
  // The files the index names that exist, each once, in index order, the
  // index file itself last; empty when the index lists nothing (no "Files"
  // keys, no "Sections" keys) or cannot be read, or the target is refused.
  std::vector<PlannedFile> files;
  // Index values that lead out of the chosen folder, refused, and why the
  // first of them was, to show the user. An index file that is a link out
  // of the folder, or a folder's name that is not one plain name (".", "..",
  // holding "\" or a NUL, or a drive "C:"), is one refusal and plans
  // nothing.
  std::int32_t refused = 0;
  std::string firstRefusal;
};

// Reads the mode's index file of `folder` with the INI rules (values up to
// 2,047 characters; only the key names that fit the 16,384-byte list) and
// plans the copy. "deck.ini": each value of "Files". "description.ini": each
// value of each section whose name is a key of "Sections". Empty values and
// values naming no file of the folder are skipped silently; "\" and "/" both
// separate, and a name missing as written is found without regard to letter
// case (IndexedFolder). Lists folders and reads the index; writes nothing.
ImportPlan PlanImport(ImportMode mode, const std::string& folder, const std::string& targetFolder);

struct ImportOutcome {
  // Whether anything was added: the index file reached the target. False
  // when the index lists nothing, the target is refused or cannot be made,
  // or the copy of the index failed or was stopped.
  bool added = false;
  std::int32_t copied = 0;
  // Refused entries and failed copies together; the reason of the first
  // ("Card05 = ..\x: leads out of the folder", "a.jpg: cannot be read: ...").
  std::int32_t failed = 0;
  std::string firstFailure;
  bool stopped = false;  // `stop` was requested before the end
};

// Called after each file, copied or not, with how many are done and the
// plan's total ("12 / 78"); first with (0, total). On the copying thread.
// An exception it raises ends the import and is passed on; no temporary
// file is open then.
using ImportProgress = std::function<void(std::int32_t done, std::int32_t total)>;

// Makes the target (and the targetFolder it lies in; an existing one is
// reused, its other files stay) and copies the plan's files into it, each
// through a temporary file (CopyFileInto): every file of the target is the
// old one or the whole new one, and no temporary file stays. A failed copy
// is counted and the next file tried. A stop requested through `stop` ends
// the copy at the next block; the index is then not copied.
//
// Keeps no state of its own: safe on a worker thread while the caller's
// thread goes on, one import at a time per target.
ImportOutcome RunImport(const ImportPlan& plan, const ImportProgress& progress = {},
                        const std::stop_token& stop = {});

// PlanImport, then RunImport.
ImportOutcome ImportFolder(ImportMode mode, const std::string& folder,
                           const std::string& targetFolder, const ImportProgress& progress = {},
                           const std::stop_token& stop = {});

}  // namespace vaticor
