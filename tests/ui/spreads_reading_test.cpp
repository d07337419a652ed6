// A spread's positions that say what they mean, and its reading shared: the
// face of a card without a picture, the position's meaning in the viewer,
// the reading as text on the clipboard and as a picture of the table.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "spreads_fixture.h"
#include "support/qt/clipboard.h"
#include "support/qt/hint_text.h"

namespace vaticor::testing {
namespace {

class SpreadsReadingTest : public SpreadsTest {
 protected:
  // A spread of three positions: "Прошлое" empty, "<b>x</b>" empty and
  // "Будущее" holding card 7 reversed.
  void OpenThreePositions() {
    Open();
    const std::string path = dir.Path("three.spread");
    ASSERT_TRUE(WriteFileAtomically(
        path,
        "[Spread]\r\nCard.Width=104\r\nCard.Height=173\r\n"
        "[Position00]\r\nLeft=100\r\nTop=100\r\nDescription=Прошлое\r\n"
        "[Position01]\r\nLeft=220\r\nTop=100\r\nDescription=<b>x</b>\r\n"
        "[Position02]\r\nLeft=340\r\nTop=100\r\nValue=-7\r\nDescription=Будущее\r\n"));
    spreads->LoadSpread(path);
    spreads->FinishPictures();
    ASSERT_EQ(CardCount(), 3);
  }
  static TCardImage* Picture(const TCardForm* card) {
    return Control<TCardImage>(*card, "CardImage");
  }
  static std::vector<std::string> Face(const TCardForm* card) { return Picture(card)->FaceLines(); }
  // Pixels of the card's picture area darker than the sky-blue ground: the
  // face's text.
  static int DarkPixels(const TCardForm* card) {
    const QImage shot = Picture(card)->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 100;
    }
    return dark;
  }
};

TEST_F(SpreadsReadingTest, AnEmptyPositionShowsItsNumberAndMeaningAsPlainText) {
  OpenThreePositions();
  EXPECT_EQ(Face(Card(0)), (std::vector<std::string>{"1", "Прошлое"}));
  // Markup is shown as its characters.
  EXPECT_EQ(Face(Card(1)), (std::vector<std::string>{"2", "<b>x</b>"}));
  EXPECT_GT(DarkPixels(Card(0)), 0);
  // A card with a picture shows the picture alone.
  EXPECT_TRUE(Card(2)->ShowsPicture());
  EXPECT_TRUE(Face(Card(2)).empty());
}

TEST_F(SpreadsReadingTest, FaceDownCardsShowTheirPositionsAndNumbersFollowThePlaces) {
  OpenThreePositions();
  ClickSpreads("Image12");  // "Перемешать карты"
  EXPECT_EQ(Face(Card(2)), (std::vector<std::string>{"3", "Будущее"}));
  // A dealt card says only its number.
  Deal(1);
  ClickSpreads("Image12");
  EXPECT_EQ(Face(Card(3)), (std::vector<std::string>{"4"}));
  // The first position closed: the others move down a place.
  Card(0)->close();
  FlushDeletes();
  EXPECT_EQ(Face(Card(0)), (std::vector<std::string>{"1", "<b>x</b>"}));
  EXPECT_EQ(Face(Card(2)), (std::vector<std::string>{"3"}));
}

TEST_F(SpreadsReadingTest, ATinyCardShowsWhatFitsAndALongMeaningIsCut) {
  OpenThreePositions();
  // Room for one line only: the number.
  Card(0)->SetCardSize({24, 28});
  EXPECT_EQ(Face(Card(0)), (std::vector<std::string>{"1"}));
  EXPECT_EQ(DarkPixels(Card(1)) > 0, true);
  // Too narrow for the number: nothing is drawn.
  Card(1)->SetCardSize({8, 173});
  EXPECT_TRUE(Face(Card(1)).empty());
  EXPECT_EQ(DarkPixels(Card(1)), 0);
}

TEST_F(SpreadsReadingTest, ViewingADescriptionNamesThePositionsMeaning) {
  OpenThreePositions();
  Entry(CardMenu(Card(2)), "N1")->trigger();  // "Просмотреть описание"
  ASSERT_EQ(links.described.size(), 1u);
  EXPECT_EQ(links.described[0].title, "Card 7");
  EXPECT_EQ(links.described[0].card, 7);
  EXPECT_EQ(links.described[0].meaning, "Будущее");
  // A dealt card has no meaning to name.
  Deal(1);
  Entry(CardMenu(Card(3)), "N1")->trigger();
  ASSERT_EQ(links.described.size(), 2u);
  EXPECT_EQ(links.described[1].meaning, "");
}

TEST_F(SpreadsReadingTest, TheReadingIsCopiedAsTextFromTheMenuAndByKeys) {
  ApplySettings = [](TINIData& settings) { settings.UpSideDownCardsEnabled = true; };
  OpenThreePositions();
  Card(0)->ShowValue(2);
  Card(1)->ShowValue(5);
  QGuiApplication::clipboard()->clear();
  Entry(Control<QMenu>(*spreads, "PopupMenu1"), "N4")->trigger();
  EXPECT_EQ(ClipboardAfterFirstLine(),
            "1. Прошлое: Card 2 (прямая)\n"
            "2. <b>x</b>: Card 5 (прямая)\n"
            "3. Будущее: Card 7 (перевёрнута)\n");
  // Face down, the cards are not named.
  ClickSpreads("Image12");
  QGuiApplication::clipboard()->clear();
  PressKey(spreads.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardAfterFirstLine(),
            "1. Прошлое: нет карты\n"
            "2. <b>x</b>: нет карты\n"
            "3. Будущее: нет карты\n");
  // From a card window, the same key.
  Card(1)->ShowValue(5);
  QGuiApplication::clipboard()->clear();
  PressKey(Card(1), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(ClipboardAfterFirstLine(),
            "1. Прошлое: нет карты\n"
            "2. <b>x</b>: Card 5 (прямая)\n"
            "3. Будущее: нет карты\n");
  // C alone, or Ctrl+Shift+C, is no command; nor is the release of Ctrl+C.
  QGuiApplication::clipboard()->setText("kept");
  PressKey(spreads.get(), Qt::Key_C, Qt::NoModifier);
  PressKey(spreads.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  ReleaseKey(spreads.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(SpreadsReadingTest, CtrlCTriggersTheMenusEntryWhichFollowsTheTableNotTheLastOpening) {
  Open();
  QMenu* menu = Control<QMenu>(*spreads, "PopupMenu1");
  QAction* copy = Entry(menu, "N4");
  emit menu->aboutToShow();
  EXPECT_FALSE(copy->isEnabled()) << "nothing to copy yet";
  Deal(1);
  EXPECT_TRUE(copy->isEnabled());
  int triggered = 0;
  QObject::connect(copy, &QAction::triggered, [&triggered] { ++triggered; });
  QGuiApplication::clipboard()->clear();
  PressKey(spreads.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(triggered, 1);
  EXPECT_EQ(ClipboardAfterFirstLine().rfind("1. ", 0), 0u) << ClipboardAfterFirstLine();
  ClickSpreads("Image6");
  EXPECT_FALSE(copy->isEnabled()) << "the table is empty again";
}

TEST_F(SpreadsReadingTest, ASavedReadingReopensWithItsMeaningsAndItsMoment) {
  OpenThreePositions();
  ClickSpreads("Image11");  // "Вытянуть карты"
  QGuiApplication::clipboard()->clear();
  PressKey(spreads.get(), Qt::Key_C, Qt::ControlModifier);
  const std::string copied = QGuiApplication::clipboard()->text().toStdString();
  const std::string path = dir.Path("reading.spread");
  SaveSpread(path);
  ClickSpreads("Image6");  // "Новый расклад"
  // The file says when the reading was made; here, long ago.
  ASSERT_EQ(IniFile(path).ReadString("Spread", "Reading.Moment", ""),
            copied.substr(0, copied.find('\n')));
  IniFile(path).WriteString("Spread", "Reading.Moment", "01.02.2003 04:05:06");

  spreads->LoadSpread(path);
  spreads->FinishPictures();
  ASSERT_EQ(CardCount(), 3);
  EXPECT_EQ(Card(0)->PositionMeaning(), "Прошлое");
  EXPECT_EQ(Card(2)->PositionMeaning(), "Будущее");
  EXPECT_TRUE(Card(2)->PositionHint().contains(QStringLiteral("Будущее")));
  QGuiApplication::clipboard()->clear();
  PressKey(spreads.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "01.02.2003 04:05:06" + copied.substr(copied.find('\n')));
}

TEST_F(SpreadsReadingTest, TheEntriesSpeakTheInterfaceLanguage) {
  Open();
  QMenu* menu = Control<QMenu>(*spreads, "PopupMenu1");
  EXPECT_EQ(Entry(menu, "N4")->text(), QString::fromUtf8("Копировать расклад"));
  // After the two deal modes and a separator.
  EXPECT_EQ(menu->actions().indexOf(Entry(menu, "N4")), 3);
  ASSERT_TRUE(WriteFileAtomically(dir.Path("en.ini"),
                                  "[ID]\r\n1000=Vaticor\r\n[Reader]\r\nCopyReading=Copy the "
                                  "reading\r\nReversed=reversed\r\nSpreadsShuffle=Shuffle\r\n"
                                  "DealFromOneDeck=From one deck\r\nCardChoose=Choose\r\n"));
  Deal(1);
  languages.LoadFile(dir.Path("en.ini"));
  spreads->ApplyLanguage();
  EXPECT_EQ(Entry(menu, "N4")->text(), QString::fromUtf8("Copy the reading"));
  // The toolbar's hints, its deal modes and the card windows' menus too: an
  // English interface showed them in Russian.
  EXPECT_EQ(ShownHint(Control<QWidget>(*spreads, "Image12")->toolTip()), "Shuffle");
  EXPECT_EQ(Entry(menu, "N1")->text(), "From one deck");
  EXPECT_EQ(Card(0)->findChild<QAction*>("N2")->text(), "Choose");
  Deal(1);
  EXPECT_EQ(Card(1)->findChild<QAction*>("N2")->text(), "Choose") << "a card dealt afterwards";
  // A key the file lacks keeps the built-in text.
  EXPECT_EQ(Entry(menu, "N5")->text(), QString::fromUtf8("Сохранить расклад как картинку"));
  ini.UpSideDownCardsEnabled = true;
  spreads->ClearSpread();
  Deal(1);
  Card(0)->ShowValue(-3);
  Entry(menu, "N4")->trigger();
  EXPECT_EQ(ClipboardAfterFirstLine(), "1. Card 3 (reversed)\n");
}

TEST_F(SpreadsReadingTest, ThePictureShowsEachCardAtItsPlaceOnATransparentGround) {
  Open();
  Deal(2);
  Card(0)->SetPlace({100, 100});
  Card(1)->SetPlace({300, 150});
  QImage red(100, 169, QImage::Format_RGB32);
  red.fill(Qt::red);
  QImage green(100, 169, QImage::Format_RGB32);
  green.fill(Qt::green);
  Picture(Card(0))->SetPicture(red);
  Picture(Card(1))->SetPicture(green);
  pictureDialog->path = dir.Path("table.png");
  Entry(Control<QMenu>(*spreads, "PopupMenu1"), "N5")->trigger();
  EXPECT_TRUE(recorded.messages.empty());
  ASSERT_EQ(pictureDialog->offered.size(), 1u);
  EXPECT_TRUE(pictureDialog->offered[0].starts_with("Vaticor "));
  EXPECT_TRUE(pictureDialog->offered[0].ends_with(".png"));
  const QImage saved(QString::fromStdString(dir.Path("table.png")));
  ASSERT_FALSE(saved.isNull());
  // From (100, 100) to the second card's corner (404, 323).
  EXPECT_EQ(saved.size(), QSize(304, 223));
  EXPECT_EQ(saved.pixelColor(50, 50), QColor(Qt::red));
  EXPECT_EQ(saved.pixelColor(250, 100), QColor(Qt::green));
  // Between and beside the cards: nothing of the desktop.
  EXPECT_EQ(saved.pixelColor(250, 20).alpha(), 0);
  EXPECT_EQ(saved.pixelColor(50, 200).alpha(), 0);
  // The sky-blue ground of the card window's edge.
  EXPECT_EQ(saved.pixelColor(0, 100).alpha(), 255);
}

TEST_F(SpreadsReadingTest, AFailedWriteIsShownAndACancelWritesNothing) {
  Open();
  Deal(1);
  PressKey(spreads.get(), Qt::Key_P, Qt::ControlModifier);  // cancelled
  EXPECT_EQ(pictureDialog->offered.size(), 1u);
  EXPECT_TRUE(recorded.messages.empty());
  pictureDialog->path = dir.Path("no such folder/table.png");
  PressKey(spreads.get(), Qt::Key_P, Qt::ControlModifier);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].kind, MessageKind::kFailure);
  EXPECT_EQ(recorded.messages[0].text,
            "Unable to write to " + dir.Path("no such folder/table.png"));
  // Cards far apart: no picture of gigabytes, and no dialog.
  Deal(1);
  Card(0)->SetPlace({-30000, 0});
  Card(1)->SetPlace({30000, 0});
  PressKey(spreads.get(), Qt::Key_P, Qt::ControlModifier);
  ASSERT_EQ(recorded.messages.size(), 2u);
  EXPECT_EQ(recorded.messages[1].text,
            "The cards lie too far apart for one picture (60104 x 173 pixels)");
  EXPECT_EQ(pictureDialog->offered.size(), 2u);
  // Without a card there is nothing to share.
  ClickSpreads("Image6");
  PressKey(spreads.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(pictureDialog->offered.size(), 2u);
  EXPECT_EQ(recorded.messages.size(), 2u);
}

}  // namespace
}  // namespace vaticor::testing
