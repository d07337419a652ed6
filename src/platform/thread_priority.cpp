#include "platform/thread_priority.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vaticor {

void YieldThisThreadToOthers() {
#if defined(__linux__)
  // On Linux a priority belongs to a thread, named by its own id.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 19);
#endif
}

}  // namespace vaticor
