#include "core/window_bounds.h"

#include <algorithm>
#include <cstdlib>

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

WindowRect FirstPlaceClearOf(WindowRect window, WindowRect strip, int screenWidth, int taskBarTop) {
  const std::int64_t right = std::int64_t{window.left} + window.width;
  const std::int64_t bottom = std::int64_t{window.top} + window.height;
  const std::int64_t stripRight = std::int64_t{strip.left} + strip.width;
  const std::int64_t stripBottom = std::int64_t{strip.top} + strip.height;
  if (!Overlaps(window, strip)) return window;
  // The four ways out: the shortest that keeps the window wholly on the
  // screen, else (a small screen) the shortest that keeps its title bar
  // there to be taken.
  const std::int64_t moves[][2] = {{0, strip.top - bottom},
                                   {0, stripBottom - window.top},
                                   {strip.left - right, 0},
                                   {stripRight - window.left, 0}};
  const auto distance = [](const std::int64_t* m) { return std::abs(m[0]) + std::abs(m[1]); };
  const std::int64_t* best = nullptr;
  for (const bool whole : {true, false}) {
    for (const auto& move : moves) {
      const std::int64_t left = window.left + move[0];
      const std::int64_t top = window.top + move[1];
      const bool fits = whole ? left >= 0 && top >= 0 && left + window.width <= screenWidth &&
                                    top + window.height <= taskBarTop
                              : top >= 0 && top + kReachableStrip <= taskBarTop &&
                                    left + window.width >= kReachableStrip &&
                                    left + kReachableStrip <= screenWidth;
      if (fits && (best == nullptr || distance(move) < distance(best))) best = move;
    }
    if (best != nullptr) break;
  }
  if (best == nullptr) return window;
  return {static_cast<int>(window.left + best[0]), static_cast<int>(window.top + best[1]),
          window.width, window.height};
}

}  // namespace vaticor
