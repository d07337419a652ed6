#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vaticor {

// The names the 78 cards are commonly known by, in the interface languages
// the program ships (Russian, English, German, French, Ukrainian, Spanish):
// what a deck that names none of its cards is given (a folder of numbered
// pictures being imported; a deck of the open format whose names files
// leave a card out).
//
// `identity` is a card identity 0 - 77 (library/card_identity.h);
// `language` a language code as content languages and the interface give
// them ("ru", "en", "pt-BR", "uk_UA"), its primary subtag compared without
// regard to case. Empty for an identity outside 0 - 77 or a language the
// table does not hold.
std::string CommonCardName(std::int32_t identity, std::string_view language);

}  // namespace vaticor
