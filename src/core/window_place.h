#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vaticor {

// Where a top-level window of the program stands on the screen, as the
// program knows it. Units are screen pixels.
//
// The window system's own account can be wrong for a while: on X11, when a
// hidden window is shown again the window manager puts it into a new frame,
// and a position read in that moment is the frame's corner before the frame
// was placed (often 0,0). No later report corrects it, so a window asked for
// its position afterwards would answer with a place it does not stand at; a
// spread saved then loses its layout, and a drag starts from the wrong
// place. Reports also lag behind: during a drag the window system confirms
// the program's earlier moves after it has been asked for later ones. So
// the program keeps the place itself:
//
//   - every move the program makes sets it (Moved);
//   - a report of a place the program asked for earlier is the window
//     system catching up, and changes nothing;
//   - the first other report soon after the window is shown is answered by
//     putting the window back where the program knows it stands, which also
//     sets the window system right;
//   - any other report is the user's or the window manager's own move, and
//     is the place from then on.
class WindowPlace {
 public:
  struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
  };

  // Moves asked for and not yet confirmed that are remembered; older ones
  // are forgotten (a report of one of those counts as the window system's
  // own move).
  static constexpr std::size_t kRemembered = 64;
  // How long after a show, in milliseconds, a report may be the window
  // system's mistake; the map of a window takes a few. Later reports are
  // the user's moves (Alt and drag) and are followed from the first.
  static constexpr std::int64_t kSettleMs = 1000;

  WindowPlace() = default;
  explicit WindowPlace(Point place) : place_(place) {}

  Point Place() const { return place_; }
  // A move the program made.
  void Moved(Point place);
  // The window was shown (mapped by the window system) at `nowMs`, a
  // steady clock's milliseconds.
  void Shown(std::int64_t nowMs);
  // A position the window system reported for the window at `nowMs`; true
  // when the window is to be moved back to Place().
  bool Reported(Point place, std::int64_t nowMs);

 private:
  Point place_;
  std::vector<Point> asked_;  // oldest first; the last is place_
  // Shown, and no report since that disagreed.
  bool settling_ = false;
  std::int64_t shownAt_ = 0;
};

}  // namespace vaticor
