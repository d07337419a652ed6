#include "core/main_window_geometry.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

// A 1024 x 768 screen; the window's place and size vary per test.
MainWindowState Window(int left, int width, int height, int cardsAcross) {
  return {1024, 768, left, width, height, cardsAcross};
}

TEST(MainWindowGeometry, WidthsAddTheFrameAndNeverFallBelowTheMinimum) {
  EXPECT_EQ(MainWindowWidth(165, 1), 169);
  EXPECT_EQ(MainWindowWidth(165, 3), 499);
  EXPECT_EQ(MainWindowWidth(1, 3), 72);
  EXPECT_EQ(MainWindowWidth(-3, 3), 72);  // a dragged 1 px window's card
  EXPECT_EQ(MainWindowWidth(2147483647, 3), 16384 * 3 + 4);

  EXPECT_EQ(LargestCardWidth(1024, 1), 1020);
  EXPECT_EQ(LargestCardWidth(1024, 3), 340);
  EXPECT_EQ(LargestCardWidth(100, 3), 68);  // a screen too small still gets the minimum
  EXPECT_EQ(BoundCardWidth(3000000, 1024, 3), 340);
  EXPECT_EQ(BoundCardWidth(-5, 1024, 1), 68);
  EXPECT_EQ(BoundMainHeight(2147483647, 768), 768);
  EXPECT_EQ(BoundMainHeight(33, 768), 82);
}

TEST(MainWindowGeometry, TheHeightFollowsTheScreenFromThe640By480Reference) {
  EXPECT_EQ(ScreenMainHeight(480), 208);
  EXPECT_EQ(ScreenMainHeight(768), 333);  // 332.8
  EXPECT_EQ(ScreenMainHeight(960), 416);
  EXPECT_EQ(ScreenMainHeight(1), 82);
}

TEST(MainWindowGeometry, TheRightHalfRuleComparesCentresWithTruncatedHalves) {
  EXPECT_TRUE(RightHalf(1024, 855, 169));
  EXPECT_FALSE(RightHalf(1024, 10, 169));
  // 512 - 428 = 84 < 169 div 2 = 84? No: equal is not right of the centre.
  EXPECT_FALSE(RightHalf(1024, 428, 169));
  EXPECT_TRUE(RightHalf(1024, 429, 169));
}

TEST(MainWindowGeometry, CardWidthFromPictureProportionsInSixtyFourBits) {
  EXPECT_EQ(CardWidthForPanel(200, 350, 308), 176);
  EXPECT_EQ(CardWidthForPanel(400, 680, 291), 171);
  // A header claiming 2,000,000,000 x 1 pixels.
  EXPECT_EQ(CardWidthForPanel(2000000000, 1, 291), 582000000000);
  EXPECT_EQ(CardWidthForPanel(200, 0, 291), std::nullopt);
  EXPECT_EQ(CardWidthForPanel(0, 350, 291), std::nullopt);
}

TEST(MainWindowGeometry, AutoSizeOnAHugePictureStaysOnTheScreen) {
  // One card at the right edge, picture 2,000,000,000 x 1.
  const AutoSizing result = AutoCardSizing(Window(855, 169, 333, 1), 2000000000, 1);
  EXPECT_EQ(result.height, 333);
  ASSERT_TRUE(result.sizing);
  EXPECT_EQ(result.sizing->cardWidth, 1020);
  EXPECT_EQ(result.sizing->width, 1024);
  EXPECT_EQ(result.sizing->left, 0);
  EXPECT_EQ(result.sizing->threeCardWidth, 3064);  // the mode switch narrows it
}

TEST(MainWindowGeometry, AutoSizeKeepsTheRightEdgeRightOfCentre) {
  const AutoSizing result = AutoCardSizing(Window(855, 169, 333, 1), 200, 350);
  ASSERT_TRUE(result.sizing);
  // (333 - 42) x 200 div 350 = 166.
  EXPECT_EQ(result.sizing->cardWidth, 166);
  EXPECT_EQ(result.sizing->width, 170);
  EXPECT_EQ(result.sizing->left, 854);
  EXPECT_EQ(result.sizing->oneCardWidth, 170);
  EXPECT_EQ(result.sizing->threeCardWidth, 502);
  EXPECT_FALSE(AutoCardSizing(Window(855, 169, 333, 1), 0, 0).sizing);
}

TEST(MainWindowGeometry, FittingToAHeightOf33UsesTheMinimum) {
  const auto sizing = FitCardWidthSizing(Window(100, 169, 33, 1), 200, 350);
  ASSERT_TRUE(sizing);
  EXPECT_EQ(sizing->height, 82);
  EXPECT_EQ(sizing->cardWidth, 68);  // 40 x 200 div 350 = 22, held to 68
  EXPECT_EQ(sizing->width, 72);
  EXPECT_EQ(sizing->left, 100);

  const auto tall = FitCardWidthSizing(Window(100, 169, 350, 1), 200, 350);
  ASSERT_TRUE(tall);
  EXPECT_EQ(tall->cardWidth, 176);
  EXPECT_EQ(tall->width, 180);
}

TEST(MainWindowGeometry, ScreenCardSizeAt1280By960) {
  const MainSizing one = ScreenCardSizing({1280, 960, 10, 169, 333, 1});
  EXPECT_EQ(one.height, 416);
  EXPECT_EQ(one.cardWidth, 206);
  EXPECT_EQ(one.oneCardWidth, 210);
  EXPECT_EQ(one.threeCardWidth, 622);
  EXPECT_EQ(one.width, 210);
  EXPECT_EQ(one.left, 10);
  const MainSizing three = ScreenCardSizing({1280, 960, 10, 169, 333, 3});
  EXPECT_EQ(three.width, 622);  // one pixel less than three panels + 4
}

// On a screen wider than 4:3 the panels were widened with the screen (412
// x 582 at 2560 x 1440) and the card drawn as an oval.
TEST(MainWindowGeometry, ScreenCardSizeKeepsTheCardsShapeOnAWideScreen) {
  const MainSizing wide = ScreenCardSizing({2560, 1440, 10, 169, 333, 1});
  EXPECT_EQ(wide.height, 624);
  EXPECT_EQ(wide.cardWidth, 309);
  EXPECT_EQ(wide.threeCardWidth, 931);
  // A narrow screen: three cards as wide as the screen allows.
  const MainSizing narrow = ScreenCardSizing({800, 1280, 0, 169, 333, 3});
  EXPECT_EQ(narrow.width, 800);
  EXPECT_LE(MainWindowWidth(narrow.cardWidth, 3), 800);
}

TEST(MainWindowGeometry, ModeSwitchesKeepTheRightEdgeWithinTheScreen) {
  // 855 + 169 = 1024: three cards of 165 end there too.
  const MainSizing three = ModeSwitchSizing(Window(855, 169, 333, 1), 165, 169, 499, 3);
  EXPECT_EQ(three.left, 525);
  EXPECT_EQ(three.width, 499);
  const MainSizing back = ModeSwitchSizing(Window(525, 499, 333, 3), 165, 169, 499, 1);
  EXPECT_EQ(back.left, 855);
  EXPECT_EQ(back.width, 169);

  // A one-card window at the left edge cannot keep its right edge.
  EXPECT_EQ(ModeSwitchSizing(Window(0, 169, 333, 1), 165, 169, 499, 3).left, 0);
  // Widths left by a window dragged to 1 px (-5 for three cards).
  const MainSizing dragged = ModeSwitchSizing(Window(500, 1, 333, 1), -3, 1, -5, 3);
  EXPECT_EQ(dragged.width, 72);
  EXPECT_GE(dragged.left, 0);
  // Three cards of 500 do not fit 1024: they become 340.
  const MainSizing wide = ModeSwitchSizing(Window(500, 504, 333, 1), 500, 504, 1504, 3);
  EXPECT_EQ(wide.cardWidth, 340);
  EXPECT_EQ(wide.width, 1024);
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.oneCardWidth, 344);
}

TEST(MainWindowGeometry, TheQuestionShiftStopsAtTheScreenEdges) {
  EXPECT_EQ(ShiftedMainTop(698, 333), 365);
  EXPECT_EQ(ShiftedMainTop(100, 333), 0);
  EXPECT_EQ(ShiftedMainTop(-20, 333), 0);
  EXPECT_EQ(UnshiftedMainTop(365, 40, 333, 768), 405);
  EXPECT_EQ(UnshiftedMainTop(420, 40, 333, 768), 435);
  // Already below what the screen allows: not pulled up by turning it off.
  EXPECT_EQ(UnshiftedMainTop(500, 40, 333, 768), 500);
}

}  // namespace
}  // namespace vaticor
