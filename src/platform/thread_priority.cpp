#include "platform/thread_priority.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vaticor {

void YieldThisThreadToOthers() {
#if defined(__linux__)
  // On Linux a priority belongs to a thread, named by its own id. Not the
  // lowest (19): a window that must wait for the work cannot raise it back
  // (that takes privilege), and on a processor kept busy by other programs
  // nice 10 still gets about a tenth of it, nice 19 a seventieth.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), kYieldingNice);
#endif
}

}  // namespace vaticor
