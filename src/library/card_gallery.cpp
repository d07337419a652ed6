#include "library/card_gallery.h"

#include <algorithm>
#include <array>

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
    std::array<bool, kCardIdentities> meant{};
    for (const std::int32_t identity : MatchCards(typed, installed)) {
      meant[static_cast<std::size_t>(identity)] = true;
    }
    for (std::size_t p = 0; p < identities.size(); ++p) {
      if (identities[p] >= 0) kept[p] = meant[static_cast<std::size_t>(identities[p])];
    }
    // The cards without an identity by their own names. MatchCards keeps
    // identities 0 - 77 alone: the names go in runs of that many, each
    // card standing in by its place in the run; what the text means by
    // itself (a number, a short form) is no name's match.
    std::array<bool, kCardIdentities> bare{};
    for (const std::int32_t identity : MatchCards(typed, {})) {
      bare[static_cast<std::size_t>(identity)] = true;
    }
    const std::size_t count = std::min(identities.size(), ownNames.size());
    for (std::size_t start = 0; start < count; start += kCardIdentities) {
      std::vector<CardName> run;
      for (std::size_t p = start; p < count && p < start + kCardIdentities; ++p) {
        if (identities[p] < 0) {
          run.push_back({static_cast<std::int32_t>(p - start), ownNames[p]});
        }
      }
      if (run.empty()) continue;
      for (const std::int32_t place : MatchCards(typed, run)) {
        if (!bare[static_cast<std::size_t>(place)])
          kept[start + static_cast<std::size_t>(place)] = true;
      }
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
