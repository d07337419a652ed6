#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "library/journal.h"

class QTimer;
class QWidget;

namespace vaticor {

struct ProgramState;
class TLanguageTable;

// The one owner of the reading journal in the window layer. It holds the
// store once the program has opened it (after the main window's first
// paint; until then, and when it could not be opened, IsOpen() is false and
// a reading is simply not recorded), makes every write, and announces each
// change; windows follow the signals instead of asking again.
//
// Writes raise what the store raises (WriteFailure, JournalFault): the
// command that wrote catches it and shows it (RunCommand). Nothing is
// announced for a write that failed.
class JournalKeeper : public QObject {
  Q_OBJECT
 public:
  explicit JournalKeeper(QObject* parent = nullptr);
  ~JournalKeeper() override;

  // The store from now on (the program's SQLite journal; tests give the
  // in-memory one). Announces opened().
  void Attach(std::unique_ptr<JournalStore> store);
  bool IsOpen() const { return store_ != nullptr; }
  // For reading (List, Count, Get, AllTags); nullptr until attached.
  const JournalStore* Store() const { return store_.get(); }
  // True while the journal cannot be written (a read-only file, a newer
  // version's journal) or is not open: recording commands are off.
  bool ReadOnly() const { return !store_ || store_->ReadOnly(); }

  // Stores a new entry (its moment and tags as given) and announces it;
  // returns its id. Not open: records nothing and returns 0.
  std::int64_t Add(const JournalEntry& entry);
  // Replaces a stored entry and announces it; false when it is gone.
  bool Update(const JournalEntry& entry);
  // Removes an entry and announces it; returns the entry as it was, for an
  // undo (Add it again: it comes back with a new id); nullopt when gone.
  std::optional<JournalEntry> Remove(std::int64_t id);
  // Keeps the reader's meaning of a card (an empty one removes it) and
  // announces it; false when the journal is not open.
  bool SetReaderMeaning(const ReaderMeaning& meaning);
  // The journal's whole content was replaced (a restore from a backup):
  // every window reads it again.
  void AnnounceReplaced() { emit replaced(); }

 signals:
  void opened();
  void entryAdded(qint64 id);
  void entryChanged(qint64 id);
  void entryRemoved(qint64 id);
  // The reader's meaning of the card of this identity (0 - 77) changed.
  void readerMeaningChanged(int identity);
  void replaced();

 private:
  // After a write, the store's idle work once writes have paused.
  void TidySoon();

  std::unique_ptr<JournalStore> store_;
  QTimer* tidy_ = nullptr;  // a child
};

// The moment now, local time, as the journal writes it.
std::string JournalMomentNow();

// Runs a command that writes to the journal as RunCommand does, a fault of
// the journal's file (JournalFault) worded in the interface language.
void RunJournalCommand(QWidget* window, const TLanguageTable& languages,
                       const std::function<void()>& command);

// Records a main-window draw (the values as logged; the question when it
// came from the question window) with the deck and description set in use,
// when the journal is open and can be written. A failure is shown over
// `window`; the draw stands either way.
void RecordDraw(ProgramState& state, std::span<const int> values, const std::string& question,
                QWidget* window);

}  // namespace vaticor
