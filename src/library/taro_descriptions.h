#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/indexed_folder.h"
#include "core/ini_file.h"
#include "core/program_folders.h"

namespace vaticor {

// The installed description sets. A set is a sub-folder of the descriptions
// folder holding a "description.ini" whose "Sections" section lists the
// set's sections by key name; each of those sections names a document per
// card number ("Card00", ...). Sets are independent of decks: cards are
// matched by card number.
//
// description.ini is read when a document is asked for. The set's folder is
// listed when the set is selected (SelectDescription, LoadDescriptions), and
// each sub-folder its values pass through when first needed; the listings
// are kept until the next selection, so a document added or removed
// meanwhile counts from the next selection. description.ini may come from
// anywhere: a value that leads out of the set's folder (see IndexedFolder)
// names no document.
class TTaroDescriptions {
 public:
  explicit TTaroDescriptions(std::string descriptionsFolder);

  std::int32_t Index = -1;            // current set, -1 when there is none
  vaticor::IniFile IniFile;           // the current set's description.ini
  std::vector<std::string> Sections;  // key names of its "Sections", in file order
  std::int32_t Count = 0;
  std::vector<std::string> Folders;       // folder names, in listing order
  std::vector<std::string> DisplayNames;  // parallel to Folders
  // Parallel to Folders: each one's kContentLanguageKey, empty when unset.
  std::vector<std::string> Languages;

  // The installed program's own sets, read only: listed with the
  // descriptions folder's by name, a set of the same folder name in the
  // descriptions folder standing in for the shared one. None by default;
  // counts from the next LoadDescriptions.
  void SetSharedFolder(std::string folder) { folders_.SetShared(std::move(folder)); }
  // Rebuilds the list (sorted by name) and selects the first set, or none.
  void LoadDescriptions();
  // Selects a set: -1 (only with no sets) or 0 .. Count - 1. A position
  // below 0 while sets exist selects the first.
  void SelectDescription(std::int32_t index);
  std::int32_t CurrentDescription() const { return Index; }
  // Full path of a set's description.ini, or empty text.
  std::string GetDescriptionIniName(std::int32_t index) const;
  // Full path of the existing document of a card number in a section of the
  // current set, or empty text (also for a value that leads out of the set's
  // folder).
  std::string GetCardTextFileName(std::int32_t number, std::int32_t section);

 private:
  LayeredFolders folders_;   // the descriptions folder and the shared one
  IndexedFolder documents_;  // the current set's folder, listed at selection
};

}  // namespace vaticor
