#pragma once

#include <QObject>
#include <string>
#include <thread>

namespace vaticor {

class JournalKeeper;
class SqliteJournal;
class TJournalForm;
class TLanguageTable;

// The journal's file commands in the journal window's menu: the list shown
// (the whole journal when nothing filters it) exported as JSON or CSV, the
// journal backed up to one file, and restored from such a file after a
// safety copy of the journal as it is.
//
// An export reads the journal through a connection of its own on a thread
// of its own (100,000 readings take seconds), the window staying usable; a
// second export asked meanwhile waits for the first. A backup and a restore
// (well under a second) run on the window's thread. Every failure shows
// over the window in the interface language.
class JournalFileCommands : public QObject {
  Q_OBJECT
 public:
  // Adds the commands to the window's set and menu. `journal` is the
  // keeper's store, open on `path`.
  JournalFileCommands(TJournalForm& window, JournalKeeper& keeper, SqliteJournal& journal,
                      const TLanguageTable& languages);
  ~JournalFileCommands() override;
  void ApplyLanguage();  // the commands' captions in the interface language

 private:
  void Export(bool json);
  void Backup();
  void Restore();
  // On the window's thread, when an export has ended.
  void ExportEnded(const QString& message, bool failed);

  TJournalForm& window_;
  JournalKeeper& keeper_;
  SqliteJournal& journal_;
  const TLanguageTable& languages_;
  std::jthread exporting_;
};

}  // namespace vaticor
