#pragma once

#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/content_selection.h"
#include "library/picture_loader.h"
#include "ui/program_state.h"
#include "ui/window_links.h"

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QSplitterHandle;
class QTextEdit;
class QToolButton;

namespace vaticor {

class SkinChrome;
class TCaptionLabel;
class TCardImage;
class TSkinImage;

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

  static constexpr int kMinimumWidth = 343;
  static constexpr int kContentTop = 43;
  static constexpr int kListMinWidth = 121;
  static constexpr int kListMaxWidth = 210;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // -1: the sizes stored in the document (reloads it); 0..4: every
  // character at 2 * n + 8 points.
  void ApplyDescriptionFontSize(int sizeIndex);

  // --- Handlers, by the layout's names ---
  void SpeedButton1Click();  // "Выбрать описание": the description-set menu
  void SpeedButton2Click();  // "Выбрать карту": shows or hides the panel
  void SpeedButton6Click();  // "Размер шрифта": the text-size menu
  void FillDescriptionMenu();
  void CheckDescriptionItem();
  void PopupMenu2Popup();
  void MenuItem1Click(int tag);  // every text-size item; tag = size index
  void ListBox1Click(int row);
  void Splitter1Moved();
  void Panel3Resize();
  void Image1Click();
  void Image3DblClick();
  void ButtonMaximizeImageClick();
  void ButtonNormalImageClick();
  void ButtonCloseImageClick();

  // Where a toolbar button's menu opens: the button's bottom-left corner
  // on the screen.
  QPoint MenuPoint(const QWidget* button) const;
  // The menus' items: a description set's by its position, a text size's by
  // its size index (-1 to 4); nullptr when there is none.
  QAction* DescriptionItem(int position) const;
  QAction* FontSizeItem(int sizeIndex) const;

  // Controls and menus, by the names the window's layout gives them.
  TSkinImage* Image3 = nullptr;     // title bar
  TSkinImage* Image1 = nullptr;     // window icon
  TCaptionLabel* Label2 = nullptr;  // title text (white)
  TCaptionLabel* Label1 = nullptr;  // its shadow (black)
  TSkinImage* ButtonCloseImage = nullptr;
  TSkinImage* ButtonMaximizeImage = nullptr;
  TSkinImage* ButtonNormalImage = nullptr;
  TSkinImage* Image10 = nullptr;  // line under the title
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
  QSplitterHandle* Splitter2 = nullptr;  // list / picture
  QFrame* Panel3 = nullptr;              // picture frame
  TCardImage* Image2 = nullptr;          // card picture
  QSplitterHandle* Splitter1 = nullptr;  // panel / text
  QTextEdit* RichEdit1 = nullptr;
  TSkinImage* Image7 = nullptr;  // left edge
  TSkinImage* Image9 = nullptr;  // right edge
  TSkinImage* Image8 = nullptr;  // bottom edge
  QMenu* PopupMenu1 = nullptr;   // description sets
  QMenu* PopupMenu2 = nullptr;   // text size

  void CreateControls();
  void CreateMenus();
  void FormCreate();
  void LayOutControls();
  void PlaceToolButtons();
  void FillCardList();
  // Selects a row without running the list's selection handler; a row
  // outside the list selects none.
  void SelectRow(int row);
  // The card on show, with the position meaning it has now.
  void ShowCard(const std::string& title, int card, int section);
  void LoadDocument(const std::string& path);
  void LoadCardPicture(int number);
  void SetTitleText(const QString& text);
  void FitTitleLabels();
  void SetPanelVisible(bool visible);
  void Maximize();
  void Restore();
  QString CurrentSetName() const;
  void RedrawText();

  ProgramState& state_;
  PictureLoader& pictures_;
  MainWindowLink& main_;
  std::vector<QAction*> descriptionItems_;
  std::vector<QAction*> fontSizeItems_;  // by size index + 1
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
  // The positions the two menus last checked (-1: none / the default size).
  int CheckedDescriptionPosition = -1;
  int CheckedFontSizeIndex = -1;
};

}  // namespace vaticor
