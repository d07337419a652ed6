#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/content_selection.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_file_dialogs.h"
#include "ui/spreads/spread_links.h"
#include "ui/spreads/spread_pictures.h"
#include "ui/spreads/spread_reading.h"
#include "ui/window_links.h"

class QMenu;

namespace vaticor {

class CommandSet;
class MinimisedTogether;
class SkinChrome;
class TCardForm;
class TDeckGroupsForm;
class TSkinImage;

// The spreads window: the program's second way of reading. A small
// borderless toolbar (259 x 53) whose commands deal cards into card windows
// of their own, draw a card for every position, turn them face down, clear
// them, save and open spread files, and start deck groups. It owns the
// ordered list of card windows (a card window's place in it is its Tag) and
// the deck-groups window. As a ContentListener it follows the deck in use.
// Scope: while the deck-groups window is shown, the commands that act on
// card windows take the current group's; otherwise all, in list order.
class TSpreadsForm : public QWidget,
                     public SpreadsWindowLink,
                     public ContentListener,
                     private CardTableLink,
                     private DeckGroupsTableLink {
  Q_OBJECT
 public:
  static constexpr int kWidth = 259;
  static constexpr int kHeight = 53;

  // Hidden at its saved place, with the deck-groups window (hidden, no
  // groups). By default the desktop's file dialogs: spread files start in
  // the spreads folder, pictures in the Pictures folder.
  TSpreadsForm(ProgramState& state, SpreadsWindowLinks links,
               std::unique_ptr<SpreadFileDialogs> dialogs = nullptr,
               std::unique_ptr<ReadingPictureDialog> pictureDialog = nullptr,
               QWidget* parent = nullptr);
  ~TSpreadsForm() override;
  void ApplyLanguage();  // the captions and hints in the interface language

  // --- What the main window and the tray ask (SpreadsWindowLink) ---
  void ShowSpreads() override;
  bool IsSpreadVisible() const override;
  // Shows or hides it with its card windows and, while open, deck groups.
  void SetSpreadVisible(bool visible) override;
  // "Новый расклад" (Image6), key 0; also the deck groups' "Закрыть групу".
  void ClearSpread() override;
  // The spread goes to the program's taskbar button: the card windows and
  // deck groups are hidden until this window is restored.
  void MinimiseToTaskbar() override;
  void LayRecordedSpread(const JournalEntry& entry) override;
  void GiveWayToMainWindow() override;
  // Replaces the spread in scope by the file's positions (the pictures
  // follow: SpreadPictureQueue); a missing file only brings the window to
  // the front. Raises IniWriteError when the file cannot be written (it
  // records the screen, once the cards are laid out).
  void LoadSpread(const std::string& path);
  void FinishPictures() { pictures_.Finish(); }  // every picture to come, now
  // The card windows in list order, and the deck-groups window.
  std::vector<QWidget*> CardWindows() const;
  QWidget* DeckGroupsWindow() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void DeckChanged(DeckChoice) override { FollowCurrentDeck(); }
  // --- What the card windows ask (CardTableLink) ---
  const SpreadTable& Table() const override { return table_; }
  void CardMoved(SpreadTable::CardId card, std::int32_t left, std::int32_t top) override;
  void CardValueChanged(SpreadTable::CardId card, std::int32_t value) override;
  void CloseCard(SpreadTable::CardId card) override;
  // Its group becomes the current one while the deck-groups window is shown.
  void CardClicked(SpreadTable::CardId card) override;
  bool GroupMoveModeFor(SpreadTable::CardId card) const override;
  void EndGroupMove() override;
  void MoveCardsInScope(int dx, int dy) override;
  void ResizeOtherCards(SpreadTable::CardId except, std::optional<int> width,
                        std::optional<int> height) override;
  void FocusSpreadsWindow() override;
  // "N4" and "N5" for the cards in scope. A failed write raises
  // PictureWriteError; cards too far apart, PictureTooLargeError.
  void CopyReading() override;
  void SaveReadingPicture() override;
  // --- What the deck-groups window asks (DeckGroupsTableLink) ---
  SpreadTable& Table() override { return table_; }
  void RaiseGroup(int group) override;
  void MoveGroup(int group, int dx, int dy) override;
  bool TrayIconActive() const override { return links_.main.TrayIconActive(); }

  // --- Commands (CreateCommands names them) ---
  void DrawCards();
  void DealCard();
  void ShuffleDeck();
  void AddDeckGroup();
  void SaveSpreadToFile();                          // the cards in scope; IniWriteError on failure
  void SaveToJournal();                             // the cards in scope; the journal's failures
  std::vector<SavedSpreadCard> SavedCards() const;  // the cards in scope, as saved
  void LayOutSpread(const SpreadLayout& layout);    // replaces the spread in scope

  void CreateCommands();
  void CreateControls();
  TSkinImage* CommandImage(const char* name, const char* resource, int x, int y,
                           const char* command);
  bool GroupsShown() const;                      // the deck-groups window: the scope is a group
  std::vector<TCardForm*> CardsInScope() const;  // in list order
  TCardForm* Window(SpreadTable::CardId card) const;
  // A card window at the end of the list, its position meaning `meaning`.
  TCardForm& AppendCard(int group, std::string meaning = {});
  void CardCountChanged();  // the sharing entries open while cards lie
  // A card value drawn from the picker: the reversal first, then the card;
  // 255 once the picker is exhausted.
  std::int32_t DrawCardValue();
  // The picker follows the deck in use (also as a ContentListener).
  void FollowCurrentDeck();
  void BringToFront();
  void CloseSpreads();  // the deck-groups window, then every card window

  ProgramState& state_;
  SpreadsWindowLinks links_;
  std::unique_ptr<SpreadFileDialogs> dialogs_;
  std::unique_ptr<ReadingPictureDialog> pictureDialog_;
  SpreadReading reading_;
  std::unique_ptr<SkinChrome> chrome_;
  SpreadTable table_;
  std::unordered_map<SpreadTable::CardId, std::unique_ptr<TCardForm>> windows_;
  SpreadPictureQueue pictures_;
  std::unique_ptr<TDeckGroupsForm> deckGroups_;
  MinimisedTogether* together_ = nullptr;  // cards, groups and viewer go along
  CommandSet* commands_ = nullptr;         // a child of the window

  // Controls: the title strip with its underline and the command images
  // (with it the window's shape); the rest by the layout's names.
  TitleStrip strip_;
  std::vector<TSkinImage*> commandImages_;
  TSkinImage* Image7 = nullptr;     // "Выложить карту"; new cards go by it
  QWidget* SpeedButton1 = nullptr;  // opens the deal-mode menu; not shown
  QMenu* PopupMenu1 = nullptr;      // deal mode, then the reading's entries
};

}  // namespace vaticor
