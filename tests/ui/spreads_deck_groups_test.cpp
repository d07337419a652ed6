// Deck groups: adding and selecting groups, the scope they give the spread
// commands, their menu and keys, and closing that only hides.
#include <QAction>
#include <QMenu>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "spreads_fixture.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"

namespace vaticor::testing {
namespace {

class DeckGroupsTest : public SpreadsTest {
 protected:
  // A card in the first group, a second group made current, a card in it.
  void OpenWithTwoGroupsOfOneCard() {
    Open();
    Deal(1);
    ClickSpreads("Image3");
    ClickSpreads("Image3");
    Deal(1);
  }
};

TEST_F(DeckGroupsTest, FirstGroupHoldsTheCardsDealtBeforeAndNewCardsGoToTheNewGroup) {
  Open();
  Deal(2);
  ClickSpreads("Image3");
  EXPECT_TRUE(DeckGroups().isVisible());
  EXPECT_TRUE(ini.DeckGroupsOpen);
  EXPECT_EQ(DeckGroups().GroupCount(), 1);
  EXPECT_EQ(DeckGroups().size(), QSize(228, 52));
  ClickSpreads("Image3");
  EXPECT_EQ(DeckGroups().GroupCount(), 2);
  EXPECT_EQ(DeckGroups().CurrentGroup(), 1);
  EXPECT_EQ(GroupIcon(1)->geometry(), QRect(32, 20, 32, 32));
  Deal(2);
  EXPECT_EQ(Groups(), (std::vector<int>{0, 0, 1, 1}));
}

TEST_F(DeckGroupsTest, SpreadCommandsActOnTheCurrentGroupWhileTheWindowIsShown) {
  Open();
  Deal(2);
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  Deal(2);
  ClickSpreads("Image12");  // shuffle
  EXPECT_TRUE(Card(0)->ShowsPicture());
  EXPECT_FALSE(Card(2)->ShowsPicture());
  ClickSpreads("Image11");  // draw
  EXPECT_TRUE(Card(2)->ShowsPicture());
  spreads->ClearSpread();
  FlushDeletes();
  EXPECT_EQ(Groups(), (std::vector<int>{0, 0}));
  EXPECT_EQ(Tags(), (std::vector<int>{0, 1}));

  // Closed, the commands act on every card window again.
  DeckGroups().CloseGroups();
  EXPECT_FALSE(ini.DeckGroupsOpen);
  ClickSpreads("Image12");
  EXPECT_FALSE(Card(0)->ShowsPicture());
  spreads->ClearSpread();
  EXPECT_EQ(CardCount(), 0);
}

TEST_F(DeckGroupsTest, GroupMenuActsOnTheCurrentGroupNotTheIconClicked) {
  Open();
  Deal(1);
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  Deal(2);
  // The menu of group 0's icon, while group 1 is current.
  TSkinImage* icon0 = GroupIcon(0);
  emit icon0->customContextMenuRequested(QPoint(5, 5));
  QAction* close = Entry(Control<QMenu>(DeckGroups(), "PopupMenu1"), "N3");
  EXPECT_EQ(close->text(), QString::fromUtf8("Закрыть групу"));
  close->trigger();
  FlushDeletes();
  EXPECT_EQ(Groups(), (std::vector<int>{0}));
}

TEST_F(DeckGroupsTest, SevenGroupsAtMostAndTheEighthSelectsTheLast) {
  Open();
  for (int i = 0; i < 7; ++i) ClickSpreads("Image3");
  DeckGroups().SelectGroup(2);
  ClickSpreads("Image3");
  EXPECT_EQ(DeckGroups().GroupCount(), 7);
  EXPECT_EQ(DeckGroups().CurrentGroup(), 6);
  DeckGroups().SelectGroup(7);
  EXPECT_EQ(DeckGroups().CurrentGroup(), 6);
}

TEST_F(DeckGroupsTest, ReopeningKeepsTheGroupsAndTheCurrentOne) {
  Open();
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  DeckGroups().SelectGroup(1);
  DeckGroups().close();
  EXPECT_FALSE(DeckGroups().isVisible());
  EXPECT_FALSE(ini.DeckGroupsOpen);
  ClickSpreads("Image3");
  EXPECT_TRUE(DeckGroups().isVisible());
  EXPECT_EQ(DeckGroups().GroupCount(), 3);
  EXPECT_EQ(DeckGroups().CurrentGroup(), 1);
  // The current icon shows the selected picture, the others the unselected.
  const QImage selected = GroupIcon(1)->picture().toImage();
  EXPECT_EQ(selected, Control<TSkinImage>(DeckGroups(), "Image2")->picture().toImage());
  EXPECT_EQ(GroupIcon(0)->picture().toImage(),
            Control<TSkinImage>(DeckGroups(), "Image3")->picture().toImage());
}

TEST_F(DeckGroupsTest, ArrowsMoveTheCurrentGroupBeyondTheScreen) {
  OpenWithTwoGroupsOfOneCard();
  Card(0)->move(100, 100);
  Card(1)->move(1010, 100);
  ReleaseKey(&DeckGroups(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Card(1)->pos(), QPoint(1026, 100));
  EXPECT_EQ(Card(0)->pos(), QPoint(100, 100));
}

TEST_F(DeckGroupsTest, CardsOpenedBeyondEveryScreenMoveOnWithoutWrappingRound) {
  Open();
  ClickSpreads("Image3");  // the window shown: the opened cards are group 0's
  const std::string path = dir.Path("far.spread");
  ASSERT_TRUE(WriteFileAtomically(
      path, "[Position00]\r\nLeft=2147483647\r\nTop=-2147483648\r\n[Position01]\r\nLeft=5\r\n"));
  spreads->LoadSpread(path);
  ASSERT_EQ(CardCount(), 2);
  EXPECT_EQ(Card(0)->pos(), QPoint(32767, -32767));
  for (int i = 0; i < 3; ++i) ReleaseKey(&DeckGroups(), Qt::Key_Right);
  ReleaseKey(&DeckGroups(), Qt::Key_Up);
  EXPECT_EQ(Card(0)->pos(), QPoint(32767 + 48, -32767 - 16));
  EXPECT_EQ(Card(1)->pos(), QPoint(5 + 48, -16));
}

TEST_F(DeckGroupsTest, CtrlDragMovesOnlyTheCurrentGroupAndAClickSelectsACardsGroup) {
  OpenWithTwoGroupsOfOneCard();
  Card(0)->move(100, 100);
  Card(1)->move(300, 100);
  Drag(Control<TCardImage>(*Card(1), "CardImage"), {10, 10}, {5, 0}, Qt::LeftButton,
       Qt::ControlModifier);
  EXPECT_EQ(Card(0)->pos(), QPoint(100, 100));
  EXPECT_EQ(Card(1)->pos(), QPoint(305, 100));
  // A click on group 0's card makes group 0 current.
  Drag(Control<TCardImage>(*Card(0), "CardImage"), {10, 10}, {0, 0});
  EXPECT_EQ(DeckGroups().CurrentGroup(), 0);
}

TEST_F(DeckGroupsTest, MoveGroupDragsTheWholeGroupUntilReleased) {
  Open();
  Deal(2);
  ClickSpreads("Image3");
  Card(0)->move(100, 100);
  Card(1)->move(300, 100);
  Entry(Control<QMenu>(DeckGroups(), "PopupMenu1"), "N2")->trigger();
  EXPECT_TRUE(DeckGroups().MoveMode());
  Drag(Control<TCardImage>(*Card(0), "CardImage"), {10, 10}, {0, 20});
  EXPECT_EQ(Card(1)->pos(), QPoint(300, 120));
  EXPECT_FALSE(DeckGroups().MoveMode());
  Drag(Control<TCardImage>(*Card(0), "CardImage"), {10, 10}, {0, 20});
  EXPECT_EQ(Card(1)->pos(), QPoint(300, 120));
}

TEST_F(DeckGroupsTest, HiddenWithTheTrayIconTheCommandsActOnAllUntilShownAgain) {
  Open();
  main.trayIconActive = true;
  Deal(1);
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  Deal(1);
  Click(Control<TSkinImage>(DeckGroups(), "ButtonHideImage"));
  EXPECT_FALSE(DeckGroups().isVisible());
  EXPECT_TRUE(ini.DeckGroupsOpen);
  ClickSpreads("Image12");
  EXPECT_FALSE(Card(0)->ShowsPicture());
  spreads->SetSpreadVisible(false);
  spreads->SetSpreadVisible(true);
  EXPECT_TRUE(DeckGroups().isVisible());
}

TEST_F(DeckGroupsTest, GroupIconLooksPressedWhileTheButtonIsDown) {
  Open();
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  TSkinImage* icon = GroupIcon(0);
  SendMouse(icon, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(icon->pos(), QPoint(1, 21));
  SendMouse(icon, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(icon->pos(), QPoint(0, 20));
  EXPECT_EQ(DeckGroups().CurrentGroup(), 0);
}

TEST_F(DeckGroupsTest, OpeningASpreadReplacesOnlyTheCurrentGroupAndNumbersOnward) {
  Open();
  Deal(2);
  ClickSpreads("Image3");
  ClickSpreads("Image3");
  const std::string path = dir.Path("three.spread");
  ASSERT_TRUE(WriteFileAtomically(path, "[Position00]\r\n[Position01]\r\n[Position02]\r\n"));
  spreads->LoadSpread(path);
  EXPECT_EQ(Tags(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Groups(), (std::vector<int>{0, 0, 1, 1, 1}));
  EXPECT_EQ(ShownHint(Card(2)->PositionHint()), QString::fromUtf8("Позиция 3"));
  // Saving with the window shown writes the current group's places.
  SaveSpread(dir.Path("group.spread"));
  EXPECT_EQ(IniFile(dir.Path("group.spread")).ReadSections(),
            (std::vector<std::string>{"Spread", "Position02", "Position03", "Position04"}));
}

}  // namespace
}  // namespace vaticor::testing
