#include "library/deck_ini_writer.h"

#include <algorithm>
#include <vector>

#include "core/ini_document.h"
#include "library/card_identity.h"
#include "library/content_language.h"
#include "library/taro_decks.h"

namespace vaticor {

namespace {

// The composition the cards with an identity make: as DeckCardIdentities
// reads a deck without a list of identities.
std::int32_t Composition(std::span<const DeckIniCard> cards) {
  std::int32_t composition = 0;
  for (const DeckIniCard& card : cards) {
    if (card.identity >= kMajorArcanaCount && card.identity < kCardIdentities) {
      composition = kCardIdentities;
    } else if (card.identity >= 0 && card.identity < kMajorArcanaCount) {
      composition = std::max(composition, kMajorArcanaCount);
    }
  }
  return composition;
}

}  // namespace

std::vector<std::int32_t> DeckIniCardNumbers(std::span<const DeckIniCard> cards) {
  std::vector<std::int32_t> numbers;
  std::vector<bool> taken(static_cast<std::size_t>(kCardIdentities), false);
  std::int32_t next = Composition(cards);
  for (const DeckIniCard& card : cards) {
    if (card.identity >= 0 && card.identity < kCardIdentities) {
      const bool twice = taken[static_cast<std::size_t>(card.identity)];
      taken[static_cast<std::size_t>(card.identity)] = true;
      numbers.push_back(twice ? -1 : card.identity);
    } else {
      numbers.push_back(next++);
    }
  }
  return numbers;
}

std::string MakeDeckIni(std::string_view deckName, std::string_view language,
                        std::span<const DeckIniCard> cards) {
  const std::int32_t composition = Composition(cards);
  struct Numbered {
    std::int32_t number;
    const DeckIniCard* card;
  };
  std::vector<Numbered> numbered;
  const std::vector<std::int32_t> numbers = DeckIniCardNumbers(cards);
  std::int32_t next = composition;
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (numbers[i] < 0) continue;
    numbered.push_back({numbers[i], &cards[i]});
    next = std::max(next, numbers[i] + 1);
  }
  std::sort(numbered.begin(), numbered.end(),
            [](const Numbered& a, const Numbered& b) { return a.number < b.number; });

  std::vector<IniKeyWrite> writes;
  writes.push_back({"Deck", "Name", std::string(deckName)});
  if (!language.empty()) writes.push_back({"Deck", kContentLanguageKey, std::string(language)});
  const std::int32_t last = std::max(composition, next) - 1;
  writes.push_back({"Deck", "Cards.Count", std::to_string(std::max(last, 0))});
  if (next > composition) {
    // Each number's identity: the composition's own, "-" for the others.
    std::string identities;
    for (std::int32_t number = 0; number < next; ++number) {
      if (number > 0) identities += ',';
      identities += number < composition ? std::to_string(number) : "-";
    }
    writes.push_back({"Deck", kCardIdentitiesKey, identities});
  }
  // Every number up to the last has its "Files" key, empty for a card
  // without a picture: the decks look for pictures only among as many card
  // numbers as there are such keys.
  std::size_t at = 0;
  for (std::int32_t number = 0; number <= last; ++number) {
    const bool given = at < numbered.size() && numbered[at].number == number;
    writes.push_back({"Files", DeckCardKey(number), given ? numbered[at++].card->picture : ""});
  }
  for (const Numbered& entry : numbered) {
    if (!entry.card->name.empty()) {
      writes.push_back({"Names", DeckCardKey(entry.number), entry.card->name});
    }
  }
  IniDocument ini;
  ini.SetValues(writes);  // the names are ours and always writable
  return ini.Bytes();
}

}  // namespace vaticor
