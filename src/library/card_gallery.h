#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/card_identity.h"

namespace vaticor {

// The groups a gallery of a deck's cards shows, by the cards' identities
// (library/card_identity.h).
enum class GalleryGroup { kAll = 0, kMajorArcana, kWands, kCups, kSwords, kPentacles };

// True when a card of that identity (-1 for none) is in the group; a card
// without an identity is only in kAll.
bool InGalleryGroup(std::int32_t identity, GalleryGroup group);

// The positions of the current deck's cards a gallery shows, in position
// order, for what the reader typed and the group chosen. `identities` and
// `ownNames` are the deck's, one per present card in position order
// (TTaroDecks::GetCardIdentities, GetCardNames); `installed` is every
// installed deck's names (InstalledCardNames).
//
// An empty (or blank) text keeps every card of the group. Otherwise a card
// with an identity is kept when MatchCards finds that identity among the
// installed names (so "Three of Cups" finds the third cup of a Russian
// deck, "кубк" every cup); a card without one (a deck of another
// composition) when its own name matches by the same rule of prefixes and
// word prefixes (TypedCardCandidates: the cards a reading entered by hand
// is offered).
std::vector<std::int32_t> GalleryPositions(std::string_view typed, GalleryGroup group,
                                           std::span<const std::int32_t> identities,
                                           std::span<const std::string> ownNames,
                                           std::span<const CardName> installed);

}  // namespace vaticor
