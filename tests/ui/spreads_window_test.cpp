// The spreads window: its toolbar, dealing, drawing, shuffling, clearing,
// spread files through its dialogs, and going back to the main window.
// Test labels: threads
#include <QMenu>
#include <cstdio>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "spreads_fixture.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"
#include "support/qt/recorded_messages.h"

namespace vaticor::testing {
namespace {

using SpreadsWindowTest = SpreadsTest;

void WriteText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(WriteFileAtomically(path, text));
}

TEST_F(SpreadsWindowTest, ToolbarHasItsSizeAndFixedRussianHints) {
  Open();
  EXPECT_EQ(spreads->size(), QSize(259, 53));
  const std::vector<std::pair<const char*, const char*>> hints = {
      {"Image11", "Вытянуть карты"},       {"Image6", "Новый расклад"},
      {"Image7", "Выложить карту"},        {"Image12", "Перемешать карты"},
      {"Image3", "Добавить новую колоду"}, {"Image13", "Сохранить расклад"},
      {"Image14", "Выбрать расклад"},      {"Image2", "Выбрать форму"},
      {"ButtonHideImage", "Свернуть"},     {"ButtonCloseImage", "Выход"}};
  for (const auto& [name, hint] : hints) {
    EXPECT_EQ(ShownHint(Control<TSkinImage>(*spreads, name)->toolTip()), QString::fromUtf8(hint))
        << name;
  }
  EXPECT_EQ(Control<TSkinImage>(*spreads, "Image3")->geometry(), QRect(129, 21, 32, 32));
}

TEST_F(SpreadsWindowTest, CommandImageLooksPressedWhileItsCommandRuns) {
  Open();
  TSkinImage* deal = Control<TSkinImage>(*spreads, "Image7");
  SendMouse(deal, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(deal->pos(), QPoint(66, 21));
  SendMouse(deal, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(deal->pos(), QPoint(65, 20));
  ASSERT_EQ(CardCount(), 1);
  // The card is dealt while the image is down: below the toolbar (the
  // window at 100,100), at the image's pressed left, one pixel right of
  // where it stands.
  EXPECT_EQ(Card(0)->Place(), (CardPlace{166, 153}));
}

TEST_F(SpreadsWindowTest, DealtCardsStackBelowTheDealImageNewestOnTop) {
  Open();
  Deal(3);
  ASSERT_EQ(CardCount(), 3);
  const QPoint corner = Control<TSkinImage>(*spreads, "Image7")->mapToGlobal(QPoint(0, 0));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Card(i)->pos(), QPoint(corner.x(), spreads->y() + TSpreadsForm::kHeight));
    EXPECT_EQ(Card(i)->size(), QSize(104, 173));
    EXPECT_EQ(Card(i)->PositionHint(), QString());
    EXPECT_TRUE(Card(i)->isVisible());
  }
  EXPECT_EQ(Tags(), (std::vector<int>{0, 1, 2}));
}

TEST_F(SpreadsWindowTest, CardDealtAtTheBottomRightCornerIsHeldAboveTheToolbar) {
  Open();
  spreads->move(1000, 700);
  Deal(1);
  // Right edge on the screen's, bottom edge on the toolbar's top.
  EXPECT_EQ(Card(0)->pos(), QPoint(1024 - 104, 700 - 173));
}

// Where the toolbar stands on a screen, with the first run's card size of
// that screen.
struct ToolbarPlace {
  int screenWidth, screenHeight, left, top;
  QSize card;
};

class DealtCardPlaceTest : public SpreadsTest,
                           public ::testing::WithParamInterface<ToolbarPlace> {};

TEST_P(DealtCardPlaceTest, DealtCardsLeaveTheWholeToolbarInReach) {
  const ToolbarPlace place = GetParam();
  Open(78, place.screenWidth, place.screenHeight, place.screenHeight - 30);
  ini.SpreadCardWidth = place.card.width();
  ini.SpreadCardHeight = place.card.height();
  spreads->move(place.left, place.top);
  ClickSpreads("Image7");
  ClickSpreads("Image7");
  ASSERT_EQ(CardCount(), 2);
  const QRect card = Card(1)->geometry();
  EXPECT_EQ(card.size(), place.card);
  // Neither a command image nor the title strip lies under the card.
  for (const char* name :
       {"Image11", "Image6", "Image7", "Image12", "Image3", "Image13", "Image14", "Image2"}) {
    const TSkinImage* image = Control<TSkinImage>(*spreads, name);
    EXPECT_FALSE(card.intersects(QRect(image->mapToGlobal(QPoint(0, 0)), image->size()))) << name;
  }
  EXPECT_FALSE(card.intersects(spreads->geometry()));
}

INSTANTIATE_TEST_SUITE_P(Screens, DealtCardPlaceTest,
                         ::testing::Values(ToolbarPlace{1024, 768, 415, 229, {124, 197}},
                                           ToolbarPlace{1024, 768, 382, 685, {124, 197}},
                                           ToolbarPlace{1024, 768, 0, 0, {124, 197}},
                                           ToolbarPlace{1024, 768, 765, 400, {124, 197}},
                                           ToolbarPlace{1920, 1080, 830, 997, {174, 277}},
                                           ToolbarPlace{1920, 1080, 863, 385, {174, 277}}));

TEST_F(SpreadsWindowTest, OneDeckRunsOutUntilShuffled) {
  Open(78);
  Deal(78);
  std::set<int> cards;
  for (int i = 0; i < 78; ++i) cards.insert(std::abs(Card(i)->CardValue()));
  EXPECT_EQ(cards.size(), 78u);
  Deal(1);
  EXPECT_EQ(CardCount(), 78);
  spreads->ClearSpread();
  Deal(1);
  EXPECT_EQ(CardCount(), 0) << "clearing gives no card back";
  ClickSpreads("Image12");
  Deal(1);
  EXPECT_EQ(CardCount(), 1);
}

TEST_F(SpreadsWindowTest, NewDecksNeverRunOut) {
  Open(5);
  ini.SpreadsFormMultiDecksEnabled = true;
  Deal(12);
  EXPECT_EQ(CardCount(), 12);
}

TEST_F(SpreadsWindowTest, DrawingGivesDistinctCardsAndEmptyPositionsPastTheDeck) {
  Open(78);
  Deal(5);
  ClickSpreads("Image11");
  std::set<int> cards;
  for (int i = 0; i < 5; ++i) cards.insert(std::abs(Card(i)->CardValue()));
  EXPECT_EQ(cards.size(), 5u);

  // Three cards for five positions: the last two stay empty.
  spreads->ClearSpread();
  decks.SelectDeck(0);
  MakeDeck("deck", 3, 300, 500);
  decks.LoadDecks();
  decks.SelectDeck(0);
  ini.SpreadsFormMultiDecksEnabled = true;  // so that five can be dealt
  Deal(5);
  ini.SpreadsFormMultiDecksEnabled = false;
  ClickSpreads("Image11");
  std::vector<int> values;
  for (int i = 0; i < 5; ++i) values.push_back(Card(i)->CardValue());
  std::set<int> dealt;
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(Card(i)->ShowsPicture());
    dealt.insert(std::abs(values[static_cast<std::size_t>(i)]));
  }
  EXPECT_EQ(dealt, (std::set<int>{0, 1, 2}));
  for (int i = 3; i < 5; ++i) {
    EXPECT_EQ(Card(i)->CardValue(), 255);
    EXPECT_FALSE(Card(i)->ShowsPicture());
  }
}

TEST_F(SpreadsWindowTest, ShuffleTurnsCardsFaceDownAndSavesThemAsEmpty) {
  Open();
  Deal(2);
  const int first = Card(0)->CardValue();
  ClickSpreads("Image12");
  EXPECT_FALSE(Card(0)->ShowsPicture());
  EXPECT_EQ(Card(0)->CardValue(), first);
  const std::string path = dir.Path("down.spread");
  SaveSpread(path);
  IniFile file(path);
  EXPECT_EQ(file.ReadInteger("Position00", "Value", 0), 255);
  EXPECT_EQ(file.ReadInteger("Position01", "Value", 0), 255);
}

TEST_F(SpreadsWindowTest, KeysZeroAndOneClearAndDeal) {
  Open();
  ReleaseKey(spreads.get(), Qt::Key_1);
  ReleaseKey(spreads.get(), Qt::Key_1);
  EXPECT_EQ(CardCount(), 2);
  ReleaseKey(spreads.get(), Qt::Key_0);
  EXPECT_EQ(CardCount(), 0);
  // Their images do the same.
  ClickSpreads("Image7");
  ClickSpreads("Image7");
  EXPECT_EQ(CardCount(), 2);
  ClickSpreads("Image6");
  EXPECT_EQ(CardCount(), 0);
}

TEST_F(SpreadsWindowTest, DealModeMenuMarksTheModeAndSetsIt) {
  Open();
  QMenu* menu = Control<QMenu>(*spreads, "PopupMenu1");
  // The two modes, then a separator, the reading's two entries, its record
  // in the journal and a reading entered by hand.
  ASSERT_EQ(menu->actions().size(), 7);
  EXPECT_EQ(menu->actions()[5]->objectName(), "SaveToJournal");
  EXPECT_EQ(menu->actions()[6]->objectName(), "EnterReading");
  EXPECT_TRUE(menu->actions()[2]->isSeparator());
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->actions()[3]->isChecked());
  EXPECT_TRUE(menu->actions()[0]->isChecked());
  EXPECT_FALSE(menu->actions()[1]->isChecked());
  menu->actions()[1]->trigger();
  EXPECT_TRUE(ini.SpreadsFormMultiDecksEnabled);
  menu->actions()[0]->trigger();
  EXPECT_FALSE(ini.SpreadsFormMultiDecksEnabled);
}

TEST_F(SpreadsWindowTest, SaveAndOpenThroughTheDialogsReproduceTheSpread) {
  Open();
  ini.UpSideDownCardsEnabled = true;
  Deal(3);
  Card(0)->move(10, 20);
  Card(1)->move(300, 40);
  Card(2)->move(600, 60);
  Card(1)->ShowValue(-7);
  const std::vector<int> values = {Card(0)->CardValue(), -7, Card(2)->CardValue()};
  dialogs->savePath = dir.Path("reading.spread");
  ClickSpreads("Image13");

  IniFile file(dialogs->savePath);
  EXPECT_EQ(file.ReadSections(),
            (std::vector<std::string>{"Spread", "Position00", "Position01", "Position02"}));

  spreads->ClearSpread();
  ini.SpreadCardWidth = 50;
  ini.SpreadCardHeight = 60;
  dialogs->openPath = dialogs->savePath;
  ClickSpreads("Image14");
  ASSERT_EQ(CardCount(), 3);
  const std::vector<QPoint> places = {{10, 20}, {300, 40}, {600, 60}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Card(i)->pos(), places[static_cast<std::size_t>(i)]);
    EXPECT_EQ(Card(i)->size(), QSize(104, 173));
    EXPECT_EQ(Card(i)->CardValue(), values[static_cast<std::size_t>(i)]);
  }
  // Saved again before the pictures have come: the cards are still there.
  dialogs->savePath = dir.Path("again.spread");
  ClickSpreads("Image13");
  EXPECT_EQ(IniFile(dialogs->savePath).ReadInteger("Position01", "Value", 0), -7);
  spreads->FinishPictures();
  EXPECT_EQ(Shown(Card(1)), -7);
  EXPECT_EQ(ini.SpreadCardWidth, 104);
  // Opened once, the file knows the screen.
  EXPECT_EQ(IniFile(dir.Path("reading.spread")).ReadInteger("Spread", "Screen.Width", 0), 1024);
}

TEST_F(SpreadsWindowTest, SaveWithoutCardsOrCancelledWritesNothing) {
  Open();
  dialogs->savePath = dir.Path("none.spread");
  ClickSpreads("Image13");
  EXPECT_EQ(dialogs->saved, 0);
  Deal(1);
  dialogs->savePath.clear();
  ClickSpreads("Image13");
  EXPECT_EQ(dialogs->saved, 1);
  EXPECT_FALSE(ReadFileBytes(dir.Path("none.spread")));
}

TEST_F(SpreadsWindowTest, SampleSpreadShowsItsCardsWithTheirHints) {
  Open();
  const std::string path = dir.Path("three.spread");
  WriteText(path,
            "[Spread]\r\nCard.Width=90\r\nCard.Height=150\r\n"
            "[Position00]\r\nLeft=100\r\nTop=200\r\nValue=5\r\nDescription=Прошлое\r\n"
            "[Position01]\r\nLeft=200\r\nTop=200\r\nDescription=<b>Настоящее</b>\r\n"
            "[Position02]\r\nLeft=300\r\nTop=200\r\nValue=-12\r\nDescription=Будущее\r\n");
  spreads->LoadSpread(path);
  ASSERT_EQ(CardCount(), 3);
  // The windows stand at once; their pictures come from the event loop.
  EXPECT_TRUE(PicturesPending());
  EXPECT_FALSE(Card(0)->ShowsPicture());
  EXPECT_EQ(Card(2)->pos(), QPoint(300, 200));
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return !PicturesPending(); }));
  EXPECT_EQ(ShownHint(Card(0)->PositionHint()),
            QString::fromUtf8("Позиция 1 - 5 - Card 5 - Прошлое"));
  EXPECT_EQ(ShownHint(Card(1)->PositionHint()), QString::fromUtf8("Позиция 2"));
  EXPECT_EQ(ShownHint(Card(2)->PositionHint()),
            QString::fromUtf8("Позиция 3 - 12 - Card 12 - Будущее"));
  EXPECT_EQ(Shown(Card(0)), 5);
  EXPECT_FALSE(Card(1)->ShowsPicture());
  // Reversed cards off: upright, and the value loses its sign.
  EXPECT_EQ(Card(2)->CardValue(), 12);
  EXPECT_EQ(Shown(Card(2)), 12);
  EXPECT_EQ(Card(0)->size(), QSize(90, 150));
  EXPECT_EQ(Card(2)->pos(), QPoint(300, 200));
}

// A reading entered by hand from the spreads window had to have its spread
// chosen again, or was offered the file of a spread no longer on the table.
TEST_F(SpreadsWindowTest, AReadingEnteredByHandStartsFromTheSpreadOnTheTable) {
  Open();
  QAction* enter = Control<QMenu>(*spreads, "PopupMenu1")->actions()[6];
  const std::string path = dir.Path("three.spread");
  WriteText(path, "[Position00]\r\nLeft=100\r\nTop=200\r\n");
  spreads->LoadSpread(path);
  enter->trigger();
  Deal(1);  // onto the spread: still its reading
  enter->trigger();
  ClickSpreads("Image6");
  enter->trigger();
  EXPECT_EQ(links.readingsEntered, (std::vector<std::string>{path, path, ""}));
}

// One or three cards laid on the table while a spread is the face: the
// spread and its cards go, the main window is the face again (else the
// spread came back over the cards just laid).
TEST_F(SpreadsWindowTest, ASpreadOnShowGivesWayToCardsLaidOnTheMainWindow) {
  Open();
  spreads->GiveWayToMainWindow();  // not the face: nothing changes
  EXPECT_EQ(host.mainWindowShownAsFace, 0);
  host.ShowSpreadsAsFace();
  spreads->ShowSpreads();
  Deal(2);
  spreads->GiveWayToMainWindow();
  EXPECT_FALSE(spreads->isVisible());
  EXPECT_FALSE(Card(0)->isVisible());
  EXPECT_FALSE(Card(1)->isVisible());
  EXPECT_EQ(host.mainWindowShownAsFace, 1);
  EXPECT_FALSE(host.spreadsAreFace);
  EXPECT_EQ(CardCount(), 2);  // the spread is kept for when it is shown again
}

TEST_F(SpreadsWindowTest, APileOfCardsGetsItsTopPictureFirstAndCardsOffTheScreenLast) {
  OpenWithOneWorker();
  // A card wholly off the screen, the first one made, and then ten cards in
  // one pile, the one made last on top.
  std::string text = "[Position00]\r\nLeft=5000\r\nTop=300\r\nValue=20\r\n";
  for (int i = 1; i <= 10; ++i) {
    text += "[Position" + std::to_string(i) +
            "]\r\nLeft=400\r\nTop=300\r\nValue=" + std::to_string(i) + "\r\n";
  }
  const std::string path = dir.Path("pile.spread");
  WriteText(path, text);
  spreads->LoadSpread(path);
  spreads->FinishPictures();
  EXPECT_EQ(Shown(Card(10)), 10);

  // The deck's pictures are its card numbers' files ("10.jpg").
  std::vector<std::string> loaded;
  for (const std::string& path : loader.LoadedPaths()) {
    loaded.push_back(path.substr(path.rfind('/') + 1));
  }
  EXPECT_EQ(loaded, (std::vector<std::string>{"10.jpg", "9.jpg", "8.jpg", "7.jpg", "6.jpg", "5.jpg",
                                              "4.jpg", "3.jpg", "2.jpg", "1.jpg", "20.jpg"}));
}

TEST_F(SpreadsWindowTest, ALargeSpreadsFirstPicturesAreDecodedWhileItsLastWindowsAreMade) {
  Open();
  std::string text;
  for (int i = 0; i < 70; ++i) {
    text += "[Position" + std::to_string(i) + "]\r\nValue=" + std::to_string(i) + "\r\n";
  }
  const std::string path = dir.Path("seventy.spread");
  WriteText(path, text);
  spreads->LoadSpread(path);
  // No event has been handled since: what the workers did, they were given
  // while the windows were being made.
  state.PictureWork.WaitForDecodes();
  EXPECT_GE(loader.loads, 64);
  spreads->FinishPictures();
  EXPECT_EQ(loader.loads, 70);
  EXPECT_EQ(Shown(Card(69)), 69);
}

TEST_F(SpreadsWindowTest, MarkupInADescriptionIsShownAsItsCharacters) {
  Open();
  const std::string path = dir.Path("markup.spread");
  WriteText(path, "[Position00]\r\nValue=3\r\nDescription=<b>bold</b> &amp; <i>x</i>\r\n");
  spreads->LoadSpread(path);
  ASSERT_EQ(CardCount(), 1);
  EXPECT_EQ(ShownHint(Card(0)->PositionHint()),
            QString::fromUtf8("Позиция 1 - 3 - Card 3 - <b>bold</b> &amp; <i>x</i>"));
}

TEST_F(SpreadsWindowTest, ALongDescriptionWrapsIntoLinesThatFitTheScreen) {
  Open();
  const std::string path = dir.Path("long.spread");
  // 300 characters of Cyrillic (two bytes each), then a word longer than a line.
  std::string description;
  for (int i = 0; i < 30; ++i) description += "Прошлое и ";
  description += std::string(30, 'x') + std::string(2, 'y') + std::string(38, 'z');
  WriteText(path, "[Position00]\r\nValue=3\r\nDescription=" + description + "\r\n");
  spreads->LoadSpread(path);
  ASSERT_EQ(CardCount(), 1);
  const QStringList lines = ShownHint(Card(0)->PositionHint()).split('\n');
  // 54 characters in the first line, six "Прошлое и" (59) in each full one.
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], QString::fromUtf8("Позиция 1 - 3 - Card 3 - Прошлое и Прошлое и Прошлое и"));
  EXPECT_EQ(lines[1],
            QString::fromUtf8("Прошлое и Прошлое и Прошлое и Прошлое и Прошлое и Прошлое и"));
  EXPECT_EQ(lines[5], QString::fromUtf8("Прошлое и Прошлое и Прошлое и"));
  EXPECT_EQ(lines[6], QString(30, 'x') + QString(2, 'y') + QString(28, 'z'));
  EXPECT_EQ(lines[7], QString(10, 'z'));
  for (const QString& line : lines) EXPECT_LE(line.size(), 60);
}

TEST_F(SpreadsWindowTest, MissingFileLeavesTheTableAndAFileWithoutPositionsClearsIt) {
  Open();
  Deal(2);
  spreads->LoadSpread(dir.Path("absent.spread"));
  EXPECT_EQ(CardCount(), 2);
  const std::string path = dir.Path("empty.spread");
  WriteText(path, "[Spread]\r\nCard.Width=10\r\n");
  spreads->LoadSpread(path);
  EXPECT_EQ(CardCount(), 0);
  EXPECT_EQ(ini.SpreadCardWidth, 104);
}

TEST_F(SpreadsWindowTest, RefusedSaveIsReportedAndWritesNothing) {
  Open();
  Deal(1);
  dialogs->savePath = dir.Path("no such folder/x.spread");
  TSkinImage* save = Control<TSkinImage>(*spreads, "Image13");
  SendMouse(save, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(save, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(recorded.Texts().size(), 1u);
  EXPECT_EQ(recorded.Texts()[0], "Unable to write to " + dialogs->savePath);
}

TEST_F(SpreadsWindowTest, ValuesPastTheDeckShowNoPictureMarkNoCardAndViewNothing) {
  Open(78);
  const std::string path = dir.Path("past the deck.spread");
  WriteText(path,
            "[Position00]\r\nValue=78\r\n[Position01]\r\nValue=-200\r\n"
            "[Position02]\r\nValue=2147483647\r\n[Position03]\r\nValue=-2147483648\r\n"
            "[Position04]\r\nValue=77\r\n");
  spreads->LoadSpread(path);
  spreads->FinishPictures();
  ASSERT_EQ(CardCount(), 5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Shown(Card(i)), -1000) << i;
    OpenCardMenu(Card(i));
    EXPECT_EQ(CheckedChoice(Card(i)), -1) << i;
    Entry(CardMenu(Card(i)), "N1")->trigger();
  }
  EXPECT_TRUE(links.described.empty());
  EXPECT_EQ(Shown(Card(4)), 77);
  // The hint still names the number the file gave.
  EXPECT_EQ(ShownHint(Card(0)->PositionHint()), QString::fromUtf8("Позиция 1 - 78 -  - "));
  EXPECT_EQ(ShownHint(Card(3)->PositionHint()), QString::fromUtf8("Позиция 4 - 2147483648 -  - "));
  EXPECT_EQ(Card(2)->CardValue(), 2147483647);
  EXPECT_EQ(Card(3)->CardValue(), 255);
  EXPECT_TRUE(recorded.Texts().empty());
}

TEST_F(SpreadsWindowTest, WithoutAnyDeckASpreadOpensEmptyPositionsAndNothingIsDealt) {
  ReadSettingsFile();
  ini.SpreadCardWidth = 104;
  ini.SpreadCardHeight = 173;
  decks.LoadDecks();
  auto owned = std::make_unique<FakeSpreadFileDialogs>();
  dialogs = owned.get();
  spreads = std::make_unique<TSpreadsForm>(
      state, SpreadsWindowLinks{main, links, links, host, host, links}, std::move(owned));
  spreads->ShowSpreads();
  const std::string path = dir.Path("Расклад с пробелами.spread");
  WriteText(path, "[Position00]\r\nValue=3\r\n[Position01]\r\nValue=-5\r\nLeft=200\r\n");
  spreads->LoadSpread(path);
  spreads->FinishPictures();
  ASSERT_EQ(CardCount(), 2);
  EXPECT_EQ(Shown(Card(0)), -1000);
  EXPECT_EQ(Shown(Card(1)), -1000);
  EXPECT_EQ(ShownHint(Card(0)->PositionHint()), QString::fromUtf8("Позиция 1 - 3 -  - "));
  ClickSpreads("Image11");
  ClickSpreads("Image12");
  Deal(1);
  EXPECT_EQ(CardCount(), 2);
  OpenCardMenu(Card(1));
  EXPECT_EQ(CheckedChoice(Card(1)), -1);
  Entry(CardMenu(Card(1)), "N1")->trigger();
  EXPECT_TRUE(links.described.empty());
  // Saved as empty positions where they lie.
  SaveSpread(dir.Path("saved.spread"));
  IniFile saved(dir.Path("saved.spread"));
  EXPECT_EQ(saved.ReadInteger("Position01", "Left", -1), 200);
  EXPECT_EQ(saved.ReadInteger("Position01", "Value", -1), 255);
  EXPECT_TRUE(recorded.Texts().empty());
}

TEST_F(SpreadsWindowTest, ClosingCardsInAnyOrderKeepsThemNumberedAndTheSaveWhole) {
  Open();
  const std::vector<std::vector<int>> orders = {
      {0, 0, 0, 0, 0}, {4, 3, 2, 1, 0}, {2, 0, 2, 1, 0}, {1, 2, 0, 1, 0}};
  for (const std::vector<int>& order : orders) {
    Deal(5);
    for (int i = 0; i < 5; ++i) Card(i)->move(100 * i, 10 * i);
    std::vector<int> lefts = {0, 100, 200, 300, 400};
    for (int place : order) {
      Entry(CardMenu(Card(place)), "N4")->trigger();
      lefts.erase(lefts.begin() + place);
      std::vector<int> expected(lefts.size());
      for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
      EXPECT_EQ(Tags(), expected);
      for (int i = 0; i < CardCount(); ++i) {
        EXPECT_EQ(Card(i)->x(), lefts[static_cast<std::size_t>(i)]);
      }
      if (CardCount() == 2) {
        const std::string path = dir.Path("two left.spread");
        std::remove(path.c_str());
        SaveSpread(path);
        IniFile file(path);
        EXPECT_EQ(file.ReadSections(),
                  (std::vector<std::string>{"Spread", "Position00", "Position01"}));
        EXPECT_EQ(file.ReadInteger("Position01", "Left", -1), lefts[1]);
      }
    }
    FlushDeletes();
    EXPECT_EQ(CardCount(), 0);
  }
}

TEST_F(SpreadsWindowTest, OpeningASpreadOverOneStillBeingDrawnShowsOnlyTheNewCards) {
  Open();
  const std::string first = dir.Path("first.spread");
  const std::string second = dir.Path("second.spread");
  std::string many;
  for (int i = 0; i < 70; ++i) {
    many += "[Position" + std::to_string(i) + "]\r\nValue=" + std::to_string(i) + "\r\n";
  }
  WriteText(first, many);
  WriteText(second, "[Position00]\r\nValue=-4\r\nLeft=30\r\n[Position01]\r\nValue=9\r\n");
  ini.UpSideDownCardsEnabled = true;
  spreads->LoadSpread(first);
  EXPECT_TRUE(PicturesPending());
  spreads->LoadSpread(second);
  FlushDeletes();
  spreads->FinishPictures();
  EXPECT_FALSE(PicturesPending());
  ASSERT_EQ(CardCount(), 2);
  EXPECT_EQ(Tags(), (std::vector<int>{0, 1}));
  EXPECT_EQ(Shown(Card(0)), -4);
  EXPECT_EQ(Shown(Card(1)), 9);
  EXPECT_EQ(Card(0)->x(), 30);
  EXPECT_TRUE(recorded.Texts().empty());
}

TEST_F(SpreadsWindowTest, ChooseFormGoesBackToTheMainWindow) {
  Open();
  host.spreadsAreFace = true;
  Deal(2);
  ClickSpreads("Image2");
  FlushDeletes();
  EXPECT_FALSE(host.spreadsAreFace);
  EXPECT_FALSE(spreads->isVisible());
  EXPECT_EQ(CardCount(), 0);
  EXPECT_EQ(host.mainWindowShownAsFace, 1);
}

TEST_F(SpreadsWindowTest, ExitClosesTheMainWindowAfterTheSpread) {
  Open();
  host.spreadsAreFace = true;
  Deal(1);
  ClickSpreads("ButtonCloseImage");
  EXPECT_EQ(CardCount(), 0);
  EXPECT_EQ(host.mainClosed, 1);
}

// "Свернуть" without a tray icon minimises; the window then goes and comes
// back with "Выбрать форму" and the main window's spreads button, and must
// come back as a window, not as a taskbar button.
TEST_F(SpreadsWindowTest, AWindowOnceMinimisedIsShownNormalTheNextTime) {
  Open();
  main.trayIconActive = false;
  Deal(1);
  ClickSpreads("Image3");  // deck groups open
  ClickSpreads("ButtonHideImage");
  EXPECT_TRUE(spreads->isMinimized());
  ClickSpreads("Image2");
  spreads->ShowSpreads();
  EXPECT_TRUE(spreads->isVisible());
  EXPECT_FALSE(spreads->isMinimized());
  // The deck-groups window likewise, hidden while minimised.
  DeckGroups().showMinimized();
  DeckGroups().CloseGroups();
  ClickSpreads("Image3");
  EXPECT_TRUE(DeckGroups().isVisible());
  EXPECT_FALSE(DeckGroups().isMinimized());
}

// A settings file may put the toolbars anywhere; each starts wholly on the
// screen, above the taskbar, where it can be taken by its title.
TEST_F(SpreadsWindowTest, ToolbarsStoredOffTheScreenStartWhollyOnIt) {
  MakeDeck("deck", 22);
  struct Stored {
    int left;
    int top;
    QPoint spreads;
    QPoint groups;
  };
  for (const Stored& stored :
       {Stored{5000, 5000, {765, 685}, {796, 686}}, Stored{-5000, -30, {0, 0}, {0, 0}},
        Stored{1000, 700, {765, 685}, {796, 686}}, Stored{300, 200, {300, 200}, {300, 200}}}) {
    ReadSettingsFile();
    ini.SpreadsFormLeft = ini.DeckGroupsFormLeft = stored.left;
    ini.SpreadsFormTop = ini.DeckGroupsFormTop = stored.top;
    TSpreadsForm toolbar(state, SpreadsWindowLinks{main, links, links, host, host, links},
                         std::make_unique<FakeSpreadFileDialogs>());
    EXPECT_EQ(toolbar.pos(), stored.spreads) << stored.left << "," << stored.top;
    EXPECT_EQ(toolbar.DeckGroupsWindow()->pos(), stored.groups) << stored.left << "," << stored.top;
    EXPECT_EQ(QPoint(ini.SpreadsFormLeft, ini.SpreadsFormTop), stored.spreads);
    EXPECT_EQ(QPoint(ini.DeckGroupsFormLeft, ini.DeckGroupsFormTop), stored.groups);
  }
}

// Shown as the program's face, the spreads window has a taskbar button
// only while the option asks for one (or there is no tray to hide in), and
// tells the program, whose tray icon then stands in for the button.
TEST_F(SpreadsWindowTest, ShowingTheWindowFollowsTheTaskbarOptionAndTellsTheProgram) {
  Open();
  EXPECT_EQ(host.spreadsShown, 1);
  EXPECT_FALSE(spreads->windowFlags().testFlag(Qt::Tool));
  spreads->SetSpreadVisible(false);
  ini.ApplicationShowButtonInTaskBar = false;
  spreads->SetSpreadVisible(true);
  EXPECT_EQ(host.spreadsShown, 2);
  EXPECT_TRUE(spreads->windowFlags().testFlag(Qt::Tool));
  EXPECT_TRUE(spreads->isVisible());
  // Without a tray the taskbar button is the only way back.
  spreads->SetSpreadVisible(false);
  screen.SetHasTray(false);
  spreads->ShowSpreads();
  EXPECT_FALSE(spreads->windowFlags().testFlag(Qt::Tool));
}

TEST_F(SpreadsWindowTest, MinimiseWithTheTrayIconHidesEverythingUntilShownAgain) {
  Open();
  main.trayIconActive = true;
  Deal(2);
  ClickSpreads("Image3");  // deck groups open
  ClickSpreads("ButtonHideImage");
  EXPECT_FALSE(spreads->IsSpreadVisible());
  EXPECT_FALSE(Card(0)->isVisible());
  EXPECT_FALSE(DeckGroups().isVisible());
  spreads->SetSpreadVisible(true);
  EXPECT_TRUE(spreads->isVisible());
  EXPECT_TRUE(Card(1)->isVisible());
  EXPECT_TRUE(DeckGroups().isVisible());
}

// Minimised by the window manager rather than its own image, the toolbar
// took the cards along only half: they stayed up, and the tray icon's first
// click hid them instead of bringing the toolbar back.
TEST_F(SpreadsWindowTest, MinimisedByTheWindowManagerOneTrayClickBringsEverythingBack) {
  Open();
  main.trayIconActive = true;
  Deal(2);
  ClickSpreads("Image3");  // deck groups open
  spreads->showMinimized();
  EXPECT_FALSE(Card(0)->isVisible());
  EXPECT_FALSE(DeckGroups().isVisible());
  // The tray icon's click in spreads mode.
  spreads->SetSpreadVisible(!spreads->IsSpreadVisible());
  EXPECT_TRUE(spreads->isVisible());
  EXPECT_FALSE(spreads->isMinimized());
  EXPECT_TRUE(Card(0)->isVisible());
  EXPECT_TRUE(Card(1)->isVisible());
  EXPECT_TRUE(DeckGroups().isVisible());
}

TEST_F(SpreadsWindowTest, MenuIconOpensTheMainMenuBelowItself) {
  Open();
  ClickSpreads("Image1");
  const QPoint below = spreads->mapToGlobal(QPoint(0, 17));
  ASSERT_EQ(host.menuPoints.size(), 1u);
  EXPECT_EQ(host.menuPoints[0], (FakeMainWindow::Point{below.x(), below.y()}));
}

}  // namespace
}  // namespace vaticor::testing
