#include "library/reading_in_deck.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "core/ini_document.h"
#include "core/text_encoding.h"
#include "library/picture_loader.h"
#include "library/spread_file.h"
#include "library/spread_picker.h"

namespace vaticor {

namespace {

// The identity the installed names give a recorded name: -1 for none, and
// for a name two identities share (it tells neither).
std::int32_t IdentityOfName(const std::string& name, std::span<const CardName> installed) {
  if (name.empty()) return -1;
  std::int32_t found = -1;
  for (const CardName& card : installed) {
    if (!EqualsIgnoreCase(card.name, name)) continue;
    if (found >= 0 && found != card.identity) return -1;
    found = card.identity;
  }
  return found;
}

}  // namespace

RecordedIdentity IdentitiesByPosition(std::vector<std::int32_t> identities) {
  return [identities = std::move(identities)](std::int32_t card) -> std::int32_t {
    if (card < 0 || static_cast<std::size_t>(card) >= identities.size()) return -1;
    return identities[static_cast<std::size_t>(card)];
  };
}

RecordedIdentity IdentitiesByRecordedNames(const JournalEntry& entry,
                                           std::span<const CardName> installed) {
  // A card recorded under two names (a deck renamed between two positions)
  // is known only when both tell the same identity.
  std::map<std::int32_t, std::int32_t> byCard;
  for (const JournalPosition& position : entry.positions) {
    const std::int32_t identity = IdentityOfName(position.cardName, installed);
    const auto [at, added] = byCard.emplace(position.card, identity);
    if (!added && at->second != identity) at->second = -1;
  }
  return [byCard = std::move(byCard)](std::int32_t card) -> std::int32_t {
    const auto at = byCard.find(card);
    return at == byCard.end() ? -1 : at->second;
  };
}

std::optional<std::int32_t> CardInOtherDeck(std::int32_t card, const RecordedIdentity& identity,
                                            std::span<const std::int32_t> to) {
  const std::int32_t known = identity(card);
  // A card without an identity matches nothing, not the other deck's cards
  // without one.
  if (known < 0) return std::nullopt;
  const auto at = std::find(to.begin(), to.end(), known);
  if (at == to.end()) return std::nullopt;
  return static_cast<std::int32_t>(at - to.begin());
}

ReadingInDeck ReadingInOtherDeck(const JournalEntry& entry, const RecordedIdentity& identity,
                                 std::span<const std::int32_t> to) {
  ReadingInDeck result{entry, {}};
  std::set<std::int32_t> unmatched;
  for (JournalPosition& position : result.entry.positions) {
    if (const std::optional<std::int32_t> card = CardInOtherDeck(position.card, identity, to)) {
      position.card = *card;
    } else {
      unmatched.insert(position.card);
    }
  }
  // A spread's table holds signed card values (a negative one reversed),
  // kNoCard for an empty place: each card's value made the other deck's.
  if (!entry.spreadTable.empty()) {
    IniDocument table(entry.spreadTable);
    std::vector<IniKeyWrite> writes;
    std::set<std::string> done;
    std::vector<std::int32_t> mapped;  // the recorded cards of `writes`
    for (const std::string& section : SpreadPositionSections(table)) {
      // A name twice is read from its first section both times.
      if (!done.insert(section).second) continue;
      const std::optional<std::string> text = table.Value(section, "Value");
      const std::optional<std::int32_t> value = text ? ParseIniInteger(*text) : std::nullopt;
      if (!value || *value == std::numeric_limits<std::int32_t>::min()) continue;
      const std::int32_t magnitude = *value < 0 ? -*value : *value;
      if (magnitude == kNoCard) continue;
      const std::optional<std::int32_t> card = CardInOtherDeck(magnitude, identity, to);
      if (!card) {
        unmatched.insert(magnitude);
        continue;
      }
      writes.push_back({section, "Value", std::to_string(*value < 0 ? -*card : *card)});
      mapped.push_back(magnitude);
    }
    if (!writes.empty()) {
      if (table.SetValues(writes)) {
        result.entry.spreadTable = table.Bytes();
      } else {
        // A table that cannot take its new values would lay the old deck's
        // cards: none of them is laid.
        unmatched.insert(mapped.begin(), mapped.end());
      }
    }
  }
  result.unmatched.assign(unmatched.begin(), unmatched.end());
  return result;
}

ReadingInDeck ReadingInCurrentDeck(TTaroDecks& decks, const JournalEntry& entry) {
  NamingOnlyLoader noDecoding;
  std::unique_ptr<TTaroDecks> recorded = RecordedDeck(decks, entry.deckFolder, noDecoding);
  RecordedIdentity identity;
  if (recorded) {
    recorded->SelectDeck(0);
    identity = IdentitiesByPosition(recorded->GetCardIdentities());
  } else {
    identity = IdentitiesByRecordedNames(entry, InstalledCardNames(decks));
  }
  return ReadingInOtherDeck(entry, identity, decks.GetCardIdentities());
}

std::vector<std::string> RecordedCardNames(const JournalEntry& entry,
                                           std::span<const std::int32_t> cards) {
  std::vector<std::string> names;
  for (const std::int32_t card : cards) {
    const auto at =
        std::find_if(entry.positions.begin(), entry.positions.end(),
                     [card](const JournalPosition& position) { return position.card == card; });
    names.push_back(at == entry.positions.end() || at->cardName.empty() ? std::to_string(card)
                                                                        : at->cardName);
  }
  return names;
}

}  // namespace vaticor
