#include "core/window_bounds.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(WindowBounds, ScreenSizesNoRealScreenHas) {
  EXPECT_TRUE(IsPlausibleScreenSize(1024, 768));
  EXPECT_TRUE(IsPlausibleScreenSize(320, 200));
  EXPECT_TRUE(IsPlausibleScreenSize(16384, 16384));
  EXPECT_FALSE(IsPlausibleScreenSize(1, 1));
  EXPECT_FALSE(IsPlausibleScreenSize(319, 768));
  EXPECT_FALSE(IsPlausibleScreenSize(1024, 199));
  EXPECT_FALSE(IsPlausibleScreenSize(16385, 768));
  EXPECT_FALSE(IsPlausibleScreenSize(0, -768));
}

TEST(WindowBounds, BoundHoldsToTheRangeAndTheLowestWins) {
  EXPECT_EQ(Bound(5, 1, 10), 5);
  EXPECT_EQ(Bound(-5, 1, 10), 1);
  EXPECT_EQ(Bound(50000000000, 1, 10), 10);
  EXPECT_EQ(Bound(5, 20, 10), 20);
}

TEST(WindowBounds, AWindowFarOffTheScreenComesBackToItsEdge) {
  // 32767 x 32767 at (-2252, -23040) on 1024 x 768.
  EXPECT_EQ(KeepReachable({-2252, -23040, 32767, 32767}, 1024, 768),
            (WindowRect{-2252, 0, 32767, 32767}));
  EXPECT_EQ(KeepReachable({-40000, 100, 473, 243}, 1024, 768), (WindowRect{-441, 100, 473, 243}));
  EXPECT_EQ(KeepReachable({5000, 5000, 473, 243}, 1024, 768), (WindowRect{992, 736, 473, 243}));
  // Within reach: unchanged, also partly off the screen.
  EXPECT_EQ(KeepReachable({-36, 262, 473, 243}, 400, 768), (WindowRect{-36, 262, 473, 243}));
  EXPECT_EQ(KeepReachable({859, 405, 169, 333}, 1024, 768), (WindowRect{859, 405, 169, 333}));
  // A window narrower than the strip stays wholly on the screen.
  EXPECT_EQ(KeepReachable({-30, 10, 20, 20}, 1024, 768), (WindowRect{0, 10, 20, 20}));
}

// A centred viewer hid the main window's menu and spreads images on a 3840
// x 2160 screen, the log window on a 640 x 480 one.
TEST(WindowBounds, AFirstPlaceLeavesTheMainWindowsTitleStripUncovered) {
  const WindowRect strip{327, 242, 313, 17};
  // Clear of it: unchanged.
  EXPECT_EQ(FirstPlaceClearOf({10, 10, 130, 208}, strip, 640, 450), (WindowRect{10, 10, 130, 208}));
  // Over it: the shortest way out (aside, up, down) that keeps it on the
  // screen above the taskbar.
  EXPECT_EQ(FirstPlaceClearOf({251, 122, 130, 208}, strip, 640, 450),
            (WindowRect{197, 122, 130, 208}));
  EXPECT_EQ(FirstPlaceClearOf({300, 40, 300, 208}, strip, 640, 450),
            (WindowRect{300, 34, 300, 208}));
  EXPECT_EQ(FirstPlaceClearOf({330, 230, 300, 100}, strip, 640, 450),
            (WindowRect{330, 259, 300, 100}));
  // No room to stand wholly on the screen (the viewer on 640 x 480): the
  // shortest way out that keeps its title bar there.
  EXPECT_EQ(FirstPlaceClearOf({83, 118, 473, 243}, strip, 640, 450),
            (WindowRect{83, 259, 473, 243}));
  // No room at all: left where it was.
  EXPECT_EQ(FirstPlaceClearOf({0, 0, 640, 450}, {0, 0, 640, 450}, 640, 450),
            (WindowRect{0, 0, 640, 450}));
}

}  // namespace
}  // namespace vaticor
