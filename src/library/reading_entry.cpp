#include "library/reading_entry.h"

#include <algorithm>
#include <utility>

#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "library/journal_record.h"

namespace vaticor {

std::vector<std::int32_t> TypedCardCandidates(std::string_view typed,
                                              std::span<const CardName> installed,
                                              const EntryDeck& deck, std::size_t most) {
  std::vector<std::int32_t> found;
  if (most == 0) return found;
  const std::size_t cards = deck.identities.size();
  for (const std::int32_t identity : MatchCards(typed, installed)) {
    const auto at = std::find(deck.identities.begin(), deck.identities.end(), identity);
    if (at == deck.identities.end()) continue;  // a card this deck does not have
    found.push_back(static_cast<std::int32_t>(at - deck.identities.begin()));
    if (found.size() == most) return found;
  }
  for (std::size_t position = 0; position < cards && position < deck.names.size(); ++position) {
    if (deck.identities[position] >= 0) continue;
    if (CardNameMatches(typed, deck.names[position])) {
      found.push_back(static_cast<std::int32_t>(position));
      if (found.size() == most) break;
    }
  }
  return found;
}

std::optional<std::int32_t> TypedCard(std::string_view typed,
                                      std::span<const std::int32_t> candidates,
                                      const EntryDeck& deck) {
  for (const std::int32_t card : candidates) {
    const auto position = static_cast<std::size_t>(card);
    if (card >= 0 && position < deck.names.size() && !deck.names[position].empty() &&
        EqualsIgnoreCase(deck.names[position], typed)) {
      return card;
    }
  }
  if (candidates.size() == 1) return candidates.front();
  return std::nullopt;
}

std::vector<EntryPosition> EntryPositions(const EntryLayout& layout) {
  std::vector<EntryPosition> positions;
  switch (layout.kind) {
    case EntryLayoutKind::kOneCard:
      positions.push_back({1, {}});
      break;
    case EntryLayoutKind::kThreeCards:
      for (int number = 1; number <= 3; ++number) positions.push_back({number, {}});
      break;
    case EntryLayoutKind::kSpreadFile: {
      int number = 0;
      for (const SpreadPosition& position : layout.spread.Positions) {
        positions.push_back({++number, position.Description});
      }
      break;
    }
  }
  return positions;
}

JournalEntry EnteredReadingEntry(std::string moment, const EntryLayout& layout,
                                 std::span<const EnteredCard> cards, std::string question,
                                 TTaroDecks& decks, const TTaroDescriptions& descriptions,
                                 const ScreenInfo& screen, std::string_view logMoment) {
  JournalEntry entry;
  entry.moment = std::move(moment);
  entry.physical = true;
  entry.question = std::move(question);
  SetJournalContent(entry, decks, descriptions);
  const bool spread = layout.kind == EntryLayoutKind::kSpreadFile;
  entry.kind = spread ? JournalKind::kSpread : JournalKind::kDraw;
  const std::vector<EntryPosition> positions = EntryPositions(layout);
  const std::size_t filled = std::min(positions.size(), cards.size());
  std::vector<SavedSpreadCard> table;
  for (std::size_t index = 0; index < filled; ++index) {
    const EnteredCard& card = cards[index];
    JournalPosition position;
    position.number = positions[index].number;
    position.meaning = positions[index].meaning;
    position.card = card.card;
    position.reversed = card.reversed;
    position.cardName = decks.GetCardName(card.card);
    entry.positions.push_back(std::move(position));
    if (spread) {
      const SpreadPosition& place = layout.spread.Positions[index];
      table.emplace_back(static_cast<std::int64_t>(index), place.Left, place.Top,
                         card.reversed ? -card.card : card.card, place.Description);
    }
  }
  if (spread) {
    entry.spreadFile = layout.spreadFile;
    if (const std::optional<SpreadSave> save =
            PlanSpreadSave(IniDocument(), layout.spread.CardWidth, layout.spread.CardHeight, table,
                           screen, logMoment)) {
      entry.spreadTable = save->after.Bytes();
    }
  }
  return entry;
}

}  // namespace vaticor
