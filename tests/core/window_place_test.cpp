#include "core/window_place.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

using Point = WindowPlace::Point;

TEST(WindowPlace, TheFrameCornerReportedAfterAShowIsAnsweredByPuttingTheWindowBack) {
  // A card at 604,270, hidden and shown again; the window system then says
  // it stands at 0,0.
  WindowPlace place(Point{604, 270});
  place.Shown(10'000);
  EXPECT_TRUE(place.Reported({0, 0}, 10'004));
  EXPECT_EQ(place.Place(), (Point{604, 270}));
  // Put back: the window system agrees.
  place.Moved({604, 270});
  EXPECT_FALSE(place.Reported({604, 270}, 10'006));
  // The user then moves it with the window manager (Alt and drag).
  EXPECT_FALSE(place.Reported({650, 300}, 10'500));
  EXPECT_EQ(place.Place(), (Point{650, 300}));
  // Shown once more: the same wrong report is put back again.
  place.Shown(20'000);
  EXPECT_TRUE(place.Reported({0, 0}, 20'900));
  EXPECT_EQ(place.Place(), (Point{650, 300}));
}

TEST(WindowPlace, AMoveReportedLongAfterAShowIsTheUsersFromTheFirst) {
  WindowPlace place(Point{604, 270});
  place.Shown(10'000);
  EXPECT_FALSE(place.Reported({620, 280}, 11'001));
  EXPECT_EQ(place.Place(), (Point{620, 280}));
}

TEST(WindowPlace, AWindowManagerThatKeepsTheWindowElsewhereIsFollowedAfterOnePutBack) {
  WindowPlace place(Point{-40, 300});
  place.Shown(0);
  EXPECT_TRUE(place.Reported({0, 300}, 3));
  place.Moved({-40, 300});
  EXPECT_FALSE(place.Reported({0, 300}, 5));
  EXPECT_EQ(place.Place(), (Point{0, 300}));
  // No loop: the same report again changes nothing.
  EXPECT_FALSE(place.Reported({0, 300}, 7));
}

TEST(WindowPlace, LateConfirmationsOfADragChangeNothing) {
  WindowPlace place(Point{300, 200});
  place.Moved({310, 200});
  place.Moved({320, 200});
  place.Moved({330, 205});
  // The window system confirms the first two steps after the third.
  EXPECT_FALSE(place.Reported({310, 200}, 0));
  EXPECT_FALSE(place.Reported({320, 200}, 0));
  EXPECT_EQ(place.Place(), (Point{330, 205}));
  EXPECT_FALSE(place.Reported({330, 205}, 0));
  // Once the last is confirmed an earlier place is a move of its own.
  EXPECT_FALSE(place.Reported({310, 200}, 0));
  EXPECT_EQ(place.Place(), (Point{310, 200}));
}

TEST(WindowPlace, WithoutAShowAReportOfAnotherPlaceIsTaken) {
  WindowPlace place(Point{10, 20});
  EXPECT_FALSE(place.Reported({400, 500}, 0));
  EXPECT_EQ(place.Place(), (Point{400, 500}));
}

TEST(WindowPlace, OnlyTheLatestAskedPlacesCountAsTheWindowSystemCatchingUp) {
  WindowPlace place;
  for (int step = 1; step <= 65; ++step) place.Moved({step, 0});
  // Step 1 is the 65th place back: forgotten, so its report is a move.
  EXPECT_FALSE(place.Reported({2, 0}, 0));
  EXPECT_EQ(place.Place(), (Point{65, 0}));
  EXPECT_FALSE(place.Reported({1, 0}, 0));
  EXPECT_EQ(place.Place(), (Point{1, 0}));
}

}  // namespace
}  // namespace vaticor
