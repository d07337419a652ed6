#pragma once

#include <QWidget>
#include <functional>

namespace vaticor {

// The start-up benchmark's probe (bench/startup). While the environment
// variable VATICOR_STARTUP_PROBE is set, the first time `window` is exposed
// (on X11: mapped and ready to be drawn) its moment is noted; `settle` then
// runs from the event loop (say, waiting for files still being read), and
// the process writes one line to standard output and ends at once, without
// saving anything:
//   "<exposed> <settled> <width> <height>\n"
// the moments in nanoseconds of the steady clock (CLOCK_MONOTONIC, which a
// parent process shares), the window's size in pixels. Without the
// variable it does nothing.
void ProbeStartup(QWidget& window, std::function<void()> settle = {});

}  // namespace vaticor
