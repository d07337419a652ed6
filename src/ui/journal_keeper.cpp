#include "ui/journal_keeper.h"

#include <QTimer>

#include "library/day_card.h"
#include "library/journal_record.h"
#include "platform/locale_date_time.h"
#include "ui/chrome/commands.h"
#include "ui/chrome/interface_text.h"
#include "ui/program_state.h"

namespace vaticor {

JournalKeeper::JournalKeeper(QObject* parent) : QObject(parent) {
  // Long enough that a burst of writes (typing a note) pays once.
  constexpr int kIdleMs = 2000;
  tidy_ = new QTimer(this);
  tidy_->setSingleShot(true);
  tidy_->setInterval(kIdleMs);
  connect(tidy_, &QTimer::timeout, this, [this] {
    if (store_) store_->TidyWhenIdle();
  });
}

void JournalKeeper::TidySoon() { tidy_->start(); }
JournalKeeper::~JournalKeeper() = default;

void JournalKeeper::Attach(std::unique_ptr<JournalStore> store) {
  store_ = std::move(store);
  emit opened();
}

std::int64_t JournalKeeper::Add(const JournalEntry& entry) {
  if (!store_) return 0;
  const std::int64_t id = store_->Add(entry);
  TidySoon();
  emit entryAdded(id);
  return id;
}

bool JournalKeeper::Update(const JournalEntry& entry) {
  if (!store_ || !store_->Update(entry)) return false;
  TidySoon();
  emit entryChanged(entry.id);
  return true;
}

bool JournalKeeper::SetReaderMeaning(const ReaderMeaning& meaning) {
  if (!store_) return false;
  store_->SetReaderMeaning(meaning);
  TidySoon();
  emit readerMeaningChanged(meaning.identity);
  return true;
}

std::optional<JournalEntry> JournalKeeper::Remove(std::int64_t id) {
  if (!store_) return std::nullopt;
  std::optional<JournalEntry> entry = store_->Get(id);
  if (!entry || !store_->Remove(id)) return std::nullopt;
  TidySoon();
  emit entryRemoved(id);
  return entry;
}

std::string JournalMomentNow() { return JournalMomentOf(SystemLocalClock().Now()); }

void RunJournalCommand(QWidget* window, const TLanguageTable& languages,
                       const std::function<void()>& command) {
  RunCommand(window, [&] {
    try {
      command();
    } catch (const JournalFault& fault) {
      ShowFailure(window, WithSubject(JournalText(languages, "Fault",
                                                  "Дневник не удаётся прочитать или записать: %1"),
                                      QString::fromStdString(fault.what())));
    }
  });
}

void RecordDraw(ProgramState& state, std::span<const int> values, const std::string& question,
                QWidget* window) {
  JournalKeeper& journal = state.Journal;
  if (journal.ReadOnly()) return;
  RunJournalCommand(window, state.Languages, [&] {
    journal.Add(DrawJournalEntry(JournalMomentNow(), values, question, state.TaroDecks,
                                 state.TaroDescriptions));
  });
}

}  // namespace vaticor
