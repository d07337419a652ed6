#pragma once

namespace vaticor {

// Geometry of a top-level window in screen pixels.
struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

// Whether two rectangles share a pixel (64-bit: any int rectangles).
bool Overlaps(const WindowRect& a, const WindowRect& b);

// Which edge of a direction an edge image stands for.
enum EdgeTag : int {
  kTopOrLeftEdge = 0,
  kBottomOrRightEdge = 1,
};

// Moving by the title image: the pointer was pressed at (x0, y0) in the
// image and is now at (x, y) in it.
WindowRect MoveByTitle(WindowRect window, int x0, int y0, int x, int y);

// Resizing by a top (tag 0) or bottom (tag 1) edge: the pointer's screen y
// went from y0 to y. The top edge keeps the bottom edge in place.
WindowRect ResizeVertically(WindowRect window, int tag, int y0, int y);
// Resizing by a left (tag 0) or right (tag 1) edge: the pointer's screen x
// went from x0 to x. The left edge keeps the right edge in place.
WindowRect ResizeHorizontally(WindowRect window, int tag, int x0, int x);

// Where the frame's parts go for a window width.
struct FramePlacement {
  int closeLeft = 0;
  int minimiseLeft = 0;
  int label2Left = 0;
  int label1Left = 0;
  int label2Top = 0;
  int label1Top = 0;
};
FramePlacement PlaceFrame(int windowWidth, int closeWidth, int minimiseWidth, int label2Width,
                          int bottomBarTop);

}  // namespace vaticor
