#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/spread_geometry.h"
#include "library/spread_table.h"

namespace vaticor {

// How the windows of a spread reach the spreads window that owns them and
// its table of cards, and what that window asks of them. The card windows
// and the deck-groups window know the spreads window only through these
// (and never each other); the spreads window hands out no more than these
// and plain widgets.

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

// What the spreads window asks of one of its card windows.
class CardWindowLink {
 public:
  virtual ~CardWindowLink() = default;
  // Its place in the spread's list; -1 once off the table.
  virtual int Tag() const = 0;
  // The signed card value shown (255: no card; negative: reversed).
  virtual std::int32_t CardValue() const = 0;
  // Shows a signed card value of the current deck: reversed when the value
  // is negative and reversed cards are on (the value keeps its sign),
  // upright otherwise (the value becomes its magnitude). A value naming no
  // card shows nothing. With `decodeLater` the picture is not decoded yet:
  // RequestPendingPicture has it decoded (a spread of many cards opens at
  // once and its pictures follow).
  virtual void ShowValue(std::int32_t value, bool decodeLater = false) = 0;
  virtual bool ShowsPicture() const = 0;
  // Has the picture ShowValue left for later decoded on a worker, before
  // those of a higher rank; false when none was left.
  virtual bool RequestPendingPicture(double rank) = 0;
  // True while a picture left for later has not arrived.
  virtual bool AwaitsPicture() const = 0;
  // Face down: the picture goes, the value stays.
  virtual void RemovePicture() = 0;
  // Without a picture the card shows its number in the spread (`place` +
  // 1) and what its position means; told again when the places change.
  virtual void ShowFace(int place, const std::string& meaning) = 0;
  // The position's text (plain), shown as it is when the pointer rests on
  // the card.
  virtual void SetPositionHint(const std::string& text) = 0;
  virtual CardSize Size() const = 0;
  virtual void SetCardSize(CardSize size) = 0;
  // Where the window stands on the screen: what the program moved it to,
  // or where the user moved it through the window manager; never a place
  // the window system reported wrongly while showing it again.
  virtual CardPlace Place() const = 0;
  virtual void SetPlace(CardPlace place) = 0;
  virtual void MoveBy(int dx, int dy) = 0;
};

// What the spreads window asks of its deck-groups window.
class DeckGroupsWindowLink {
 public:
  virtual ~DeckGroupsWindowLink() = default;
  // One more group (nothing with seven); its icon unselected.
  virtual void AddGroup() = 0;
  // Makes a group current (nothing for an index past the last icon).
  virtual void SelectGroup(int group) = 0;
  // Shows the window and marks deck groups as open.
  virtual void OpenGroups() = 0;
  // Hides the window and marks deck groups as closed.
  virtual void CloseGroups() = 0;
  // True from "Переместить групу" until the group is put down.
  virtual bool MoveMode() const = 0;
  virtual void EndMoveMode() = 0;
};

}  // namespace vaticor
