#pragma once

#include <cstdint>
#include <optional>

#include "library/spread_table.h"

namespace vaticor {

// How the windows of a spread reach the spreads window that owns them and
// its table of cards. The card windows and the deck-groups window know the
// spreads window only through these (and never each other).

// What a card window asks of the spread it lies on. A card is named by its
// handle in the table.
class CardTableLink {
 public:
  virtual ~CardTableLink() = default;
  virtual const SpreadTable& Table() const = 0;
  // The card's window stands at a new place (moved by the program, or by
  // the user through the desktop); the table keeps it for saving.
  virtual void CardMoved(SpreadTable::CardId card, std::int32_t left, std::int32_t top) = 0;
  // The card shows another value (255: none; negative: reversed).
  virtual void CardValueChanged(SpreadTable::CardId card, std::int32_t value) = 0;
  // Takes the card off the table; its window goes once the event that
  // closes it is over.
  virtual void CloseCard(SpreadTable::CardId card) = 0;
  // The card's picture was clicked.
  virtual void CardClicked(SpreadTable::CardId card) = 0;
  // True while "Переместить групу" is on and the card is in the current
  // group: a plain drag of it moves the group.
  virtual bool GroupMoveModeFor(SpreadTable::CardId card) const = 0;
  // A group move is put down.
  virtual void EndGroupMove() = 0;
  // Moves every card window in the commands' scope.
  virtual void MoveCardsInScope(int dx, int dy) = 0;
  // Gives every card window but `except` a width and/or a height.
  virtual void ResizeOtherCards(SpreadTable::CardId except, std::optional<int> width,
                                std::optional<int> height) = 0;
  // Tab: the keys go to the spreads window.
  virtual void FocusSpreadsWindow() = 0;
  // Ctrl+C and Ctrl+P in a card window: the spreads window's commands that
  // share the reading (its text to the clipboard, its picture to a file).
  virtual void CopyReading() = 0;
  virtual void SaveReadingPicture() = 0;
};

// What the deck-groups window asks of the spread.
class DeckGroupsTableLink {
 public:
  virtual ~DeckGroupsTableLink() = default;
  // The groups (count, current) live in the table.
  virtual SpreadTable& Table() = 0;
  // Brings the group's card windows to the front, in list order.
  virtual void RaiseGroup(int group) = 0;
  // Moves the group's card windows, whatever the scope.
  virtual void MoveGroup(int group, int dx, int dy) = 0;
  // "Закрыть групу": the spreads window's "Новый расклад".
  virtual void ClearSpread() = 0;
  virtual bool TrayIconActive() const = 0;
  // The spread goes to the program's taskbar button.
  virtual void MinimiseToTaskbar() = 0;
};

}  // namespace vaticor
