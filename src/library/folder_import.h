#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "library/open_deck.h"

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
// decks or descriptions folder): the folder holds the mode's index file, or
// (a deck, and no "deck.ini" at all) a "deck.toml" (a deck of the open
// format, library/open_deck.h), or pictures named by their cards
// (FindNumberedPictures: one at least, or two of one card, which the import
// then refuses); and its parent is not `targetFolder`, the two paths
// compared exactly, letter case counting. A check of paths, one existence
// test and for a folder without an index a listing of it; any thread.
bool OffersImport(ImportMode mode, const std::string& folder, const std::string& targetFolder);

// Whether the program's folder `targetFolder` already holds an entry (a
// folder, a file, a link) of `folder`'s own name, so that an import would
// take its place, and if so the name a copy beside it would get now
// (FreeFolderName; empty when none is free). A few looks at the disk; any
// thread.
struct ImportTargetName {
  bool taken = false;
  std::string beside;
};
ImportTargetName CheckImportTarget(const std::string& folder, const std::string& targetFolder);

// The first of "`name` (2)", "`name` (3)", ... up to "`name` (999)" for which
// `taken` says no; empty when all are taken. For a copy added beside an
// installed one of the same name.
std::string FreeFolderName(std::string_view name,
                           const std::function<bool(const std::string&)>& taken);

// Where the copy goes when the folder's own name is taken in the target.
enum class ImportPlacement : std::uint8_t {
  kNew,      // under the folder's own name, which must be free at the end
  kReplace,  // the whole new copy takes the place of what has that name
  kBeside,   // under the first free name "Name (2)", "Name (3)", ...
};

// Why a file or the whole import failed, for the window to say in the
// interface language; `subject` is what it concerns as the files have it
// ("Card05 = ..\x", "backs/b.jpg", "MyDeck"), shown unchanged.
enum class ImportFailureReason : std::uint8_t {
  kNone,
  kLeadsOut,          // an index value, or the index file, leads out of the folder
  kFolderName,        // the folder's own name would lead out of the target folder
  kCannotRead,        // a file of the folder cannot be read
  kCannotWrite,       // a copy cannot be written (or was refused on the way)
  kDiskFull,          // the disk (or the user's quota) is full
  kNoPermission,      // the system refused access (or the disk is read-only)
  kCannotMakeFolder,  // the new folder cannot be made in the target folder
  kCannotPutInPlace,  // the finished copy cannot take its place (or the name was taken)
  kNoFreeName,        // every name "Name (2)" to "Name (999)" is taken
  // Two pictures of a folder without deck.ini are named by the same card:
  // `subject` and `second` ("00.jpg", "major_arcana/00.png").
  kTwoPicturesOfOneCard,
  // The deck.toml of a folder without deck.ini cannot be used: `problem`,
  // `subject` its detail (a version, the parser's message).
  kOpenDeckUnusable,
  kUnexpected,  // anything else; `subject` is its own message
};
struct ImportFailure {
  ImportFailureReason reason = ImportFailureReason::kNone;
  std::string subject;
  std::string second{};                              // kTwoPicturesOfOneCard: the other file
  OpenDeckProblem problem = OpenDeckProblem::kNone;  // kOpenDeckUnusable
  bool operator==(const ImportFailure&) const = default;
};

// One file to copy: from `source`, a regular file inside the chosen folder,
// to `relative` ("/"-separated names as found on disk) inside the target.
struct PlannedFile {
  std::string source;
  std::string relative;
  // The bytes to write instead, with no `source`: the deck.ini made for a
  // folder that has none.
  std::optional<std::string> content{};
};

struct ImportPlan {
  // targetFolder + "/" + the folder's own name (or the free name beside
  // it); empty: refused
  std::string target;
  bool replace = false;  // the copy takes the place of what is at `target`
  // The files the index names that exist, each once, in index order, the
  // index file itself last; empty when the index lists nothing (no "Files"
  // keys, no "Sections" keys) or cannot be read, or the target is refused.
  std::vector<PlannedFile> files;
  // Index values that lead out of the chosen folder, refused, and the first
  // of them (kLeadsOut, "Card05 = ..\x"), to show the user. An index file
  // that is a link out of the folder, or a folder's name that is not one
  // plain name (".", "..", holding "\" or a NUL, or a drive "C:"), is one
  // refusal and plans nothing.
  std::int32_t refused = 0;
  ImportFailure firstRefusal;
  // A deck's non-empty "Files" values, and how many of them name no file of
  // the folder (a deck may ship without some of its pictures) or are
  // refused: the pictures the copy will lack. Zero for a description set.
  std::int32_t listed = 0;
  std::int32_t missing = 0;
  // The deck.ini is made (a folder of pictures named by their cards):
  // `listed` is then the cards of the deck's composition (22 or 78) and
  // `missing` those without a picture copied.
  bool madeIndex = false;
};

// Reads the mode's index file of `folder` with the INI rules (values up to
// 2,047 characters; only the key names that fit the 16,384-byte list) and
// plans the copy. "deck.ini": each value of "Files". "description.ini": each
// value of each section whose name is a key of "Sections". Empty values and
// values naming no file of the folder are skipped (and counted for a deck);
// "\" and "/" both separate, and a name missing as written is found without
// regard to letter case (IndexedFolder). With kBeside the target's name is
// the free one (FreeFolderName) as the target folder is now; kNoFreeName
// when there is none. Lists folders and reads the index; writes nothing.
//
// A deck folder without any "deck.ini" is planned from its pictures named
// by their cards (FindNumberedPictures): each copied as named on disk, and
// last a deck.ini made for them (MakeDeckIni) with the folder's own name
// for the deck's, each card its number (its identity) and its common name
// in `language` (CommonCardName; English for a language without them, the
// deck's language then said to be English). Two pictures of one card plan
// nothing and are the refusal (kTwoPicturesOfOneCard); a picture that is a
// link leading out of the folder is refused (kLeadsOut) and missing. One
// holding a "deck.toml" is read by ReadOpenDeck in `language` and planned
// as PlanOpenDeckImport plans it.
ImportPlan PlanImport(ImportMode mode, const std::string& folder, const std::string& targetFolder,
                      ImportPlacement placement = ImportPlacement::kNew,
                      std::string_view language = {});

// The plan of a deck folder holding a deck of the open format (and no
// deck.ini) as `deck` gives it, its names read in `language`: the whole
// folder, every file of it (a link leading out of it refused), and last a
// deck.ini made for the deck's cards (MakeDeckIni: the deck's own name,
// `language`, each card's name as read and the picture for
// kImportedCardHeight). A deck.toml that cannot be used plans nothing and
// is the refusal (kOpenDeckUnusable with its problem); a deck without cards
// plans nothing.
ImportPlan PlanOpenDeckImport(const std::string& folder, const std::string& targetFolder,
                              const OpenDeck& deck,
                              ImportPlacement placement = ImportPlacement::kNew,
                              std::string_view language = {});

struct ImportOutcome {
  // Whether anything was added: the copy, index file and all, took its
  // place. False when the index lists nothing, the target is refused or
  // cannot be made, the copy of the index failed, the copy was stopped, or
  // (replacing) any file failed: the installed one then stays as it was.
  bool added = false;
  std::int32_t copied = 0;
  // Refused entries and failed copies together; the reason of the first.
  std::int32_t failed = 0;
  ImportFailure firstFailure;
  bool stopped = false;  // `stop` was requested before the end
  std::string target;    // where the copy went (the plan's target)
  // The plan's count of a deck's listed pictures and of those missing.
  std::int32_t listed = 0;
  std::int32_t missing = 0;
  bool madeIndex = false;  // the plan's
};

// Called after each file, copied or not, with how many are done and the
// plan's total ("12 / 78"); first with (0, total). On the copying thread.
// An exception it raises ends the import and is passed on; no temporary
// file is open then.
using ImportProgress = std::function<void(std::int32_t done, std::int32_t total)>;

// Copies the plan's files into a new hidden folder beside the target
// (".<name>.<16 hex digits>.import" in the target folder, made with the
// target folder if that is missing), each through a temporary file
// (CopyFileInto, or WriteFileInto for a made index), the index file last, and then puts that folder
// in the target's place: as a new folder, which must not exist then (kNew, kBeside), or
// (`plan.replace`) swapped with what is there, which is then removed, its index file first. So the
// target is always the old deck (or set, or nothing) or the whole new copy, never a mixture; a
// stop, or when replacing a failed copy, leaves it as it was and removes the hidden folder. A
// failed copy is counted and the next file tried. Such hidden folders of the same target that a
// killed import left, unchanged for kStaleTemporaryFileAge (core/file_io.h), are removed first.
//
// Keeps no state of its own: safe on a worker thread while the caller's
// thread goes on, one import at a time per target.
ImportOutcome RunImport(const ImportPlan& plan, const ImportProgress& progress = {},
                        const std::stop_token& stop = {});

// PlanImport, then RunImport.
ImportOutcome ImportFolder(ImportMode mode, const std::string& folder,
                           const std::string& targetFolder,
                           ImportPlacement placement = ImportPlacement::kNew,
                           const ImportProgress& progress = {}, const std::stop_token& stop = {},
                           std::string_view language = {});

}  // namespace vaticor
