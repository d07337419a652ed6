#include "core/chrome_geometry.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

constexpr WindowRect kWindow{100, 200, 314, 208};

TEST(ChromeGeometry, MoveFollowsThePointerInTheTitle) {
  EXPECT_EQ(MoveByTitle(kWindow, 5, 7, 15, 4), (WindowRect{110, 197, 314, 208}));
  EXPECT_EQ(MoveByTitle(kWindow, 5, 7, 5, 7), kWindow);
  EXPECT_EQ(MoveByTitle(kWindow, 50, 8, -20, 30), (WindowRect{30, 222, 314, 208}));
}

TEST(ChromeGeometry, VerticalEdgesKeepTheOppositeEdge) {
  // The top edge dragged up by 10: 10 higher, the bottom stays.
  const WindowRect up = ResizeVertically(kWindow, kTopOrLeftEdge, 500, 490);
  EXPECT_EQ(up, (WindowRect{100, 190, 314, 218}));
  EXPECT_EQ(up.top + up.height, kWindow.top + kWindow.height);
  // The top edge dragged down shrinks it, the bottom still stays.
  const WindowRect down = ResizeVertically(kWindow, kTopOrLeftEdge, 500, 530);
  EXPECT_EQ(down, (WindowRect{100, 230, 314, 178}));
  // The bottom edge dragged up by 10: 10 lower, the top stays.
  EXPECT_EQ(ResizeVertically(kWindow, kBottomOrRightEdge, 500, 490),
            (WindowRect{100, 200, 314, 198}));
  EXPECT_EQ(ResizeVertically(kWindow, kBottomOrRightEdge, 500, 525),
            (WindowRect{100, 200, 314, 233}));
}

TEST(ChromeGeometry, HorizontalEdgesKeepTheOppositeEdge) {
  const WindowRect left = ResizeHorizontally(kWindow, kTopOrLeftEdge, 100, 80);
  EXPECT_EQ(left, (WindowRect{80, 200, 334, 208}));
  EXPECT_EQ(left.left + left.width, kWindow.left + kWindow.width);
  EXPECT_EQ(ResizeHorizontally(kWindow, kTopOrLeftEdge, 100, 140),
            (WindowRect{140, 200, 274, 208}));
  EXPECT_EQ(ResizeHorizontally(kWindow, kBottomOrRightEdge, 413, 420),
            (WindowRect{100, 200, 321, 208}));
  EXPECT_EQ(ResizeHorizontally(kWindow, kBottomOrRightEdge, 413, 400),
            (WindowRect{100, 200, 301, 208}));
}

TEST(ChromeGeometry, FrameSitsRightAndCaptionCentred) {
  const FramePlacement place = PlaceFrame(314, 17, 17, 100, 191);
  EXPECT_EQ(place.closeLeft, 297);     // flush with the right edge
  EXPECT_EQ(place.minimiseLeft, 280);  // just left of the close image
  EXPECT_EQ(place.label2Left, 107);
  EXPECT_EQ(place.label2Top, 191);  // on the bottom bar
  // The shadow lies one pixel right of and below the caption.
  EXPECT_EQ(place.label1Left, 108);
  EXPECT_EQ(place.label1Top, 192);
}

TEST(ChromeGeometry, CaptionCentringTruncates) {
  EXPECT_EQ(PlaceFrame(107, 17, 17, 50, 0).label2Left, 28);  // 57 / 2
  // A caption wider than the window by an odd amount truncates toward zero.
  EXPECT_EQ(PlaceFrame(107, 17, 17, 120, 0).label2Left, -6);  // -13 / 2
  EXPECT_EQ(PlaceFrame(107, 17, 17, 120, 0).label1Left, -5);
}

}  // namespace
}  // namespace vaticor
