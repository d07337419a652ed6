#include "core/window_bounds.h"

#include <algorithm>

namespace vaticor {

bool IsPlausibleScreenSize(std::int64_t width, std::int64_t height) {
  return width >= kSmallestScreenWidth && height >= kSmallestScreenHeight &&
         width <= kLargestScreenSide && height <= kLargestScreenSide;
}

int Bound(std::int64_t value, int lowest, int highest) {
  if (value > highest) value = highest;
  if (value < lowest) value = lowest;
  return static_cast<int>(value);
}

WindowRect KeepReachable(WindowRect window, int screenWidth, int screenHeight) {
  const std::int64_t across = std::min(kReachableStrip, std::max(window.width, 1));
  const std::int64_t down = std::min(kReachableStrip, std::max(window.height, 1));
  window.left = Bound(window.left, static_cast<int>(across - window.width),
                      static_cast<int>(std::max<std::int64_t>(0, screenWidth - across)));
  window.top =
      Bound(window.top, 0, static_cast<int>(std::max<std::int64_t>(0, screenHeight - down)));
  return window;
}

}  // namespace vaticor
