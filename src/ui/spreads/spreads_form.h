#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/spread_table.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/spreads/spread_file_dialogs.h"
#include "ui/spreads/spread_links.h"
#include "ui/window_links.h"

class QMenu;

namespace vaticor {

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
// the deck-groups window.
//
// Scope: while the deck-groups window is shown, the commands that act on
// card windows take only those of the current group; otherwise all of
// them, in list order.
//
// Texts of this window, its card windows and the deck-groups window are
// fixed Russian ones, not the interface language's.
class TSpreadsForm : public QWidget,
                     public SpreadsWindowLink,
                     private CardTableLink,
                     private DeckGroupsTableLink {
  Q_OBJECT
 public:
  static constexpr int kWidth = 259;
  static constexpr int kHeight = 53;

  // Creates the window hidden at its saved place, with the deck-groups
  // window (hidden, no groups). Without `dialogs`, the desktop's file
  // dialogs starting in the spreads folder.
  // Without `pictureDialog`, the desktop's save dialog in the Pictures
  // folder.
  TSpreadsForm(ProgramState& state, SpreadsWindowLinks links,
               std::unique_ptr<SpreadFileDialogs> dialogs = nullptr,
               std::unique_ptr<ReadingPictureDialog> pictureDialog = nullptr,
               QWidget* parent = nullptr);
  ~TSpreadsForm() override;

  // --- What the main window and the tray ask (SpreadsWindowLink) ---
  void ShowSpreads() override;
  bool IsSpreadVisible() const override;
  // Shows or hides the window with its card windows and, while deck groups
  // are open, the deck-groups window.
  void SetSpreadVisible(bool visible) override;

  // --- Spread files. Both raise IniWriteError ("Unable to write to ...")
  // when the file cannot be written (for LoadSpread: after the cards are
  // laid out, when it records the screen); the commands show it. ---
  // Replaces the spread in scope by the file's positions; a missing file
  // only brings the window to the front.
  void LoadSpread(const std::string& path);
  // Saves the card windows in scope; nothing without a card window.
  void SaveSpread(const std::string& path);
  // An opened spread's windows stand at once; their pictures are decoded
  // afterwards on the picture workers, nearest the middle of the screen
  // first (a 15-megapixel JPEG takes tens of milliseconds), and each shows
  // as it arrives. True while some are still to come.
  bool PicturesPending() const;
  // Waits for every picture still to come and shows it, now.
  void FinishPictures();

  // "Новый расклад" (Image6), key 0; also the deck groups' "Закрыть групу".
  void ClearSpread() override;

  // The captions of the reading's entries in the right-click menu from the
  // interface language (the window's other texts are fixed Russian ones).
  void ApplyLanguage();

  // --- The cards on the table ---
  int CardCount() const { return table_.Count(); }
  // The window of the card at a place in the list; nullptr past the end.
  TCardForm* Card(int place) const;
  TDeckGroupsForm& DeckGroups() const { return *deckGroups_; }
  // The spread goes to the program's taskbar button: the card windows and
  // deck groups are hidden until this window is restored.
  void MinimiseToTaskbar() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // --- What the card windows ask (CardTableLink) ---
  const SpreadTable& Table() const override { return table_; }
  void CardMoved(SpreadTable::CardId card, std::int32_t left, std::int32_t top) override;
  void CardValueChanged(SpreadTable::CardId card, std::int32_t value) override;
  // Takes a card off the table (the later ones move down a place) and
  // destroys its window.
  void CloseCard(SpreadTable::CardId card) override;
  // Its group becomes the current one while the deck-groups window is shown.
  void CardClicked(SpreadTable::CardId card) override;
  bool GroupMoveModeFor(SpreadTable::CardId card) const override;
  void EndGroupMove() override;
  void MoveCardsInScope(int dx, int dy) override;
  void ResizeOtherCards(SpreadTable::CardId except, std::optional<int> width,
                        std::optional<int> height) override;
  void FocusSpreadsWindow() override;
  // The right-click menu's reading entries (also Ctrl+C and Ctrl+P here
  // and in the card windows), for the card windows in scope; nothing
  // without one. The text: the moment of the last deal, draw or opened
  // spread (a saved reading's own), then number, meaning, card
  // and turn of each. The picture: the card windows as they lie, on a
  // transparent ground. A failed write raises PictureWriteError; cards too
  // far apart for one picture, PictureTooLargeError.
  void CopyReading() override;
  void SaveReadingPicture() override;
  // --- What the deck-groups window asks (DeckGroupsTableLink) ---
  SpreadTable& Table() override { return table_; }
  void RaiseGroup(int group) override;
  void MoveGroup(int group, int dx, int dy) override;
  bool TrayIconActive() const override { return links_.main.TrayIconActive(); }

  // --- Commands, by the layout's names ---
  void Image11Click();           // "Вытянуть карты"
  void DealCard();               // "Выложить карту" (Image7), key 1
  void Image12Click();           // "Перемешать карты"
  void Image3Click();            // "Добавить новую колоду"
  void Image13Click();           // "Сохранить расклад"
  void Image14Click();           // "Выбрать расклад"
  void Image2Click();            // "Выбрать форму"
  void Image1Click();            // the main menu below the icon
  void ButtonCloseImageClick();  // "Выход"
  void ButtonHideImageClick();   // "Свернуть"
  // The deal-mode menu: 0 deals from one deck, 1 from new decks.
  void SetDealMode(int tag);
  void PopupDealModeMenu();
  void FormKeyUp(int virtualKey);
  // Ctrl+C copies the reading, Ctrl+P saves its picture (at the press).
  void ControlKeyDown(int virtualKey);
  // Closes the window: the deck-groups window, then every card window.
  void CloseSpreads();

  bool GroupsShown() const;
  // The card windows the commands act on, in list order.
  std::vector<TCardForm*> CardsInScope() const;
  TCardForm* Window(SpreadTable::CardId card) const;

  void CreateControls();
  // A command image of the toolbar: `command` runs on its click.
  TSkinImage* CommandImage(const char* name, const char* resource, int x, int y,
                           void (TSpreadsForm::*command)());
  // A card window at the end of the list; `meaning`: what its position
  // means.
  TCardForm& AppendCard(int group, std::string meaning = {});
  // A card value drawn from the picker: the reversal first, then the card;
  // 255 once the picker is exhausted.
  std::int32_t DrawCardValue();
  // The picker follows the deck: a deck of another size re-sizes it.
  void FollowCurrentDeck();
  void BringToFront();
  // Shown (never minimised), with the program's taskbar button or without
  // it as the option says; the program then keeps its tray icon active.
  void ShowAsTheProgramsFace();
  // Hands the pictures left for later to the workers, nearest first.
  void RequestPictures();
  void ShowCards(bool visible);

  ProgramState& state_;
  SpreadsWindowLinks links_;
  std::unique_ptr<SpreadFileDialogs> dialogs_;
  std::unique_ptr<ReadingPictureDialog> pictureDialog_;
  // When the cards were dealt, drawn or opened (a saved reading's own); empty before.
  std::string readingMoment_;
  std::unique_ptr<SkinChrome> chrome_;
  SpreadTable table_;
  // The window of each card on the table.
  std::unordered_map<SpreadTable::CardId, std::unique_ptr<TCardForm>> windows_;
  std::vector<QPointer<TCardForm>> pendingPictures_;  // requested or not yet
  QTimer pictureTimer_;
  std::unique_ptr<TDeckGroupsForm> deckGroups_;
  // The card windows, the deck groups and the viewer hide with it.
  MinimisedTogether* together_ = nullptr;

  // Controls: the title strip (its icon opens the main menu) with its
  // underline, the rest by the layout's names.
  TitleStrip strip_;
  // The command images left to right ("Image11", "Image6", "Image7",
  // "Image12", "Image3", "Image13", "Image14", "Image2"); with the title
  // strip they are the window's shape.
  std::vector<TSkinImage*> commandImages_;
  TSkinImage* Image7 = nullptr;            // "Выложить карту"; new cards go by it
  QWidget* SpeedButton1 = nullptr;         // opens the deal-mode menu; not shown
  QMenu* PopupMenu1 = nullptr;             // deal mode, then the reading's entries
  QAction* copyReading_ = nullptr;         // "N4"
  QAction* saveReadingPicture_ = nullptr;  // "N5"
};

}  // namespace vaticor
