#pragma once

#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "library/content_selection.h"
#include "library/picture_loader.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/title_strip.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QFrame;
class QListWidget;
class QMenu;
class QSplitter;
class QSplitterHandle;
class QTextEdit;
class QToolButton;

namespace vaticor {

class SkinChrome;
class TCardImage;
class TSkinImage;
class ViewerMenus;

// The card-description viewer: the document of one card from the current
// description set in a read-only rich-text area, under a title of the set's
// name and the card's name. A toolbar switches the description set, the text
// size and a card-selection panel (the current deck's card names with the
// selected card's picture under them). One viewer exists for the whole run;
// closing it only hides it.
class TAboutForm : public QWidget, public CardViewerLink, public ContentListener {
  Q_OBJECT
 public:
  // `pictures` decodes the panel's card picture; a click on the window icon
  // shows the main window.
  TAboutForm(ProgramState& state, PictureLoader& pictures, MainWindowLink& main,
             QWidget* parent = nullptr);
  ~TAboutForm() override;

  // --- What the other windows ask of the viewer ---
  // Shows the document of card `card`, section `section`, of the current
  // description set under `title`, and brings the viewer to the front.
  void ShowCardDescription(const std::string& title, int card, int section) override;
  // The same with what the card's position means as the first paragraph,
  // kept while the description set or the text size changes.
  void ShowCardAtPosition(const std::string& title, int card, int section,
                          const std::string& meaning) override;
  // Makes the viewer visible with what it showed last.
  void ShowViewer() override;
  bool IsViewerVisible() const override;
  // Shows the current card again (after the description set changed).
  void ShowCurrentCardAgain() override;
  // --- The deck and description choice: the card list names the current
  // deck's cards, the set menu lists the sets and marks the current one.
  void DeckChanged(DeckChoice how) override;
  void DescriptionSetChanged() override;
  void DescriptionListReloaded() override;

  // Puts the interface language's texts on the toolbar and the text-size
  // menu (the built-in Russian texts where the language has none).
  void ApplyLanguage();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // -1: the sizes stored in the document (reloads it); 0..4: every
  // character at 2 * n + 8 points.
  void ApplyDescriptionFontSize(int sizeIndex);

  // --- Commands ---
  // A toolbar button's menu, below the button.
  void OpenMenu(QMenu* menu, const QWidget* button);
  void ChooseDescription(int position);
  void MarkCurrentDescription() const;
  void ChooseTextSize(int sizeIndex);
  // "Выбрать карту": shows or hides the card-selection panel.
  void ToggleCardPanel();
  // The card of a row the user chose in the list, and its picture.
  void ShowChosenCard(int row);
  void StorePanelWidth();
  void FitPictureToFrame();
  void ToggleMaximised();

  // The frame (the title strip with the title text and the maximise and
  // restore images, the edges) and, by the names the window's layout gives
  // them, the other controls.
  TitleStrip strip_;
  SizingFrame frame_;
  TSkinImage* ToolBarImage = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  TSkinImage* Image6 = nullptr;          // line under the toolbar
  QWidget* Panel1 = nullptr;             // content area
  QSplitter* ContentSplitter = nullptr;  // holds Panel2 | RichEdit1
  QFrame* Panel2 = nullptr;              // card-selection panel
  QSplitter* PanelSplitter = nullptr;    // holds ListBox1 / Panel3
  QListWidget* ListBox1 = nullptr;
  QFrame* Panel3 = nullptr;              // picture frame
  TCardImage* Image2 = nullptr;          // card picture
  QSplitterHandle* Splitter1 = nullptr;  // panel / text
  QTextEdit* RichEdit1 = nullptr;
  std::unique_ptr<ViewerMenus> menus_;  // "PopupMenu1" (sets), "PopupMenu2" (sizes)

  void CreateControls();
  void CreateMenus();
  void FormCreate();
  void LayOutControls();
  void PlaceToolButtons();
  // The card list: the current deck's card names, none selected.
  void FillCardList();
  // The set menu: one item per set read, the current one marked.
  void FillDescriptionMenu();
  // Selects a row without running the list's selection handler; a row
  // outside the list selects none.
  void SelectRow(int row);
  // The card on show, with the position meaning it has now.
  void ShowCard(const std::string& title, int card, int section);
  void LoadDocument(const std::string& path);
  // The card on show's text again (the reader's meaning changed), in place.
  void RefreshText();
  void LoadCardPicture(int number);
  void SetTitleText(const QString& text);
  void FitTitle();
  void SetPanelVisible(bool visible);
  void Maximize();
  void Restore();
  QString CurrentSetName() const;
  void RedrawText();

  ProgramState& state_;
  PictureLoader& pictures_;
  MainWindowLink& main_;
  std::unique_ptr<SkinChrome> chrome_;

  std::string currentTitle_;
  int currentCard_ = -1;  // none shown yet
  int currentSection_ = 0;
  std::string positionMeaning_;  // of the card on show; empty: none
  QString titleText_;
  int pictureCard_ = -1;   // card whose picture the panel shows, -1: none
  QSize pictureLoadedAt_;  // the frame size the picture was decoded for
  QTimer pictureReload_;

  bool maximized_ = false;
  bool firstShown_ = false;
  QRect normalGeometry_;
  QPoint iconPressWindowPos_;
};

}  // namespace vaticor
