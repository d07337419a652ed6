#include "library/journal_record.h"

#include <cstdlib>
#include <utility>

#include "library/spread_picker.h"

namespace vaticor {

namespace {

std::string FolderAt(const std::vector<std::string>& folders, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= folders.size()) return {};
  return folders[static_cast<std::size_t>(index)];
}

}  // namespace

JournalPosition JournalPositionOf(int number, std::int32_t value, std::string meaning,
                                  TTaroDecks& decks) {
  JournalPosition position;
  position.number = number;
  position.meaning = std::move(meaning);
  // Card 0 reversed is logged as 0: it reads upright, as the log reads it.
  position.card = value < 0 ? -value : value;
  position.reversed = value < 0;
  position.cardName = decks.GetCardName(position.card);
  return position;
}

void SetJournalContent(JournalEntry& entry, const TTaroDecks& decks,
                       const TTaroDescriptions& descriptions) {
  entry.deckFolder = FolderAt(decks.Folders, decks.Index);
  entry.descriptionFolder = FolderAt(descriptions.Folders, descriptions.Index);
}

JournalEntry DrawJournalEntry(std::string moment, std::span<const int> values, std::string question,
                              TTaroDecks& decks, const TTaroDescriptions& descriptions) {
  JournalEntry entry;
  entry.moment = std::move(moment);
  entry.kind = JournalKind::kDraw;
  entry.question = std::move(question);
  SetJournalContent(entry, decks, descriptions);
  int number = 0;
  for (const int value : values) {
    ++number;
    // -kNoCard cannot be logged; the magnitude is what says "no card".
    if (std::abs(static_cast<long>(value)) == kNoCard) continue;
    entry.positions.push_back(JournalPositionOf(number, value, {}, decks));
  }
  return entry;
}

JournalEntry DayCardJournalEntry(std::string moment, std::int32_t value, std::string tag,
                                 TTaroDecks& decks, const TTaroDescriptions& descriptions) {
  const int values[] = {value};
  JournalEntry entry = DrawJournalEntry(std::move(moment), values, {}, decks, descriptions);
  entry.kind = JournalKind::kDayCard;
  entry.tags = {std::move(tag)};
  return entry;
}

void NameJournalCards(std::span<JournalEntry> entries, TTaroDecks& decks) {
  if (decks.Folders.empty()) return;
  const std::vector<std::string> names = decks.GetCardNames();
  for (JournalEntry& entry : entries) {
    for (JournalPosition& position : entry.positions) {
      if (position.card >= 0 && static_cast<std::size_t>(position.card) < names.size()) {
        position.cardName = names[static_cast<std::size_t>(position.card)];
      }
    }
  }
}

}  // namespace vaticor
