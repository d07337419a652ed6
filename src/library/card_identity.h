#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// A card's identity across decks, in the common order of the 78-card
// decks: 0 - 21 the major arcana, then fourteen cards each (ace, two to
// ten, page, knight, queen, king) of wands (22 - 35), cups (36 - 49),
// swords (50 - 63) and pentacles (64 - 77).
inline constexpr std::int32_t kCardIdentities = 78;
inline constexpr std::int32_t kMajorArcanaCount = 22;
inline constexpr std::int32_t kSuitRanks = 14;

enum class CardSuit { kWands = 0, kCups = 1, kSwords = 2, kPentacles = 3 };

// The identity of a minor card; rank 0 is the ace, 13 the king.
constexpr std::int32_t MinorIdentity(CardSuit suit, std::int32_t rank) {
  return kMajorArcanaCount + static_cast<std::int32_t>(suit) * kSuitRanks + rank;
}

// The [Deck] key of deck.ini by which a deck whose cards are not in the
// common order gives each card number's identity: a comma-separated list,
// the first entry for card 0, each an identity 0 - 77, or empty or "-" for
// a card that has none ("0,1,2,3,4,5,6,7,11,9,10,8,...": a deck with
// Justice and Strength the other way round).
inline constexpr const char* kCardIdentitiesKey = "Cards.Identities";

// Each card number's identity, card numbers 0 .. cardNumbers - 1; -1 for a
// card that has none. `declared` is the value of kCardIdentitiesKey, empty
// when the deck has none. A declared list is used when each entry reads as
// above, no identity comes twice and it has at most cardNumbers entries
// (the cards after its end have none); otherwise it is ignored whole, as if
// absent. Without a list: 78 cards follow the common order, 22 or fewer are
// the major arcana in order, and any other composition has none (its cards
// are then matched by their names only).
std::vector<std::int32_t> DeckCardIdentities(std::int32_t cardNumbers, std::string_view declared);

// A name some installed deck gives a card (its deck.ini's names), in any
// language.
struct CardName {
  std::int32_t identity = 0;
  std::string name;
};

// The cards a typed text may mean, as a field that completes as the user
// types offers them: each identity once, the likeliest first, at most
// `most`. In that order:
//  - a whole number 0 - 77: that card;
//  - a Roman numeral I - XXI in its usual form: that major arcanum;
//  - a short form of rank and suit, in any case, with or without a blank,
//    "o" or "of" between: "3C", "3oC", "3 of cups", "KW", "QoS", "Ace P",
//    "KnS" (ranks A/Ace/1, 2 - 10 or Two - Ten, P/Page, Kn/Knight,
//    Q/Queen, K/King; suits W/Wands, C/Cups, S/Swords, P/Pentacles);
//  - a rank alone ("K", "Queen"): that rank of the four suits;
//  - the names that begin with the text, then those of which each typed
//    word begins a word ("кубк" finds "Тройка Кубков"), letters compared
//    without case (EqualsIgnoreCase).
// A text that names nothing gives none ("15oC", "XXIII", "Z").
std::vector<std::int32_t> MatchCards(std::string_view typed, std::span<const CardName> names,
                                     std::size_t most = kCardIdentities);

// Whether a typed text matches one name as MatchCards matches names (the
// name begins with it, or each typed word begins a word of it): the cards
// of a deck without identities are matched by their names alone.
bool CardNameMatches(std::string_view typed, std::string_view name);

}  // namespace vaticor
