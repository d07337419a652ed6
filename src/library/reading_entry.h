#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/screen.h"
#include "library/card_identity.h"
#include "library/journal.h"
#include "library/spread_file.h"
#include "library/taro_decks.h"
#include "library/taro_descriptions.h"

namespace vaticor {

// A reading laid out with a physical deck and entered by hand: its layout,
// the cards the reader names as typed, and the journal entry it becomes.

// The current deck as typed cards are matched against it.
struct EntryDeck {
  // One name per present card, in position order (TTaroDecks::GetCardNames).
  std::vector<std::string> names;
  // One identity per present card, in position order, -1 for none
  // (TTaroDecks::GetCardIdentities).
  std::vector<std::int32_t> identities;
};

// The current deck's card positions a typed text may mean, the likeliest
// first, each once, at most `most`. The text is matched by MatchCards over
// `installed` (every installed deck's names, InstalledCardNames) and each
// identity found is the current deck's card of that identity; a card of the
// current deck without an identity (every card of a deck of another
// composition) is matched by its own name alone (CardNameMatches), after
// those. Nothing for a text that names no card of the current deck.
std::vector<std::int32_t> TypedCardCandidates(std::string_view typed,
                                              std::span<const CardName> installed,
                                              const EntryDeck& deck, std::size_t most = 12);

// The card a typed text names: the candidate whose current-deck name it is
// (letters compared without case), else the only candidate; nothing when it
// names none or several (the reader picks one of the suggestions then).
std::optional<std::int32_t> TypedCard(std::string_view typed,
                                      std::span<const std::int32_t> candidates,
                                      const EntryDeck& deck);

// The layout a reading is entered for.
enum class EntryLayoutKind { kOneCard, kThreeCards, kSpreadFile };

struct EntryLayout {
  EntryLayoutKind kind = EntryLayoutKind::kOneCard;
  // A spread file's name and its layout as read for this screen (every
  // position, those without a meaning included); unused otherwise.
  std::string spreadFile{};
  SpreadLayout spread{};
};

// One position as the reader fills it in.
struct EntryPosition {
  int number = 0;       // from 1
  std::string meaning;  // empty for a draw's positions and a spread's unnamed ones
};

// The positions of a layout, in order: one or three without meanings, or
// each position of the spread file with its meaning (none for a spread
// without positions).
std::vector<EntryPosition> EntryPositions(const EntryLayout& layout);

// The card the reader named at one position.
struct EnteredCard {
  std::int32_t card = 0;  // its position in the current deck
  bool reversed = false;
};

// The journal entry of a reading entered for `layout`, one card per
// position of EntryPositions (as many as there are; extra ones ignored):
// physical, of kind kDraw for one or three cards and kSpread for a spread
// file, with the question, the deck and description set in use, every
// position with its number, meaning, card, turn and the current deck's
// name of the card. A spread's entry holds its table as the text of a
// spread file holding the reading (places and card size of the layout on
// `screen`, each position's card, `logMoment` as the reading's moment), so
// that it can be laid on the table; card 0 reversed is kept reversed in the
// positions, though a card value cannot carry it to the table.
JournalEntry EnteredReadingEntry(std::string moment, const EntryLayout& layout,
                                 std::span<const EnteredCard> cards, std::string question,
                                 TTaroDecks& decks, const TTaroDescriptions& descriptions,
                                 const ScreenInfo& screen, std::string_view logMoment);

}  // namespace vaticor
