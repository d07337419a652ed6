#pragma once

#include <memory>
#include <string>

class QWidget;

namespace vaticor {

class JournalStore;
class TLanguageTable;
class TTaroDecks;
struct TINIData;
class DateTimeFormat;

// Where the journal is opened from: the settings (the program's folder),
// the environment's data folder, the reading log to import once.
struct JournalOpening {
  const TINIData& settings;
  std::string logPath;  // the reading log's file
  const DateTimeFormat& logFormat;
  TTaroDecks& decks;  // names the imported readings' cards
  const TLanguageTable& languages;
};

// Opens the program's journal (beside the settings file, or in the user's
// data folder when the program's folder cannot be written), importing the
// reading log the first time. What the user is to hear of (a journal set
// aside, opened read-only, log lines skipped) is shown over `window` in the
// interface language. nullptr when no journal can be opened: the message
// says why, and the program goes on without one.
std::unique_ptr<JournalStore> OpenProgramJournal(const JournalOpening& opening, QWidget* window);

}  // namespace vaticor
