#pragma once

namespace vaticor {

// Lowers the calling thread (only it, not the process) to the least share
// of the processor the system gives (nice 19 on Linux), for work that is to
// yield to the windows and the window system while the program starts, as
// reading a reading log of years does. Best effort: where the system refuses
// or has no such priority, nothing changes.
void YieldThisThreadToOthers();

}  // namespace vaticor
