#pragma once

#include <cstdint>

#include "core/chrome_geometry.h"

namespace vaticor {

// Bounds that keep windows usable whatever a settings file holds. Units are
// screen pixels throughout.

// A screen size no real screen has: narrower than 320, lower than 200, or
// over 16384 in either direction. A stored size like that (a file edited by
// hand, or written on a broken display) cannot be scaled from.
inline constexpr int kSmallestScreenWidth = 320;
inline constexpr int kSmallestScreenHeight = 200;
inline constexpr int kLargestScreenSide = 16384;
bool IsPlausibleScreenSize(std::int64_t width, std::int64_t height);

// `value` held to [lowest, highest]; when highest < lowest, lowest wins.
int Bound(std::int64_t value, int lowest, int highest);

// How much of a window must stay on the screen for the user to reach it:
// a corner of its title bar, wide and high enough to take the pointer.
inline constexpr int kReachableStrip = 32;

// The window moved, as little as possible, so that its top edge is on the
// screen (the title bar is at the top of every window of the program) and at
// least kReachableStrip pixels of it are on the screen across and down. The
// size is not changed.
WindowRect KeepReachable(WindowRect window, int screenWidth, int screenHeight);

// Where a window first stands (no place stored for it) so as to leave
// `strip`, the main window's title strip with its menu and spreads images,
// uncovered: `window` itself when it does; otherwise moved as little as
// possible up, down, left or right until it does, staying wholly on the
// screen above the taskbar (0, 0 to screenWidth x taskBarTop), or on a
// screen too small for that, keeping at least its title bar's first
// kReachableStrip pixels there; unchanged when no such move exists.
WindowRect FirstPlaceClearOf(WindowRect window, WindowRect strip, int screenWidth, int taskBarTop);

}  // namespace vaticor
