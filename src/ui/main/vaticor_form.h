#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/content_selection.h"
#include "library/spread_picker.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/reading_share.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

namespace vaticor {

class CommandSet;
class MainWindowSizing;
class MinimisedTogether;
class ProgramFace;
class SkinChrome;
class TCardRow;
class TMainMenu;
class TSkinImage;

// The main window: draws one card or three distinct cards from the current
// deck, upright or reversed, shows them side by side (TCardRow) and logs
// the reading. Borderless and skinned; driven by its menu, its caption and
// the keyboard, through one command set. The other windows reach it through
// MainWindowLink and SpreadsHostLink; it follows the deck and description
// choice as a ContentListener. Tests find its controls by their layout
// names ("CardImage01", "Panel01", "Label2", the menu items "N28", ...).
class TVaticorForm : public QWidget,
                     public MainWindowLink,
                     public SpreadsHostLink,
                     public ContentListener {
  Q_OBJECT
 public:
  // The decks and description sets are loaded (ContentSelection::Load)
  // before. The windows it reaches are created after it and handed to it
  // by ConnectWindows. Without `pictureDialog`, the desktop's save dialog in
  // the Pictures folder saves the reading's picture.
  explicit TVaticorForm(ProgramState& state,
                        std::unique_ptr<ReadingPictureDialog> pictureDialog = nullptr,
                        QWidget* parent = nullptr);
  ~TVaticorForm() override;
  void ConnectWindows(WindowLinks links);
  // Called when the window needs the other windows before ConnectWindows:
  // the program makes them after the main window first shows, unless
  // something reaches them sooner.
  void WhenWindowsNeeded(std::function<void()> make);
  // The language submenu: "[rus] Русский" and one item per language file
  // (position i + 1), and the one checked.
  void ShowLanguages(const std::vector<std::string>& captions, int checked);
  // Which window stands for the program, the tray icon, the taskbar rule.
  ProgramFaceLink& Face();

  // --- What the other windows ask (MainWindowLink) ---
  void ShowMainWindow() override;
  void HideMainWindow() override { hide(); }
  void MinimiseMainWindow() override { showMinimized(); }
  bool TrayIconActive() const override;
  void Draw() override { DrawCards(Links().question.QuestionText()); }
  void PopupMainMenuAt(int x, int y) override;
  void QuestionWindowTurnedOff() override { SetQuestionEnabled(false, false); }
  void MakeRoomAbove(int questionTop) override;
  WindowRect TitleStripOnScreen() const override;
  // A logged reading put back: the mode, then each card (turned when its
  // value is negative, whatever the reversed-cards option).
  void SetCardMode(bool threeCards) override { ChooseCardsAcross(threeCards ? 3 : 1); }
  void ShowCard(int slot, std::int32_t value) override;
  // --- What the spreads window asks while it stands in for this one ---
  void PopupMainMenuAtScreen(int x, int y) override;
  void CloseMainWindow() override { close(); }
  // --- The deck and description choice (ContentListener) ---
  void DeckChanged(DeckChoice how) override;
  void DescriptionSetChanged() override;
  void DeckListReloaded() override;
  void DescriptionListReloaded() override;

  // Hints, menus and caption from the interface language.
  void ApplyLanguage();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateControls();
  void CreateChrome();
  void CreateCommands();
  void BindKeys();
  void FollowMenus();
  void FormCreate();
  void KeepOnScreen();
  void LayOutControls();

  // --- Commands ---
  // `question`: the question window's, when the draw came from there.
  void DrawCards(const std::string& question = {});
  void ChooseCardsAcross(int cardsAcross);
  void DescribeCard(int slot);
  void OpenCardMenu(int slot, QPoint at);
  void UpdateReadingItems();
  void OpenMainMenu();
  void HideProgram();
  void SetTaskbarButton(bool shown);
  void SetAutoSize(bool on);
  void StepLog(int step);
  void ShowLogAtLastLine();
  void SetQuestionEnabled(bool enabled, bool fromMenu);

  // --- Sizing (MainWindowSizing) ---
  bool ThreeCardMode() const { return state_.INIData.ThreeCardsModeEnabled; }
  int CardsAcross() const { return ThreeCardMode() ? 3 : 1; }
  void StoreGeometry();
  void SetCaption();
  QString CaptionText(int id, const char* russian) const;

  // The windows it reaches, made first when they are still to be made (see
  // WhenWindowsNeeded); raises std::bad_optional_access (shown by the
  // command) when there is nothing to make them.
  WindowLinks& Links();
  bool ViewerVisible() const { return links_ && links_->viewer.IsViewerVisible(); }

  ProgramState& state_;
  std::optional<WindowLinks> links_;
  std::function<void()> makeWindows_;
  std::unique_ptr<SkinChrome> chrome_;
  CommandSet* commands_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TCardRow* row_ = nullptr;
  std::unique_ptr<MainWindowSizing> sizing_;
  ProgramFace* face_ = nullptr;
  // The other windows hide while it is minimised or hidden into the tray.
  MinimisedTogether* together_ = nullptr;
  std::unique_ptr<ReadingPictureDialog> pictureDialog_;

  // The title strip (its icon the menu image "Image1"), the spreads image,
  // the sizing frame and the caption on its bottom bar.
  TitleStrip strip_;
  TSkinImage* Image7 = nullptr;
  SizingFrame frame_;
  CaptionPair caption_;

  // The draw's own picker, apart from the spreads' one.
  TCardsSpreadGenerator drawPicker_;
  int menuSlot_ = -1;  // the card the card menu was opened on
  bool creating_ = true;
  bool closing_ = false;  // the settings are written once
};

}  // namespace vaticor
