#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/main_window_geometry.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/main/main_menu.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QFrame;
class QSystemTrayIcon;

namespace vaticor {

class MinimisedTogether;
class SkinChrome;
class TCardImage;
class TSkinImage;

// The main window: draws one card or three distinct cards from the current
// deck, upright or reversed, shows them side by side and logs the reading.
// Borderless and skinned; driven by its menu, its caption and the keyboard.
// The other windows reach it through MainWindowLink and SpreadsHostLink;
// its controls and handlers are its own (tests find the controls by their
// layout names: "CardImage01", "Panel01", "Label2", the menu items "N28",
// ...).
class TVaticorForm : public QWidget,
                     public MainWindowLink,
                     public SpreadsHostLink,
                     public InstalledListsLink {
  Q_OBJECT
 public:
  // The main window is created first; the windows it reaches are created
  // after it and handed to it by ConnectWindows, before the user can act.
  // Without `pictureDialog`, the desktop's save dialog in the Pictures
  // folder saves the reading's picture.
  explicit TVaticorForm(ProgramState& state,
                        std::unique_ptr<ReadingPictureDialog> pictureDialog = nullptr,
                        QWidget* parent = nullptr);
  ~TVaticorForm() override;
  void ConnectWindows(WindowLinks links);
  // Called when the window needs the other windows before ConnectWindows:
  // the program makes them after the main window first shows, unless
  // something reaches them sooner.
  void WhenWindowsNeeded(std::function<void()> make);

  // --- What the other windows ask (MainWindowLink) ---
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void MinimiseMainWindow() override;
  bool TrayIconActive() const override;
  void Draw() override { Label1Click(); }
  void PopupMainMenuAt(int x, int y) override;
  void QuestionWindowTurnedOff() override;
  void MakeRoomAbove(int questionTop) override;
  WindowRect TitleStripOnScreen() const override;
  // --- What the spreads window asks while it stands in for this one ---
  void PopupMainMenuAtScreen(int x, int y) override;
  void CloseMainWindow() override { close(); }
  void SpreadsWindowShown() override;
  // A logged reading put back: the mode, then each card (turned when its
  // value is negative, whatever the reversed-cards option).
  void SetCardMode(bool threeCards) override;
  void ShowCard(int slot, std::int32_t value) override;
  // --- What the folder-selection window asks after an import ---
  void RebuildDeckMenu() override;
  void RebuildDescriptionMenu() override;

  // --- What the program asks ---
  // Hints, menus and caption from the interface language.
  void ApplyLanguage();
  // The language submenu: "[rus] Русский" and one item per language file
  // (position i + 1), and the one checked.
  void SetLanguageItems(const std::vector<std::string>& captions);
  void CheckLanguageItem(int position);
  // At a first start (no deck or set stored in the settings), the deck and
  // the description set written in the interface language `language` (a
  // language code, "en"), where there is one; what was stored stays.
  void ChooseContentInLanguage(const std::string& language);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // How a deck change sizes the cards when automatic card size is on.
  enum class DeckSizing { kApplyAutoSize, kFitToHeight };

  // --- The draw and the cards on show ---
  void Label1Click();
  void ShowCardOnImage(int signedCard, TCardImage* image);
  void ClearCards();
  void RefreshCardPictures();
  void CacheCardPictureSize();
  void SwitchToOneCardMode();
  void SwitchToThreeCardMode();
  bool ThreeCardMode() const { return state_.INIData.ThreeCardsModeEnabled; }
  int CardsAcross() const { return ThreeCardMode() ? 3 : 1; }
  // Opens the viewer on an image's card (nothing to load for an empty image).
  void CardImageClick(TCardImage* image);
  // The card menu's reading entries, for the cards of the mode on show:
  // the text (the draw's moment, each card's number, name and turn) to the
  // clipboard; the card images side by side as shown to a PNG file (raises
  // PictureWriteError). Nothing while no card is shown.
  void CopyReading();
  void SaveReadingPicture();

  // --- Sizing ---
  void ApplyAutoCardSize();
  void FitCardWidthToHeight();
  void ApplyScreenCardSize();

  // --- Menus and options ---
  void SelectDeckFromMenu(int deck);
  void SelectDescriptionFromMenu(int set);
  void N15Click();  // random deck
  void N10Click(MainOption option, bool checked);
  void PopupMenu1Popup();
  void PopupMenu2Popup(TCardImage* image);
  void Image1Click();  // opens the main menu below the menu image
  void Image7Click();  // switches to the spreads window
  QPoint MainMenuPoint() const;

  // --- Tray icon and taskbar button ---
  void TrayIcon1Click();
  void ButtonHideImageClick();
  void FormActivate();

  // --- Keys: a released key by its virtual-key code ---
  void FormKeyUp(int virtualKey);
  void NextDeck(int step);
  void ToggleQuestionWindow();

  void CreateControls();
  void CreateCardPanels();
  void CreateChrome();
  // The tray icon, made at the first need of it or just after the window
  // first shows, whichever comes first: making it asks the desktop's
  // session bus whether a notification area is there, which the first
  // sight of the window need not wait for.
  QSystemTrayIcon* TrayIcon();
  MainMenuCommands MenuCommands();
  void FormCreate();
  void LayOutControls();
  void SetUpMajorArcanaItem();
  void UpdateRandomDeckItems();
  void SetCaption();
  QString CaptionText(int id, const char* russian) const;
  std::array<TCardImage*, 3> CardImages() const { return {CardImage01, CardImage02, CardImage03}; }
  // Makes `deck` current: menu mark, deck, picture size, card sizes, and the
  // cards on show re-shown from it.
  void SwitchToDeck(int deck, DeckSizing sizing);
  // Shows a signed card on an image: its picture from the current deck at
  // the image's size, turned by 180 degrees when `turned`; the image is left
  // empty when the deck has no such card.
  void ShowPicture(TCardImage* image, int signedCard, bool turned);
  // The panels' card width, for all three.
  void SetPanelWidth(int width);
  int PanelWidth() const;
  // The window as the sizing rules see it, and their outcome applied.
  MainWindowState SizingState() const;
  void ApplySizing(const MainSizing& sizing);
  void SwitchMode(int cardsAcross);
  void StoreGeometry();
  void SetQuestionEnabled(bool enabled, bool fromMenu);

  // The windows it reaches, made first when they are still to be made (see
  // WhenWindowsNeeded); raises std::bad_optional_access (shown by the
  // command) when there is nothing to make them.
  WindowLinks& Links();
  // Whether the viewer shows; false while there are no other windows yet,
  // without making them.
  bool ViewerVisible() const;

  ProgramState& state_;
  std::optional<WindowLinks> links_;
  std::function<void()> makeWindows_;
  std::unique_ptr<SkinChrome> chrome_;
  TitleStrip strip_;
  TMainMenu* menu_ = nullptr;
  // The other windows hide while it is minimised or hidden into the tray.
  MinimisedTogether* together_ = nullptr;

  // Controls: the title strip (strip_, its icon the menu image), the
  // sizing frame and the caption on its bottom bar, and by the names the
  // window's layout gives them the rest.
  SizingFrame frame_;
  CaptionPair caption_;
  TSkinImage* Image7 = nullptr;  // spreads
  QFrame* Panel01 = nullptr;
  QFrame* Panel03 = nullptr;
  QFrame* Panel02 = nullptr;
  TCardImage* CardImage01 = nullptr;
  TCardImage* CardImage02 = nullptr;
  TCardImage* CardImage03 = nullptr;
  QSystemTrayIcon* TrayIcon1 = nullptr;

  int oneCardWidth_ = 0;
  int threeCardWidth_ = 0;
  int cardPictureWidth_ = 0;
  int cardPictureHeight_ = 0;
  bool clampToScreenEdge_ = true;
  // The draw's own picker, apart from the spreads' one.
  TCardsSpreadGenerator drawPicker_;
  TCardImage* popupImage_ = nullptr;
  std::unique_ptr<ReadingPictureDialog> pictureDialog_;
  // When the cards on show were drawn; empty for a reading put back.
  std::string drawMoment_;
  bool creating_ = true;
  bool closing_ = false;  // the settings are written once
};

}  // namespace vaticor
