#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vaticor {

// A deck.ini made for a folder of card pictures that has none (pictures
// named by their cards, a deck of the open format), to be read back by
// TTaroDecks (library/taro_decks.h).

// One card of the deck.ini to make.
struct DeckIniCard {
  std::int32_t identity = -1;  // 0 - 77 (library/card_identity.h); -1 for none
  // The picture's path relative to the deck's folder ("/" between parts);
  // empty for a card without a picture.
  std::string picture;
  std::string name;  // UTF-8, any text; empty: no "Names" key
};

// The bytes of a deck.ini (UTF-8, CRLF line ends) naming the cards of
// `cards`: "[Deck]" Name=`deckName`, kContentLanguageKey=`language` (left
// out when empty) and "Cards.Count" the last card number; "[Files]" and
// "[Names]" by card keys (DeckCardKey). "Files" has a key for every card
// number up to the last, empty for a card without a picture (a gap), as
// TTaroDecks looks for pictures among as many card numbers as that section
// has keys.
//
// A card with an identity has that card number, so a folder of the major
// arcana is cards 0 - 21 and one holding any minor card 0 - 77, a card
// missing from either just a gap; a second card of the same identity is
// left out. The cards without an identity follow in their order after the
// last number of that composition (after 21, or 77, or from 0 when no card
// has an identity), and the deck then says each number's identity
// (kCardIdentitiesKey) as its composition no longer does.
//
// Written through IniDocument, so that every name and path reads back as
// given: quotes, "=" and outer blanks are kept, and a line break (which no
// INI value can hold) reads back as a blank instead of starting a key of
// its own.
std::string MakeDeckIni(std::string_view deckName, std::string_view language,
                        std::span<const DeckIniCard> cards);
// The card number MakeDeckIni gives each of `cards`, in their order; -1
// for a card it leaves out.
std::vector<std::int32_t> DeckIniCardNumbers(std::span<const DeckIniCard> cards);

}  // namespace vaticor
