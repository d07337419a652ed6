#include "ui/spreads/spread_reading.h"

#include <filesystem>

#include "library/journal_record.h"
#include "library/spread_picker.h"
#include "ui/chrome/reading_share.h"
#include "ui/journal_keeper.h"

namespace vaticor {

void SpreadReading::Begin(std::string path, const std::string& savedMoment) {
  logMoment_ = savedMoment.empty() ? ReadingMomentNow() : savedMoment;
  journalMoment_ = JournalMomentNow();
  fileName_ = std::filesystem::path(path).filename().string();
  path_ = std::move(path);
  entry_ = 0;
}

void SpreadReading::Deal(bool tableWasEmpty) {
  if (tableWasEmpty || journalMoment_.empty()) {
    Begin({});
  } else {
    logMoment_ = ReadingMomentNow();
  }
}

void SpreadReading::Resume(const JournalEntry& entry) {
  logMoment_ = ReadingMomentNow();
  journalMoment_ = entry.moment;
  fileName_ = entry.spreadFile;
  path_.clear();
  entry_ = entry.id;
}

void SpreadReading::Record(JournalKeeper& journal, const std::vector<SavedSpreadCard>& cards,
                           std::int32_t cardWidth, std::int32_t cardHeight,
                           const ScreenInfo& screen, TTaroDecks& decks,
                           const TTaroDescriptions& descriptions) {
  if (journalMoment_.empty()) Begin({});
  JournalEntry entry;
  entry.kind = JournalKind::kSpread;
  entry.moment = journalMoment_;
  entry.spreadFile = fileName_;
  SetJournalContent(entry, decks, descriptions);
  for (const SavedSpreadCard& card : cards) {
    if (card.Value == kNoCard) continue;
    entry.positions.push_back(
        JournalPositionOf(static_cast<int>(card.Place + 1), card.Value, card.Description, decks));
  }
  if (const std::optional<SpreadSave> save =
          PlanSpreadSave(IniDocument(), cardWidth, cardHeight, cards, screen, logMoment_)) {
    entry.spreadTable = save->after.Bytes();
  }
  if (entry_ != 0) {
    if (const std::optional<JournalEntry> recorded = journal.Store()->Get(entry_)) {
      // What was written to the entry since stays: only the table changes.
      entry.id = entry_;
      entry.question = recorded->question;
      entry.notes = recorded->notes;
      entry.followUps = recorded->followUps;
      entry.tags = recorded->tags;
      if (journal.Update(entry)) return;
    }
  }
  entry_ = journal.Add(entry);
}

std::optional<SpreadLayout> RecordedSpreadLayout(const JournalEntry& entry, std::int32_t cardWidth,
                                                 std::int32_t cardHeight,
                                                 const ScreenInfo& screen) {
  if (entry.spreadTable.empty()) return std::nullopt;
  return ReadSpreadLayout(IniDocument(entry.spreadTable), cardWidth, cardHeight, screen);
}

}  // namespace vaticor
