#include "core/chrome_geometry.h"

#include <cstdint>

namespace vaticor {

bool Overlaps(const WindowRect& a, const WindowRect& b) {
  return a.left < std::int64_t{b.left} + b.width && b.left < std::int64_t{a.left} + a.width &&
         a.top < std::int64_t{b.top} + b.height && b.top < std::int64_t{a.top} + a.height;
}

WindowRect MoveByTitle(WindowRect window, int x0, int y0, int x, int y) {
  window.left += x - x0;
  window.top += y - y0;
  return window;
}

WindowRect ResizeVertically(WindowRect window, int tag, int y0, int y) {
  if (tag == kTopOrLeftEdge) {
    const int oldHeight = window.height;
    window.height += y0 - y;
    window.top += oldHeight - window.height;  // the bottom edge stays
  } else {
    window.height += y - y0;
  }
  return window;
}

WindowRect ResizeHorizontally(WindowRect window, int tag, int x0, int x) {
  if (tag == kTopOrLeftEdge) {
    const int oldWidth = window.width;
    window.width += x0 - x;
    window.left += oldWidth - window.width;  // the right edge stays
  } else {
    window.width += x - x0;
  }
  return window;
}

FramePlacement PlaceFrame(int windowWidth, int closeWidth, int minimiseWidth, int label2Width,
                          int bottomBarTop) {
  FramePlacement placement;
  placement.closeLeft = windowWidth - closeWidth;
  placement.minimiseLeft = placement.closeLeft - minimiseWidth;
  placement.label2Left = (windowWidth - label2Width) / 2;  // truncates toward zero
  placement.label1Left = placement.label2Left + 1;
  placement.label2Top = bottomBarTop;
  placement.label1Top = placement.label2Top + 1;
  return placement;
}

}  // namespace vaticor
