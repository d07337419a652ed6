#include "library/card_gallery.h"

#include <algorithm>

#include "library/reading_entry.h"

namespace vaticor {

bool InGalleryGroup(std::int32_t identity, GalleryGroup group) {
  if (group == GalleryGroup::kAll) return true;
  if (identity < 0 || identity >= kCardIdentities) return false;
  if (group == GalleryGroup::kMajorArcana) return identity < kMajorArcanaCount;
  if (identity < kMajorArcanaCount) return false;
  const int suit = (identity - kMajorArcanaCount) / kSuitRanks;
  return suit == static_cast<int>(group) - static_cast<int>(GalleryGroup::kWands);
}

std::vector<std::int32_t> GalleryPositions(std::string_view typed, GalleryGroup group,
                                           std::span<const std::int32_t> identities,
                                           std::span<const std::string> ownNames,
                                           std::span<const CardName> installed) {
  const bool blank =
      std::all_of(typed.begin(), typed.end(), [](char c) { return c == ' ' || c == '\t'; });
  std::vector<bool> kept(identities.size(), blank);
  if (!blank) {
    // The same cards a reading entered by hand is offered for the text.
    const EntryDeck deck{std::vector<std::string>(ownNames.begin(), ownNames.end()),
                         std::vector<std::int32_t>(identities.begin(), identities.end())};
    for (const std::int32_t position :
         TypedCardCandidates(typed, installed, deck, identities.size())) {
      kept[static_cast<std::size_t>(position)] = true;
    }
  }
  std::vector<std::int32_t> positions;
  for (std::size_t p = 0; p < identities.size(); ++p) {
    if (kept[p] && InGalleryGroup(identities[p], group)) {
      positions.push_back(static_cast<std::int32_t>(p));
    }
  }
  return positions;
}

}  // namespace vaticor
