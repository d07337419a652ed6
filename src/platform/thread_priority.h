#pragma once

namespace vaticor {

// The niceness YieldThisThreadToOthers gives (Linux: -20 to 19, 0 the
// default).
inline constexpr int kYieldingNice = 10;

// Lowers the calling thread (only it, not the process) to kYieldingNice,
// for work that is to yield to the windows and the window system while the
// program starts, as reading a reading log of years does. A lowered thread
// is never raised again: a window that waits for its work waits longer on a
// busy processor. Best effort: where the system refuses or has no such
// priority, nothing changes.
void YieldThisThreadToOthers();

}  // namespace vaticor
