#include "core/spread_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace vaticor {
namespace {

TEST(SpreadGeometry, ProportionsMultiplyFirstAndTruncate) {
  // A 300 x 500 deck: dragging the right edge to 120 makes the card 200 high.
  EXPECT_EQ(HeightForWidth(120, 300, 500), 200);
  EXPECT_EQ(WidthForHeight(200, 300, 500), 120);
  EXPECT_EQ(HeightForWidth(121, 300, 500), 201);  // 201.67
  EXPECT_EQ(WidthForHeight(199, 300, 500), 119);  // 119.4
  // Dividing the picture sides first would give a ratio of 0.
  EXPECT_EQ(WidthForHeight(197, 400, 680), 115);
  // A picture header claiming a million pixels a side overflows 32 bits.
  EXPECT_EQ(WidthForHeight(10000, 1'000'000, 1'000'000), 10000);
}

TEST(SpreadGeometry, NoPictureSizeGivesNoRatio) {
  EXPECT_EQ(WidthForHeight(200, 0, 500), std::nullopt);
  EXPECT_EQ(HeightForWidth(120, 300, 0), std::nullopt);
  EXPECT_EQ(HeightForWidth(120, -300, 500), std::nullopt);
  EXPECT_EQ(DragCardRightEdge({100, 150}, 20, true, 0, 0), (CardSize{120, 150}));
  EXPECT_EQ(EqualsKeyCardSize({100, 150}, 768, 0, 0), (CardSize{100, 197}));
}

TEST(SpreadGeometry, SizesStayWithinBounds) {
  EXPECT_EQ(HeightForWidth(5, 300, 500), kSmallestSpreadCard);
  EXPECT_EQ(WidthForHeight(INT_MAX, INT_MAX, 1), kLargestSpreadCard);
  EXPECT_EQ(ResizeCardByArrow({kSmallestSpreadCard, 100}, ArrowKey::Left),
            (CardSize{kSmallestSpreadCard, 100}));
  EXPECT_EQ(DragCardBottomEdge({100, 100}, INT_MIN, false, 300, 500),
            (CardSize{100, kSmallestSpreadCard}));
}

TEST(SpreadGeometry, KeysSizeTheCardFromTheScreen) {
  EXPECT_EQ(BackslashKeyCardSize(1024), (CardSize{165, 262}));  // 1280 x 1024
  EXPECT_EQ(BackslashKeyCardSize(480), (CardSize{77, 123}));
  // Both sides follow the height: a card of one shape on every screen.
  EXPECT_EQ(BackslashKeyCardSize(768), (CardSize{124, 197}));
  EXPECT_EQ(BackslashKeyCardSize(1080), (CardSize{174, 277}));  // 173.8 x 276.75
  EXPECT_EQ(ScreenCardWidth(1200), 193);                        // 193.125
  EXPECT_EQ(ScreenCardHeight(880), 226);                        // 225.5 goes to even
  // "=": the height follows the screen, the width the deck.
  EXPECT_EQ(EqualsKeyCardSize({50, 50}, 768, 300, 500), (CardSize{118, 197}));
}

TEST(SpreadGeometry, ShiftArrowsResizeByOnePixel) {
  EXPECT_EQ(ResizeCardByArrow({124, 197}, ArrowKey::Right), (CardSize{125, 197}));
  EXPECT_EQ(ResizeCardByArrow({124, 197}, ArrowKey::Left), (CardSize{123, 197}));
  EXPECT_EQ(ResizeCardByArrow({124, 197}, ArrowKey::Up), (CardSize{124, 196}));
  EXPECT_EQ(ResizeCardByArrow({124, 197}, ArrowKey::Down), (CardSize{124, 198}));
}

TEST(SpreadGeometry, EdgeDragsFollowThePictureWithAutoSize) {
  EXPECT_EQ(DragCardRightEdge({100, 100}, 20, true, 300, 500), (CardSize{120, 200}));
  EXPECT_EQ(DragCardRightEdge({100, 100}, 20, false, 300, 500), (CardSize{120, 100}));
  EXPECT_EQ(DragCardBottomEdge({120, 200}, -50, true, 300, 500), (CardSize{90, 150}));
  EXPECT_EQ(DragCardBottomEdge({120, 200}, -50, false, 300, 500), (CardSize{120, 150}));
}

// A 1024 x 768 screen whose taskbar starts at 738.
constexpr int kScreenWidth = 1024;
constexpr int kTaskBarTop = 738;

TEST(SpreadGeometry, ADealtCardLeavesTheToolbarsCommandsInReach) {
  const auto dealt = [](int left, int top, CardSize size = {124, 197}) {
    // The toolbar's deal button stands 65 across and 20 down in it.
    return DealtCardPlace({left, top, 259, 53}, {left + 65, top + 20}, size, kScreenWidth,
                          kTaskBarTop);
  };
  // In the middle of the screen: just below the toolbar, under the button.
  EXPECT_EQ(dealt(415, 229), (CardPlace{480, 282}));
  // On the taskbar: just above it; at the right edge, held on the screen.
  EXPECT_EQ(dealt(382, 685), (CardPlace{447, 488}));
  EXPECT_EQ(dealt(1000, 700), (CardPlace{900, 503}));
  // Partly off the top of the screen: below it all the same.
  EXPECT_EQ(dealt(415, -40), (CardPlace{480, 13}));
  // Below the taskbar's top the button's corner, held, is clear of it.
  EXPECT_EQ(dealt(415, 745), (CardPlace{480, 541}));
  // Too high for below or above: beside it, on the right, else the left.
  EXPECT_EQ(dealt(300, 300, {124, 500}), (CardPlace{559, 238}));
  EXPECT_EQ(dealt(700, 300, {124, 500}), (CardPlace{576, 238}));
  // Wider than the room beside it too: at the button, held on the screen.
  EXPECT_EQ(dealt(300, 300, {600, 500}), (CardPlace{365, 238}));
}

TEST(SpreadGeometry, PicturesAreAskedForNearestFirstAndTheTopCardOfAPileFirst) {
  EXPECT_EQ(PictureRequestOrder({5.0, 1.0, 5.0, 0.5, 5.0}),
            (std::vector<std::size_t>{3, 1, 4, 2, 0}));
  EXPECT_TRUE(PictureRequestOrder({}).empty());
}

TEST(SpreadGeometry, DealtCardsAreHeldAboveTheTaskbar) {
  const CardSize card{124, 197};
  EXPECT_EQ(HoldCardOnScreen({300, 200}, card, kScreenWidth, kTaskBarTop), (CardPlace{300, 200}));
  // Dealt from a spreads window in the bottom-right corner.
  EXPECT_EQ(HoldCardOnScreen({1000, 700}, card, kScreenWidth, kTaskBarTop), (CardPlace{900, 541}));
  EXPECT_EQ(HoldCardOnScreen({-5, -7}, card, kScreenWidth, kTaskBarTop), (CardPlace{0, 0}));
  // The right edge counts after the left: a card wider than the screen
  // ends left of it.
  EXPECT_EQ(HoldCardOnScreen({-5, 0}, {2000, 197}, kScreenWidth, kTaskBarTop),
            (CardPlace{-976, 0}));
}

TEST(SpreadGeometry, ArrowsMoveByOneOrSixteenAndHoldTheCard) {
  const CardSize card{124, 197};
  EXPECT_EQ(MoveCardByArrow({10, 10}, card, ArrowKey::Right, false, kScreenWidth, kTaskBarTop),
            (CardPlace{11, 10}));
  EXPECT_EQ(MoveCardByArrow({10, 10}, card, ArrowKey::Left, true, kScreenWidth, kTaskBarTop),
            (CardPlace{0, 10}));
  EXPECT_EQ(MoveCardByArrow({10, 530}, card, ArrowKey::Down, true, kScreenWidth, kTaskBarTop),
            (CardPlace{10, 541}));
  EXPECT_EQ(MoveCardByArrow({10, 40}, card, ArrowKey::Up, true, kScreenWidth, kTaskBarTop),
            (CardPlace{10, 24}));
  // A card that a spread file put far off the screen comes back at once.
  EXPECT_EQ(
      MoveCardByArrow({INT_MAX, INT_MIN}, card, ArrowKey::Right, false, kScreenWidth, kTaskBarTop),
      (CardPlace{900, 0}));
}

TEST(ArrowOffset, EachArrowMovesItsWayByTheStep) {
  EXPECT_EQ(ArrowOffset(ArrowKey::Left, 16), (ArrowMove{-16, 0}));
  EXPECT_EQ(ArrowOffset(ArrowKey::Right, 16), (ArrowMove{16, 0}));
  EXPECT_EQ(ArrowOffset(ArrowKey::Up, 1), (ArrowMove{0, -1}));  // up the screen
  EXPECT_EQ(ArrowOffset(ArrowKey::Down, 1), (ArrowMove{0, 1}));
}

}  // namespace
}  // namespace vaticor

namespace vaticor {
namespace {

TEST(SpreadGeometry, PicturesNearestTheMiddleOfTheScreenRankFirstAndThoseOffItLast) {
  const CardSize card{100, 160};
  // Centred on a 1024 x 768 screen: rank 0.
  EXPECT_DOUBLE_EQ(PictureRank({462, 304}, card, 1024, 768), 0.0);
  // 300 right and 400 below the middle: 500 away.
  EXPECT_DOUBLE_EQ(PictureRank({762, 704}, card, 1024, 768), 500.0);
  // A corner card still on the screen comes before any card off it, even
  // one just past the edge and nearer the middle.
  const double corner = PictureRank({0, 0}, card, 1024, 768);
  const double pastRight = PictureRank({1024, 304}, card, 1024, 768);
  const double farOff = PictureRank({5000, 5000}, card, 1024, 768);
  EXPECT_LT(corner, pastRight);
  EXPECT_LT(pastRight, farOff);
  // One pixel showing counts as on the screen.
  EXPECT_LT(PictureRank({-99, 304}, card, 1024, 768), pastRight);
  EXPECT_GT(PictureRank({-100, 304}, card, 1024, 768), corner);
}

}  // namespace
}  // namespace vaticor
