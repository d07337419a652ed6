#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "ui/main/window_links.h"
#include "ui/program_state.h"

class QAction;
class QFrame;
class QMenu;
class QSystemTrayIcon;

namespace vaticor {

class SkinChrome;
class TCaptionLabel;
class TCardImage;
class TSkinImage;

// The main window: draws one card or three distinct cards from the current
// deck, upright or reversed, shows them side by side and logs the reading.
// Borderless and skinned; driven by its menu, its caption and the keyboard.
class TVaticorForm : public QWidget {
  Q_OBJECT
 public:
  TVaticorForm(ProgramState& state, WindowLinks links, QWidget* parent = nullptr);
  ~TVaticorForm() override;

  // --- The draw and the cards on show ---
  void Label1Click();
  // The (a+1)-th unused card of the current draw; -1 when none is left.
  int PickUnusedCard();
  void ShowCardOnImage(int signedCard, TCardImage* image);
  // Puts a logged card back: the image takes the signed value and shows the
  // card's picture, turned when the value is negative whatever the
  // reversed-cards option; it is left empty when the deck has no such card.
  void ShowSignedCard(TCardImage* image, int signedCard);
  void ClearCards();
  void RefreshCardPictures();
  void CacheCardPictureSize();
  void SwitchToOneCardMode();
  void SwitchToThreeCardMode();
  bool ThreeCardMode() const { return state_.INIData.ThreeCardsModeEnabled; }
  int CardsAcross() const { return ThreeCardMode() ? 3 : 1; }
  // Opens the viewer on an image's card (nothing to load for an empty image).
  void CardImageClick(TCardImage* image);

  // --- Sizing ---
  void ApplyAutoCardSize();
  void FitCardWidthToHeight();
  void ApplyScreenCardSize();

  // --- Menus and options ---
  void SelectDeckFromMenu(int deck);
  void SelectDescriptionFromMenu(int set);
  void N15Click();  // random deck
  void N10Click(int tag);
  void RebuildDeckMenu();
  void RebuildDescriptionMenu();
  void PopupMenu1Popup();
  void PopupMenu2Popup(TCardImage* image);
  void Image1Click();  // opens the main menu below the menu image
  void Image7Click();  // switches to the spreads window
  QPoint MainMenuPoint() const;

  // --- Tray icon and taskbar button ---
  void TrayIcon1Click();
  void ButtonHideImageClick();
  void FormActivate();
  bool TrayIconActive() const;

  // --- Keys: a released key by its virtual-key code ---
  void FormKeyUp(int virtualKey);
  void NextDeck(int step);
  void ToggleQuestionWindow();

  // Controls and menus, by the names the window's layout gives them.
  TSkinImage* Image5 = nullptr;  // title
  TSkinImage* Image1 = nullptr;  // menu
  TSkinImage* Image7 = nullptr;  // spreads
  TSkinImage* ButtonHideImage = nullptr;
  TSkinImage* ButtonCloseImage = nullptr;
  TSkinImage* Image26 = nullptr;  // top edge
  TSkinImage* Image4 = nullptr;   // left edge
  TSkinImage* Image6 = nullptr;   // right edge
  TSkinImage* Image3 = nullptr;   // bottom edge
  TSkinImage* Image2 = nullptr;   // bottom bar
  QFrame* Panel01 = nullptr;
  QFrame* Panel03 = nullptr;
  QFrame* Panel02 = nullptr;
  TCardImage* CardImage01 = nullptr;
  TCardImage* CardImage02 = nullptr;
  TCardImage* CardImage03 = nullptr;
  TCaptionLabel* Label2 = nullptr;
  TCaptionLabel* Label1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QMenu* DeckMenu = nullptr;         // "Выбрать колоду" (N2)
  QMenu* DescriptionMenu = nullptr;  // "Выбрать описание" (N14)
  QMenu* SettingsMenu = nullptr;     // "Настройки" (N8)
  QMenu* ProgramMenu = nullptr;      // "Программа" (N24)
  QMenu* LanguageMenu = nullptr;     // "Язык интерфейса"
  QSystemTrayIcon* TrayIcon1 = nullptr;

  // Menu items by position; separators count.
  static QAction* ItemAt(QMenu* menu, int position);

  int OneCardWidth = 0;
  int ThreeCardWidth = 0;
  int CardPictureWidth = 0;
  int CardPictureHeight = 0;
  bool ClampToScreenEdge = true;
  int CheckedDeckPosition = 0;
  int CheckedDescriptionIndex = -1;

  static constexpr const char* kWebPage = "https://vaticor.org";
  static constexpr const char* kMailLink = "mailto:developers@vaticor.org";

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  void FormCreate();
  void LayOutControls();
  void SetUpMajorArcanaItem();
  void UpdateRandomDeckItems();
  void CheckOnlyDeckItem(int position);
  void SetCaption();
  QString LanguageText(int id, const char* russian) const;
  std::array<TCardImage*, 3> CardImages() const { return {CardImage01, CardImage02, CardImage03}; }
  // The panels' card width, for all three.
  void SetPanelWidth(int width);
  int PanelWidth() const;
  int PanelHeight() const { return height() - 42; }
  // The right-half rule: the window's centre lies right of the screen's.
  bool RightHalf(int left, int width) const;
  void StoreGeometry();
  void ShowSharper(TCardImage* image);
  void SetQuestionEnabled(bool enabled, bool fromMenu);

  ProgramState& state_;
  WindowLinks links_;
  std::unique_ptr<SkinChrome> chrome_;
  std::vector<bool> UsedCardFlags;
  int RemainingCount = 0;
  int drawCount_ = 0;  // eligible cards of the current draw
  TCardImage* popupImage_ = nullptr;
  bool creating_ = true;
};

}  // namespace vaticor
