#pragma once

#include <string>
#include <string_view>

#include "core/indexed_folder.h"
#include "library/folder_import.h"
#include "library/open_deck.h"

namespace vaticor {

// The parts of PlanImport (library/folder_import.h) for a deck folder
// without deck.ini, whose deck.ini the import makes, and what they share
// with the rest of it.

// A value from a folder as the user is shown it: a control character (a NUL
// cut into a value, a tab) would show as nothing or break the line, and is
// shown as "?".
std::string ShownImportValue(std::string_view text);

// The path of an entry below `root`, as IndexedFolder found it; empty for
// the root itself.
std::string PathBelowRoot(const std::string& root, const std::string& path);

// Plans the folder `source`, whose pictures are named by their cards, into
// `plan` (its target already set): see PlanImport.
void PlanNumberedPictures(ImportPlan& plan, IndexedFolder& source, std::string_view language);

// Plans the folder `source` holding the deck of the open format `deck` (as
// ReadOpenDeck read it in `language`) into `plan` (its target already set):
// see PlanOpenDeckImport.
void PlanOpenDeckFolder(ImportPlan& plan, IndexedFolder& source, const OpenDeck& deck,
                        std::string_view language);

}  // namespace vaticor
