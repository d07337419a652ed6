#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/spread_picker.h"  // kNoCard

namespace vaticor {

// The cards on the table of a spread, apart from their windows: the ordered
// list of cards (a card's place in it is its index, what its window shows
// as its Tag), each card's signed value, deck group and screen place, and
// the deck groups' state that decides which cards the spread's commands act
// on. No Qt; the spreads window keeps one and a window per card.
//
// Scope: while the deck-groups window is shown, the commands act on the
// cards of the current group only; otherwise on every card, in list order.
// (Whether that window is shown is the windows' to say.)
class SpreadTable {
 public:
  // A card's handle for as long as it lies on the table; never reused.
  using CardId = std::uint64_t;
  // At most this many deck groups (0 to 6).
  static constexpr int kMaxGroups = 7;

  struct Card {
    CardId id = 0;
    // 255 (kNoCard): no card; otherwise the card's position in the deck,
    // negative when it lies reversed.
    std::int32_t value = kNoCard;
    int group = 0;
    // The screen place of the card's window, in pixels: where the window
    // stands, as the program moved it or the user through the desktop.
    std::int32_t left = 0;
    std::int32_t top = 0;
    // What the card's position means, from an opened spread file (UTF-8,
    // plain text); empty for a dealt card.
    std::string meaning;
  };

  // A card appended at the end, in `group`; its index is the old Count().
  CardId Append(int group);
  // Takes a card off the table: every later card moves down one place.
  // False when it is not on the table.
  bool Remove(CardId id);
  void Clear() { cards_.clear(); }

  int Count() const { return static_cast<int>(cards_.size()); }
  // A card's place in the list; none when it is not on the table.
  std::optional<int> IndexOf(CardId id) const;
  // The card of an id (nullptr when it is not on the table) or at a place
  // (0 <= index < Count()).
  Card* Find(CardId id);
  const Card* Find(CardId id) const;
  const Card& At(int index) const { return cards_[static_cast<std::size_t>(index)]; }

  // The cards the commands act on, and those of one group, in list order.
  // `groupsShown`: whether the deck-groups window is shown.
  std::vector<CardId> InScope(bool groupsShown) const;
  std::vector<CardId> InGroup(int group) const;

  // --- Deck groups ---
  int GroupCount() const { return groupCount_; }
  // One more group, unless there are kMaxGroups; true when one was added.
  bool AddGroup();
  int CurrentGroup() const { return currentGroup_; }
  // A group made current; nothing for an index that names no group.
  bool SelectGroup(int group);

 private:
  std::vector<Card> cards_;
  CardId nextId_ = 1;
  int groupCount_ = 0;
  // Group 0 before any group exists: cards dealt before deck groups are
  // used belong to the first group made.
  int currentGroup_ = 0;
};

}  // namespace vaticor
