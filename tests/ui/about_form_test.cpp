#include "ui/viewer/about_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <filesystem>
#include <set>

#include "library/journal_fake.h"
#include "support/fake_picture_loader.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"
#include "support/temp_dir.h"
#include "support/ui/fake_windows.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/card_image.h"
#include "ui/chrome/skin_image.h"
#include "ui/content_signals.h"
#include "ui/journal_keeper.h"

namespace vaticor {
namespace {

using testing::Click;
using testing::Control;
using testing::Drag;
using testing::FakeMainWindow;
using testing::FakePictureLoader;
using testing::SendMouse;

QAction* ItemAt(QMenu* menu, int position) {
  const QList<QAction*> actions = menu->actions();
  return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

// The point sizes of the text's characters.
std::set<double> PointSizes(const QTextDocument& document) {
  std::set<double> sizes;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.isValid()) sizes.insert(fragment.charFormat().fontPointSize());
    }
  }
  return sizes;
}

// The text-size item of a size index: "По умолчанию" (-1), a separator,
// then the sizes 0 to 4.
QAction* SizeItem(const QWidget& form, int sizeIndex) {
  return ItemAt(Control<QMenu>(form, "PopupMenu2"), sizeIndex < 0 ? 0 : sizeIndex + 2);
}

// A toolbar button's menu opened by the button, then closed again.
void OpenMenu(const QWidget& form, const char* button, const char* menu) {
  Control<QToolButton>(form, button)->click();
  Control<QMenu>(form, menu)->hide();
}

std::vector<std::string> Captions(QMenu* menu) {
  std::vector<std::string> result;
  for (QAction* action : menu->actions()) result.push_back(action->text().toStdString());
  return result;
}

std::vector<int> CheckedPositions(QMenu* menu) {
  std::vector<int> result;
  const QList<QAction*> actions = menu->actions();
  for (int i = 0; i < actions.size(); ++i) {
    if (actions[i]->isChecked()) result.push_back(i);
  }
  return result;
}

// A WordPad document in Windows-1251 at 20 points: "<name> текст".
std::string Rtf(const std::string& name) {
  return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}\r\n"
         "\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs40 " +
         name + " \\'f2\\'e5\\'ea\\'f1\\'f2\\par\r\n}\r\n";
}

class ViewerTest : public ::testing::Test, protected testing::ProgramStateFixture {
 protected:
  ViewerTest() {
    // A deck of 22 cards whose pictures carry their card number.
    MakeDeck("a", 22);
    // Two description sets; the first has documents for cards 0, 3 and 5.
    dir.Write("Descriptions/one/description.ini",
              "[Description]\r\nName=Classic\r\n[Sections]\r\nMain=\r\n"
              "[Main]\r\nCard00=00.rtf\r\nCard03=03.rtf\r\nCard05=05.txt\r\n");
    dir.Write("Descriptions/one/00.rtf", Rtf("Fool"));
    dir.Write("Descriptions/one/03.rtf", Rtf("Empress"));
    dir.Write("Descriptions/one/05.txt", "Plain <b>text</b>\r\nsecond line");
    dir.Write("Descriptions/two/description.ini",
              "[Description]\r\nName=Second\r\n[Sections]\r\nMain=\r\n[Main]\r\nCard03=3.rtf\r\n");
    dir.Write("Descriptions/two/3.rtf", Rtf("Other"));
  }

  std::unique_ptr<TAboutForm> Open() {
    ReadSettingsFile();
    state.Content.Load();
    auto form = std::make_unique<TAboutForm>(state, loader, mainWindow);
    FollowContent(state.ContentChanges, form.get(), *form);
    return form;
  }

  std::string Text(const TAboutForm& form) const {
    return Control<QTextEdit>(form, "RichEdit1")->toPlainText().toStdString();
  }
  std::uint32_t PictureTag(const TAboutForm& form) const {
    return Control<TCardImage>(form, "Image2")->Picture().pixel(0, 0) & 0xFFFFFFu;
  }

  FakeMainWindow mainWindow;
};

TEST_F(ViewerTest, StartsHiddenAtItsStoredPlaceWithTheFrameLaidOut) {
  auto form = Open();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->geometry(), QRect((1024 - 473) / 2, (768 - 243) / 2, 473, 243));
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonCloseImage")->geometry(), QRect(473 - 17, 0, 17, 17));
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonMaximizeImage")->geometry(),
            QRect(473 - 34, 0, 17, 17));
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonNormalImage")->geometry(),
            Control<TSkinImage>(*form, "ButtonMaximizeImage")->geometry());
  EXPECT_EQ(Control<TSkinImage>(*form, "ToolBarImage")->geometry(), QRect(2, 19, 469, 22));
  EXPECT_EQ(Control<TSkinImage>(*form, "Image6")->geometry(), QRect(2, 41, 469, 2));
  EXPECT_EQ(Control<TSkinImage>(*form, "Image8")->y(), 241);
  EXPECT_EQ(Control<QWidget>(*form, "Panel1")->geometry(), QRect(2, 43, 469, 241 - 43));
  // The toolbar's buttons side by side, at least as wide as designed.
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton1")->geometry().topLeft(), QPoint(4, 20));
  EXPECT_GE(Control<QToolButton>(*form, "SpeedButton1")->width(), 125);
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton2")->x(),
            Control<QToolButton>(*form, "SpeedButton1")->geometry().right() + 1);
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton6")->x(),
            Control<QToolButton>(*form, "SpeedButton2")->geometry().right() + 1);
  EXPECT_GE(Control<QToolButton>(*form, "SpeedButton6")->width(),
            Control<QToolButton>(*form, "SpeedButton6")->sizeHint().width());
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton6")->height(), 21);
  // The panel starts hidden; the list is filled all the same.
  EXPECT_FALSE(Control<QFrame>(*form, "Panel2")->isVisibleTo(form.get()));
  EXPECT_FALSE(Control<QSplitterHandle>(*form, "Splitter1")->isVisibleTo(form.get()));
  ASSERT_EQ(Control<QListWidget>(*form, "ListBox1")->count(), 22);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->item(7)->text().toStdString(), "Card 7");
  EXPECT_EQ(Captions(Control<QMenu>(*form, "PopupMenu1")),
            (std::vector<std::string>{"Classic", "Second"}));
  EXPECT_EQ(Captions(Control<QMenu>(*form, "PopupMenu2")),
            (std::vector<std::string>{"По умолчанию", "", "Самый маленький", "Маленький", "Средний",
                                      "Крупный", "Самый крупный"}));
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{0});
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu1")), std::vector<int>{0});
}

TEST_F(ViewerTest, ResizingKeepsTheFrameAndTheContentInPlace) {
  auto form = Open();
  form->show();
  form->resize(600, 400);
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonCloseImage")->x(), 583);
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonMaximizeImage")->x(), 566);
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonNormalImage")->x(), 566);
  EXPECT_EQ(Control<TSkinImage>(*form, "ToolBarImage")->width(), 596);
  EXPECT_EQ(Control<TSkinImage>(*form, "Image9")->x(), 598);
  EXPECT_EQ(Control<QWidget>(*form, "Panel1")->geometry(), QRect(2, 43, 596, 398 - 43));
  // Never narrower than the toolbar's buttons: with short captions, the
  // design's 343 pixels.
  languages.LoadFile(dir.Write("Short.ini",
                               "[Language]\r\nName=Short\r\n[ID]\r\n1024=a\r\n1025=b\r\n"
                               "1038=c\r\n"));
  form->ApplyLanguage();
  form->resize(200, 400);
  EXPECT_EQ(form->width(), 343);
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton6")->geometry().right(), 338);
  // Captions wider than the design's: the last button still ends 4 pixels
  // inside the window.
  languages.LoadFile(dir.Write(
      "Long.ini", "[Language]\r\nName=Long\r\n[ID]\r\n1025=" + std::string(60, 'W') + "\r\n"));
  form->ApplyLanguage();
  form->resize(200, 400);
  const int buttonEnd = Control<QToolButton>(*form, "SpeedButton6")->geometry().right() + 1;
  EXPECT_GT(buttonEnd, 339);
  EXPECT_EQ(form->width() - buttonEnd, 4);
}

TEST_F(ViewerTest, ShowingACardSetsTitleTextRowAndShowsTheWindow) {
  auto form = Open();
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->IsViewerVisible());
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 3");
  EXPECT_EQ(Control<TCaptionLabel>(*form, "Label2")->text(), form->windowTitle());
  EXPECT_EQ(Control<TCaptionLabel>(*form, "Label1")->text(), form->windowTitle());
  EXPECT_EQ(Control<TCaptionLabel>(*form, "Label1")->pos(),
            Control<TCaptionLabel>(*form, "Label2")->pos() + QPoint(1, 1));
  EXPECT_EQ(Text(*form), "Empress текст");
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{20});
  // The row is selected even with the panel hidden; no picture is loaded.
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), 3);
  EXPECT_FALSE(Control<TCardImage>(*form, "Image2")->HasPicture());
  // The card held for a show again: card 3 under its title, section 0.
  form->ShowCurrentCardAgain();
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 3");
  EXPECT_EQ(Text(*form), "Empress текст");
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), 3);

  // A plain-text document shows as text, markup and all.
  form->ShowCardDescription("Card 5", 5, 0);
  EXPECT_EQ(Text(*form), "Plain <b>text</b>\nsecond line");
  // No document for the card: empty text, title and window all the same.
  form->hide();
  form->ShowCardDescription("Card 4", 4, 0);
  EXPECT_EQ(Text(*form), "");
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 4");
  EXPECT_TRUE(form->isVisible());
  // A card beyond the list selects no row.
  form->ShowCardDescription("Far", 40, 0);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), -1);
  EXPECT_TRUE(Control<QListWidget>(*form, "ListBox1")->selectedItems().isEmpty());
}

TEST_F(ViewerTest, AChosenTextSizeHoldsForEveryCardUntilTheDefaultReloadsTheFile) {
  auto form = Open();
  form->ShowCardDescription("Card 0", 0, 0);
  SizeItem(*form, 2)->trigger();
  EXPECT_EQ(ini.AboutFormFontSizeIndex, 2);
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{12});
  EXPECT_EQ(Control<QTextEdit>(*form, "RichEdit1")->textCursor().position(), 0);
  EXPECT_FALSE(Control<QTextEdit>(*form, "RichEdit1")->textCursor().hasSelection());

  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{12});
  SizeItem(*form, 4)->trigger();
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{16});
  SizeItem(*form, 0)->trigger();
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{8});

  SizeItem(*form, -1)->trigger();
  EXPECT_EQ(ini.AboutFormFontSizeIndex, -1);
  EXPECT_EQ(Text(*form), "Empress текст");
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{20});
}

TEST_F(ViewerTest, TheStoredTextSizeAppliesFromTheStartAndIsCheckedAtTheFirstOpening) {
  ApplySettings = [](TINIData& data) { data.AboutFormFontSizeIndex = 3; };
  auto form = Open();
  // Until the menu opens, the design's mark stays.
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{0});
  OpenMenu(*form, "SpeedButton6", "PopupMenu2");
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{5});
  form->ShowCardDescription("Card 0", 0, 0);
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{14});

  // Clicks move the one mark; a click on the checked item keeps it.
  ItemAt(Control<QMenu>(*form, "PopupMenu2"), 2)->trigger();
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{2});
  ItemAt(Control<QMenu>(*form, "PopupMenu2"), 2)->trigger();
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{2});
  EXPECT_EQ(ini.AboutFormFontSizeIndex, 0);
  ItemAt(Control<QMenu>(*form, "PopupMenu2"), 0)->trigger();
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{0});
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{20});
}

TEST_F(ViewerTest, ASizeIndexOutOfRangeInTheSettingsTakesTheNearestChoice) {
  ApplySettings = [](TINIData& data) { data.AboutFormFontSizeIndex = 9; };
  auto form = Open();
  EXPECT_EQ(ini.AboutFormFontSizeIndex, 4);
  OpenMenu(*form, "SpeedButton6", "PopupMenu2");
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu2")), std::vector<int>{6});
  form->ShowCardDescription("Card 0", 0, 0);
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{16});
}

// The list names the cards of the deck in use and the set menu lists the
// sets installed, whoever switched the deck or imported.
TEST_F(ViewerTest, TheCardListAndSetMenuFollowADeckSwitchAndAnImport) {
  MakeDeck("b", 78);
  auto form = Open();
  form->ShowViewer();
  QListWidget* list = Control<QListWidget>(*form, "ListBox1");
  ASSERT_EQ(list->count(), 22);

  state.Content.SelectDeck(1);
  ASSERT_EQ(list->count(), 78);
  list->setCurrentRow(30);
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 30");

  // The deck in use replaced by an import of a smaller one.
  std::filesystem::remove_all(dir.Path("Decks/b"));
  MakeDeck("b", 40);
  state.Content.ReloadDecks();
  EXPECT_EQ(list->count(), 40);

  // A set imported: it sorts between the two, the one in use stays marked.
  dir.Write("Descriptions/three/description.ini", "[Description]\r\nName=Third\r\n[Sections]\r\n");
  state.Content.ReloadDescriptionSets();
  QMenu* sets = Control<QMenu>(*form, "PopupMenu1");
  EXPECT_EQ(Captions(sets), (std::vector<std::string>{"Classic", "Third", "Second"}));
  EXPECT_EQ(CheckedPositions(sets), std::vector<int>{0});
}

// The keys that step through the decks, and a draw on random decks, switch
// the deck from the main window: the viewer on show follows without taking
// the focus from it, so the next key still reaches the main window.
TEST_F(ViewerTest, ADeckSwitchLeavesTheWindowInUseActive) {
  MakeDeck("b", 78);
  auto form = Open();
  form->ShowCardDescription("Card 3", 3, 0);
  QWidget main;
  main.show();
  main.activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(main.isActiveWindow());

  state.Content.SelectDeck(1);
  QApplication::processEvents();
  EXPECT_TRUE(main.isActiveWindow());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), 3);
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 3");
  EXPECT_EQ(Text(*form), "Empress текст");
}

TEST_F(ViewerTest, TheDescriptionMenuSwitchesTheSetForTheWholeProgram) {
  auto form = Open();
  OpenMenu(*form, "SpeedButton1", "PopupMenu1");
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu1")), std::vector<int>{0});

  form->ShowCardDescription("Card 3", 3, 0);
  ItemAt(Control<QMenu>(*form, "PopupMenu1"), 1)->trigger();
  EXPECT_EQ(ini.DescriptionIndex, 1);
  EXPECT_EQ(descriptions.CurrentDescription(), 1);
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu1")), std::vector<int>{1});
  EXPECT_EQ(form->windowTitle().toStdString(), "Second - Card 3");
  EXPECT_EQ(Text(*form), "Other текст");
  // The list is filled again and keeps its row.
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->count(), 22);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), 3);

  // Hidden, the viewer stays hidden; the next card uses the new set.
  form->hide();
  ItemAt(Control<QMenu>(*form, "PopupMenu1"), 0)->trigger();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->windowTitle().toStdString(), "Second - Card 3");
  form->ShowCardDescription("Card 0", 0, 0);
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 0");

  // A change made elsewhere (the main window's menu) moves the mark.
  state.Content.SelectDescriptionSet(1);
  OpenMenu(*form, "SpeedButton1", "PopupMenu1");
  EXPECT_EQ(CheckedPositions(Control<QMenu>(*form, "PopupMenu1")), std::vector<int>{1});
  form->ShowCurrentCardAgain();
  EXPECT_EQ(form->windowTitle().toStdString(), "Second - Card 0");
  EXPECT_EQ(Text(*form), "");
}

TEST_F(ViewerTest, ToolbarMenusOpenBelowTheirButtons) {
  auto form = Open();
  form->move(100, 50);
  Control<QToolButton>(*form, "SpeedButton1")->click();
  EXPECT_EQ(Control<QMenu>(*form, "PopupMenu1")->pos(), QPoint(104, 91));
  Control<QMenu>(*form, "PopupMenu1")->hide();
  Control<QToolButton>(*form, "SpeedButton6")->click();
  EXPECT_EQ(Control<QMenu>(*form, "PopupMenu2")->pos(),
            QPoint(100 + Control<QToolButton>(*form, "SpeedButton6")->x(), 91));
  Control<QMenu>(*form, "PopupMenu2")->hide();
}

TEST_F(ViewerTest, SelectingARowShowsThatCardAndItsPicture) {
  auto form = Open();
  Control<QToolButton>(*form, "SpeedButton2")->click();
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(PictureTag(*form), 3u);
  // Decoded for the size the picture is shown at.
  EXPECT_EQ(loader.LastTarget(), (PictureSize{116, 189}));

  Control<QListWidget>(*form, "ListBox1")->setCurrentRow(5);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), 5);
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 5");
  EXPECT_EQ(testing::ShownHint(Control<QListWidget>(*form, "ListBox1")->toolTip()).toStdString(),
            "Card 5");
  EXPECT_EQ(Text(*form), "Plain <b>text</b>\nsecond line");
  EXPECT_EQ(PictureTag(*form), 5u);

  // Hidden, a selection changes the card and the picture, not the window.
  form->hide();
  Control<QListWidget>(*form, "ListBox1")->setCurrentRow(0);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(PictureTag(*form), 0u);
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 5");
  // The card held is the one selected.
  form->ShowCurrentCardAgain();
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 0");
}

TEST_F(ViewerTest, ACardNameThatLooksLikeMarkupIsShownAsItsCharacters) {
  const std::string name = "<b>Hierophant</b> &amp; <img src=\"/etc/x\"> <i>V";
  std::string ini = "[Deck]\r\nName=Deck\r\nCards.Count=0\r\n[Files]\r\nCard00=0.jpg\r\n";
  dir.Write("Decks/a/deck.ini", ini + "[Names]\r\nCard00=" + name + "\r\n");
  auto form = Open();
  Control<QToolButton>(*form, "SpeedButton2")->click();
  form->ShowCardDescription(name, 0, 0);
  Control<QListWidget>(*form, "ListBox1")->setCurrentRow(0);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->item(0)->text().toStdString(), name);
  EXPECT_EQ(testing::ShownHint(Control<QListWidget>(*form, "ListBox1")->toolTip()).toStdString(),
            name);
}

TEST_F(ViewerTest, ThePanelPictureComesWithTheNextCardAfterThePanelIsTurnedOn) {
  auto form = Open();
  form->ShowCardDescription("Card 3", 3, 0);
  const int loads = loader.loads;
  Control<QToolButton>(*form, "SpeedButton2")->click();
  EXPECT_TRUE(ini.AboutFormCardSelectionPanelVisible);
  EXPECT_TRUE(Control<QFrame>(*form, "Panel2")->isVisible());
  EXPECT_TRUE(Control<QListWidget>(*form, "ListBox1")->isVisible());
  EXPECT_TRUE(Control<QSplitterHandle>(*form, "Splitter1")->isVisible());
  EXPECT_TRUE(Control<QToolButton>(*form, "SpeedButton2")->isChecked());
  EXPECT_EQ(loader.loads, loads);
  EXPECT_FALSE(Control<TCardImage>(*form, "Image2")->HasPicture());
  // A click on the row already selected brings it.
  QListWidgetItem* item = Control<QListWidget>(*form, "ListBox1")->item(3);
  emit Control<QListWidget>(*form, "ListBox1")->itemClicked(item);
  EXPECT_EQ(PictureTag(*form), 3u);

  Control<QToolButton>(*form, "SpeedButton2")->click();
  EXPECT_FALSE(ini.AboutFormCardSelectionPanelVisible);
  EXPECT_FALSE(Control<QFrame>(*form, "Panel2")->isVisible());
  EXPECT_FALSE(Control<QSplitterHandle>(*form, "Splitter1")->isVisible());
}

TEST_F(ViewerTest, AtItsDefaultPlaceItFirstShowsClearOfTheMainWindowsTitleStrip) {
  auto form = Open();
  const QRect first = form->geometry();
  mainWindow.titleStrip = {first.x() + 100, first.y() + 50, 300, 17};
  form->ShowViewer();
  const QRect strip(mainWindow.titleStrip.left, mainWindow.titleStrip.top, 300, 17);
  EXPECT_FALSE(form->geometry().intersects(strip));
  EXPECT_EQ(QPoint(ini.AboutFormLeft, ini.AboutFormTop), form->pos());
  // Moved over it afterwards by the user, it stays.
  form->move(first.topLeft());
  form->hide();
  form->ShowViewer();
  EXPECT_EQ(form->pos(), first.topLeft());
}

// At its first size (473 x 243) the list was one row high and the picture
// frame took the rest, cutting the card.
TEST_F(ViewerTest, AtItsFirstSizeTheListShowsFiveRowsAndThePictureTheRest) {
  ApplySettings = [](TINIData& data) { data.AboutFormCardSelectionPanelVisible = true; };
  auto form = Open();
  form->show();
  const auto* list = Control<QListWidget>(*form, "ListBox1");
  EXPECT_GE(list->viewport()->height(), 5 * list->sizeHintForRow(0));
  const auto* frame = Control<QFrame>(*form, "Panel3");
  EXPECT_EQ(list->height() + frame->height() + 2, Control<QWidget>(*form, "Panel1")->height());
  EXPECT_EQ(Control<TCardImage>(*form, "Image2")->geometry(), frame->contentsRect());
}

TEST_F(ViewerTest, ThePanelKeepsItsStoredWidthWithinItsLimitsAndStoresItsNewOne) {
  ApplySettings = [](TINIData& data) {
    data.AboutFormCardSelectionPanelVisible = true;
    data.AboutFormCardSelectionPanelWidth = 150;
  };
  auto form = Open();
  form->show();
  EXPECT_TRUE(Control<QFrame>(*form, "Panel2")->isVisible());
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->width(), 150);
  const int frameHeight = Control<QFrame>(*form, "Panel3")->height();
  // The text takes a window's growth; the panel keeps its width.
  form->resize(700, 300);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->width(), 150);
  EXPECT_EQ(Control<QTextEdit>(*form, "RichEdit1")->x(), 152);
  // The picture frame keeps its height; the picture takes the frame (and
  // is drawn in it with its own proportions).
  EXPECT_EQ(Control<QFrame>(*form, "Panel3")->height(), frameHeight);
  EXPECT_EQ(Control<TCardImage>(*form, "Image2")->geometry(),
            Control<QFrame>(*form, "Panel3")->contentsRect());

  Control<QSplitter>(*form, "ContentSplitter")->setSizes({300, 400});
  emit Control<QSplitter>(*form, "ContentSplitter")->splitterMoved(300, 1);
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->width(), 210);
  EXPECT_EQ(ini.AboutFormCardSelectionPanelWidth, 210);
  Control<QSplitter>(*form, "ContentSplitter")->setSizes({50, 650});
  emit Control<QSplitter>(*form, "ContentSplitter")->splitterMoved(50, 1);
  EXPECT_EQ(ini.AboutFormCardSelectionPanelWidth, 121);
}

TEST_F(ViewerTest, PanelPicturesOfMissingUnknownAndAbsentFiles) {
  auto form = Open();
  Control<QToolButton>(*form, "SpeedButton2")->click();
  form->ShowCardDescription("Card 3", 3, 0);
  ASSERT_TRUE(Control<TCardImage>(*form, "Image2")->HasPicture());
  // An unreadable picture shows none rather than the previous card's.
  dir.Write("Decks/a/4.jpg", "not a picture");
  form->ShowCardDescription("Card 4", 4, 0);
  EXPECT_FALSE(Control<TCardImage>(*form, "Image2")->HasPicture());

  // A card the deck names no file for: no picture, and no error.
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_NO_THROW(form->ShowCardDescription("None", 30, 0));
  EXPECT_FALSE(Control<TCardImage>(*form, "Image2")->HasPicture());

  // An unknown extension is the user's to hear of.
  dir.Write("Decks/a/deck.ini",
            "[Deck]\r\nName=Deck\r\nCards.Count=1\r\n[Files]\r\nCard00=0.jpg\r\nCard01=1.xyz\r\n"
            "[Names]\r\nCard00=Card 0\r\nCard01=Card 1\r\n");
  dir.Write("Decks/a/1.xyz", FakePictureLoader::Content(10, 10, 1));
  EXPECT_THROW(form->ShowCardDescription("Card 1", 1, 0), UnknownPictureExtensionError);

  // No deck at all: the picture stays as it was.
  form->ShowCardDescription("Card 0", 0, 0);
  ASSERT_EQ(PictureTag(*form), 0u);
  decks.Folders.clear();
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(PictureTag(*form), 0u);
}

TEST_F(ViewerTest, MaximisingStopsAtTheTaskbarAndRestoringBringsTheOldBoundsBack) {
  auto form = Open();
  form->ShowCardDescription("Card 0", 0, 0);
  const QRect normal = form->geometry();
  Click(Control<TSkinImage>(*form, "ButtonMaximizeImage"));
  // Maximised: no edge to resize it by.
  EXPECT_FALSE(Control<TSkinImage>(*form, "Image7")->isVisibleTo(form.get()));
  EXPECT_EQ(form->geometry(), QRect(0, 0, 1024, 738));
  EXPECT_EQ(Control<TSkinImage>(*form, "ButtonCloseImage")->x(), 1024 - 17);
  EXPECT_EQ(Control<QWidget>(*form, "Panel1")->width(), 1020);
  // The restore button lies in front of the maximise button.
  const QPoint buttonCentre = Control<TSkinImage>(*form, "ButtonNormalImage")->geometry().center();
  EXPECT_EQ(form->childAt(buttonCentre), Control<TSkinImage>(*form, "ButtonNormalImage"));
  // The stored bounds are the normal ones.
  EXPECT_EQ(ini.AboutFormLeft, normal.x());
  EXPECT_EQ(ini.AboutFormWidth, normal.width());
  EXPECT_EQ(ini.AboutFormHeight, normal.height());

  // No moving while maximised.
  Drag(Control<TSkinImage>(*form, "Image3"), {200, 5}, {30, 40});
  EXPECT_EQ(form->pos(), QPoint(0, 0));

  Click(Control<TSkinImage>(*form, "ButtonNormalImage"));
  EXPECT_TRUE(Control<TSkinImage>(*form, "Image7")->isVisibleTo(form.get()));
  EXPECT_EQ(form->geometry(), normal);
  EXPECT_EQ(form->childAt(buttonCentre - QPoint(1024 - normal.width(), 0)),
            Control<TSkinImage>(*form, "ButtonMaximizeImage"));

  // A double click on the title toggles, with the same taskbar rule.
  emit Control<TSkinImage>(*form, "Image3")->doubleClicked();
  EXPECT_EQ(form->geometry(), QRect(0, 0, 1024, 738));
  emit Control<TSkinImage>(*form, "Image3")->doubleClicked();
  EXPECT_EQ(form->geometry(), normal);

  // A taskbar that is not at the bottom leaves the whole height.
  screen.Resize(1024, 768, 0);
  Click(Control<TSkinImage>(*form, "ButtonMaximizeImage"));
  EXPECT_EQ(form->geometry(), QRect(0, 0, 1024, 768));
}

TEST_F(ViewerTest, DraggingMovesAndResizesAndStoresTheNewBounds) {
  auto form = Open();
  form->show();
  const QRect start = form->geometry();
  Drag(Control<TSkinImage>(*form, "Image3"), {200, 5}, {30, 20});
  EXPECT_EQ(form->pos(), start.topLeft() + QPoint(30, 20));
  EXPECT_EQ(QPoint(ini.AboutFormLeft, ini.AboutFormTop), form->pos());
  Drag(Control<TCaptionLabel>(*form, "Label2"), {3, 3}, {-10, 5});
  EXPECT_EQ(form->pos(), start.topLeft() + QPoint(20, 25));
  EXPECT_EQ(QPoint(ini.AboutFormLeft, ini.AboutFormTop), form->pos());

  // Either side edge widens the window to the right; its left stays.
  const int left = form->x();
  Drag(Control<TSkinImage>(*form, "Image7"), {1, 50}, {25, 0});
  EXPECT_EQ(form->x(), left);
  EXPECT_EQ(form->width(), 498);
  Drag(Control<TSkinImage>(*form, "Image9"), {1, 50}, {12, 0});
  EXPECT_EQ(form->width(), 510);
  EXPECT_EQ(ini.AboutFormWidth, 510);
  Drag(Control<TSkinImage>(*form, "Image7"), {1, 50}, {-500, 0});
  EXPECT_EQ(form->width(), form->minimumWidth());
  EXPECT_EQ(form->x(), left);

  const int top = form->y();
  Drag(Control<TSkinImage>(*form, "Image8"), {50, 1}, {0, 40});
  EXPECT_EQ(form->height(), 283);
  EXPECT_EQ(form->y(), top);
  EXPECT_EQ(ini.AboutFormHeight, 283);

  // The right button does nothing.
  Drag(Control<TSkinImage>(*form, "Image3"), {200, 5}, {30, 20}, Qt::RightButton);
  EXPECT_EQ(form->y(), top);
}

TEST_F(ViewerTest, TheIconShowsTheMainWindowButNotAtTheEndOfADrag) {
  auto form = Open();
  form->show();
  Click(Control<TSkinImage>(*form, "Image1"));
  EXPECT_EQ(mainWindow.shown, 1);
  Drag(Control<TSkinImage>(*form, "Image1"), {5, 5}, {40, 30});
  EXPECT_EQ(mainWindow.shown, 1);
}

TEST_F(ViewerTest, ClosingOnlyHidesAndTheCardStaysForNextTime) {
  ApplySettings = [](TINIData& data) { data.AboutFormFontSizeIndex = 1; };
  auto form = Open();
  form->ShowCardDescription("Card 3", 3, 0);
  Click(Control<TSkinImage>(*form, "ButtonCloseImage"));
  EXPECT_FALSE(form->isVisible());
  form->ShowViewer();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 3");
  EXPECT_EQ(Text(*form), "Empress текст");
  form->close();
  EXPECT_FALSE(form->isVisible());
  form->ShowCurrentCardAgain();
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{10});
}

TEST_F(ViewerTest, BeforeAnyCardAReShowShowsNoCard) {
  auto form = Open();
  form->ShowViewer();
  ItemAt(Control<QMenu>(*form, "PopupMenu1"), 1)->trigger();
  EXPECT_EQ(form->windowTitle().toStdString(), "Second - ");
  EXPECT_EQ(Text(*form), "");
  EXPECT_EQ(Control<QListWidget>(*form, "ListBox1")->currentRow(), -1);
  SizeItem(*form, -1)->trigger();
  EXPECT_EQ(Text(*form), "");
}

TEST_F(ViewerTest, WithoutDescriptionSetsTheMenuIsEmptyAndTheTextToo) {
  std::filesystem::remove_all(dir.Path("Descriptions"));
  auto form = Open();
  EXPECT_TRUE(Control<QMenu>(*form, "PopupMenu1")->actions().isEmpty());
  OpenMenu(*form, "SpeedButton1", "PopupMenu1");
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(form->windowTitle().toStdString(), " - Card 3");
  EXPECT_EQ(Text(*form), "");
}

TEST_F(ViewerTest, ALongTitleEndsShortOfTheButtons) {
  auto form = Open();
  form->ShowCardDescription(std::string(200, 'W'), 0, 0);
  EXPECT_LE(Control<TCaptionLabel>(*form, "Label2")->geometry().right(),
            Control<TSkinImage>(*form, "ButtonMaximizeImage")->x());
  EXPECT_TRUE(Control<TCaptionLabel>(*form, "Label2")->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - " + std::string(200, 'W'));
  form->resize(3000, 243);
  EXPECT_EQ(Control<TCaptionLabel>(*form, "Label2")->text(), form->windowTitle());
}

TEST_F(ViewerTest, TheInterfaceLanguageNamesTheToolbarAndTheSizes) {
  auto form = Open();
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton1")->text().toStdString(), "Выбрать описание");
  // A language file that has five of the viewer's texts: the others go empty.
  languages.LoadFile(dir.Write("English.ini",
                               "[Language]\r\nName=English\r\n[ID]\r\n1024=Choose description\r\n"
                               "1025=Font size\r\n1038=Choose card\r\n1032=Default\r\n"
                               "1037=Largest\r\n"));
  form->ApplyLanguage();
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton1")->text().toStdString(),
            "Choose description");
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton2")->text().toStdString(), "Choose card");
  EXPECT_EQ(Control<QToolButton>(*form, "SpeedButton6")->text().toStdString(), "Font size");
  EXPECT_EQ(ItemAt(Control<QMenu>(*form, "PopupMenu2"), 0)->text().toStdString(), "Default");
  EXPECT_EQ(ItemAt(Control<QMenu>(*form, "PopupMenu2"), 6)->text().toStdString(), "Largest");
  EXPECT_EQ(ItemAt(Control<QMenu>(*form, "PopupMenu2"), 4)->text().toStdString(), "");
}

}  // namespace
}  // namespace vaticor

namespace vaticor {
namespace {

using ViewerPositionTest = ViewerTest;

// Whether the first paragraph's first characters are bold.
bool FirstRunBold(const TAboutForm& form) {
  const QTextBlock first = Control<QTextEdit>(form, "RichEdit1")->document()->begin();
  return first.begin().fragment().charFormat().fontWeight() == QFont::Bold;
}

TEST_F(ViewerPositionTest, ThePositionsMeaningOpensTheCardsTextAsPlainText) {
  auto form = Open();
  form->ShowCardAtPosition("Card 3", 3, 0, "Прошлое <b>и</b>\nкорни");
  EXPECT_EQ(Text(*form), "Значение позиции: Прошлое <b>и</b> корни\nEmpress текст");
  EXPECT_TRUE(FirstRunBold(*form));
  EXPECT_EQ(form->windowTitle().toStdString(), "Classic - Card 3");
  // A card without a document still says what its position means.
  form->ShowCardAtPosition("Card 4", 4, 0, "Будущее");
  EXPECT_EQ(Text(*form), "Значение позиции: Будущее");
  // Shown from the main window, a card lies at no position.
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(Text(*form), "Empress текст");
}

TEST_F(ViewerPositionTest, TheMeaningStaysWithItsCardAcrossSetsAndSizesButNotAnotherCard) {
  auto form = Open();
  form->ShowCardAtPosition("Card 3", 3, 0, "Прошлое");
  // Another description set.
  OpenMenu(*form, "SpeedButton1", "PopupMenu1");
  ItemAt(Control<QMenu>(*form, "PopupMenu1"), 1)->trigger();
  EXPECT_EQ(Text(*form), "Значение позиции: Прошлое\nOther текст");
  // A text size, then the document's own sizes again.
  SizeItem(*form, 0)->trigger();
  EXPECT_EQ(PointSizes(*Control<QTextEdit>(*form, "RichEdit1")->document()), std::set<double>{8});
  SizeItem(*form, -1)->trigger();
  EXPECT_EQ(Text(*form), "Значение позиции: Прошлое\nOther текст");
  form->ShowCurrentCardAgain();
  EXPECT_EQ(Text(*form), "Значение позиции: Прошлое\nOther текст");
  // The interface language names the meaning.
  dir.Write("en.ini", "[ID]\r\n1000=Vaticor\r\n[Reader]\r\nPositionMeaning=Meaning\r\n");
  languages.LoadFile(dir.Path("en.ini"));
  form->ApplyLanguage();
  EXPECT_EQ(Text(*form), "Meaning: Прошлое\nOther текст");
  // Another card chosen in the list lies at no position.
  Control<QListWidget>(*form, "ListBox1")->setCurrentRow(0);
  EXPECT_EQ(Text(*form), "");
}

// The reader's own meaning comes after the set's text, as plain text,
// follows its changes, and goes by the card's identity in the deck in use.
TEST_F(ViewerPositionTest, TheReadersOwnMeaningFollowsTheCardsIdentityAcrossDecks) {
  testing::DeckShape swapped;
  swapped.cards = 22;
  swapped.identities = "0,1,2,5,4,3";  // its card 3 is the Hierophant (5)
  testing::WriteDeck(dir, "Decks", "b", swapped);
  auto form = Open();
  state.Journal.Attach(std::make_unique<FakeJournalStore>());
  state.Journal.SetReaderMeaning({.identity = 3, .uprightKeywords = "<b>изобилие</b>"});
  form->ShowCardDescription("Card 3", 3, 0);
  EXPECT_EQ(Text(*form), "Empress текст\nМои значения карты\nПрямое положение: <b>изобилие</b>");
  state.Journal.SetReaderMeaning({.identity = 3, .reversedNotes = "первая\n&amp;вторая"});
  EXPECT_EQ(Text(*form),
            "Empress текст\nМои значения карты\nПеревёрнутое положение:\nпервая\n&amp;вторая");
  state.Journal.SetReaderMeaning({.identity = 5, .uprightNotes = "учитель"});
  state.Content.SelectDeck(1);
  EXPECT_EQ(Text(*form), "Empress текст\nМои значения карты\nПрямое положение:\nучитель");
}

}  // namespace
}  // namespace vaticor
