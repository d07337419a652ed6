#include "library/spread_table.h"

#include <algorithm>

namespace vaticor {

SpreadTable::CardId SpreadTable::Append(int group) {
  Card card;
  card.id = nextId_++;
  card.group = group;
  cards_.push_back(card);
  return card.id;
}

bool SpreadTable::Remove(CardId id) {
  const auto found =
      std::find_if(cards_.begin(), cards_.end(), [id](const Card& card) { return card.id == id; });
  if (found == cards_.end()) return false;
  cards_.erase(found);
  return true;
}

std::optional<int> SpreadTable::IndexOf(CardId id) const {
  for (std::size_t i = 0; i < cards_.size(); ++i) {
    if (cards_[i].id == id) return static_cast<int>(i);
  }
  return std::nullopt;
}

SpreadTable::Card* SpreadTable::Find(CardId id) {
  for (Card& card : cards_) {
    if (card.id == id) return &card;
  }
  return nullptr;
}

const SpreadTable::Card* SpreadTable::Find(CardId id) const {
  return const_cast<SpreadTable*>(this)->Find(id);
}

std::vector<SpreadTable::CardId> SpreadTable::InScope(bool groupsShown) const {
  std::vector<CardId> scope;
  for (const Card& card : cards_) {
    if (!groupsShown || card.group == currentGroup_) scope.push_back(card.id);
  }
  return scope;
}

std::vector<SpreadTable::CardId> SpreadTable::InGroup(int group) const {
  std::vector<CardId> members;
  for (const Card& card : cards_) {
    if (card.group == group) members.push_back(card.id);
  }
  return members;
}

bool SpreadTable::AddGroup() {
  if (groupCount_ >= kMaxGroups) return false;
  ++groupCount_;
  return true;
}

bool SpreadTable::SelectGroup(int group) {
  if (group < 0 || group >= groupCount_) return false;
  currentGroup_ = group;
  return true;
}

}  // namespace vaticor
