#pragma once

class QWidget;

namespace vaticor {

class SkinChrome;
class TSkinImage;
struct CaptionPair;

// The frame of a window the user sizes by its edges (the main window and
// the log): a top edge under the title strip, a bottom edge over the
// bottom bar, a left and a right edge between them, and the bottom bar
// that carries the caption. The edges-only form (the viewer, the question
// window) has a left, a right and a bottom edge and nothing else. The
// layouts name the parts differently from window to window, so the window
// gives the names.
struct SizingFrame {
  struct Names {
    const char* top;
    const char* bottom;
    const char* left;
    const char* right;
    const char* bottomBar;
  };

  struct EdgeNames {
    const char* left;
    const char* right;
    const char* bottom;
  };

  // Makes the parts in `window`, in this order: the edges from the skin's
  // edge pictures, tagged for the chrome (top and left kTopOrLeftEdge,
  // bottom and right kBottomOrRightEdge), then the bottom bar.
  static SizingFrame Make(QWidget* window, const Names& names);
  // The edges-only form: the left, right and bottom edges, each tagged
  // kBottomOrRightEdge (either side edge widens the window to the right,
  // its left staying put); `top` and `bottomBar` stay null.
  static SizingFrame MakeEdges(QWidget* window, const EdgeNames& names);

  // The chrome resizes the window by the edges and keeps `caption` centred
  // on the bottom bar.
  void AttachTo(SkinChrome& chrome, const CaptionPair& caption) const;
  // The edges-only form: the chrome resizes the window by its edges.
  void AttachEdgesTo(SkinChrome& chrome) const;

  // Places the parts for a window `width` x `height` whose title strip and
  // bottom bar are `bar` high: the top and bottom edges `edge` high across
  // the window, the sides `side` wide between them.
  void Place(int width, int height, int bar, int edge, int side) const;
  // The edges-only form in a window `width` x `height`: the bottom edge
  // `edge` high across the bottom, the sides `edge` wide from `top` down to
  // it.
  void PlaceEdges(int width, int height, int top, int edge) const;
  // Shows or hides the edges (a maximised window has none to size it by).
  void ShowEdges(bool shown) const;

  TSkinImage* top = nullptr;
  TSkinImage* bottom = nullptr;
  TSkinImage* left = nullptr;
  TSkinImage* right = nullptr;
  TSkinImage* bottomBar = nullptr;
};

}  // namespace vaticor
