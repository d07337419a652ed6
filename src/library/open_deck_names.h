#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/open_deck.h"
#include "library/open_deck_toml.h"

namespace vaticor {

// The canonical keys of the open deck format and the identities they name
// (library/card_identity.h): major arcana "00" - "21"; suits "wands",
// "cups", "swords", "pentacles"; ranks "ace", "two" ... "ten", "page",
// "knight", "queen", "king". Keys are compared as written (lower case).
std::int32_t MajorKeyIdentity(std::string_view key);  // -1 unless "00" - "21"
std::int32_t SuitIndex(std::string_view key);         // 0 - 3, or -1
std::int32_t RankIndex(std::string_view key);         // 0 - 13, or -1
std::int32_t MinorKeyIdentity(std::string_view suit, std::string_view rank);
std::string_view SuitKey(std::int32_t index);
std::string_view RankKey(std::int32_t index);
// "major_arcana.08", "minor_arcana.cups.ace"; empty outside 0 - 77.
std::string CanonicalCardId(std::int32_t identity);
// The major arcanum a name means, as older decks name them in
// [remap_major_arcana] ("justice", "The High Priestess", "hanged_man", or a
// number "11"): letters compared without case, a leading "the", blanks and
// "_" ignored. -1 for anything else.
std::int32_t MajorIdentityByName(std::string_view name);
// A key shown as a name: "_" as a blank, each word's first letter upper
// case ("happy_squirrel" gives "Happy Squirrel").
std::string TitleCasedKey(std::string_view key);
// Lower-case letters, digits and "_", not beginning with a digit.
bool IsCustomName(std::string_view key);

// What a parsed deck.toml says (ParseOpenDeckToml without the parsing).
OpenDeckHeader HeaderOf(const toml::table& table);

// The card names of one deck in one language, from its names files
// (names/<language>.toml) merged key by key in lookup order: the language
// asked for, then the same with its last subtags removed ("pt-BR", "pt"),
// then (version 2) the deck's default language. What no file names comes
// from the deck's own fallbacks, then from the names the program knows
// (CommonCardName in the language asked for, standing for the reference
// deck), then from English. Files larger than kMaxOpenDeckTomlBytes or not
// TOML are passed over.
class OpenDeckNames {
 public:
  OpenDeckNames(const std::string& root, const OpenDeckHeader& header, const toml::table* deck,
                std::string_view language);
  ~OpenDeckNames();

  // A major arcanum by its key ("08", or a deck's own "happy_squirrel")
  // and the identity of the card it holds (-1 for a deck's own).
  std::string Major(std::string_view key, std::int32_t identity) const;
  // A minor card by suit and rank keys, canonical or the deck's own.
  std::string Minor(std::string_view suit, std::string_view rank) const;

 private:
  // The first string a names file gives at [table].key (table may be
  // "minor_arcana.cups"), in lookup order.
  std::optional<std::string> Lookup(std::string_view table, std::string_view key) const;
  std::string SuitName(std::string_view suit) const;
  std::string RankName(std::string_view rank) const;

  const OpenDeckHeader& header_;
  const toml::table* deck_;
  std::string language_;
  std::vector<std::shared_ptr<const toml::table>> files_;
};

}  // namespace vaticor
