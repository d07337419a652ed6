// Test labels: threads
#include "platform/thread_priority.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace vaticor {
namespace {

int PriorityOfThisThread() {
  return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)));
}

TEST(ThreadPriority, OnlyTheCallingThreadYields) {
  const int before = PriorityOfThisThread();
  int lowered = before;
  std::thread worker([&lowered] {
    YieldThisThreadToOthers();
    lowered = PriorityOfThisThread();
  });
  worker.join();
  EXPECT_EQ(lowered, kYieldingNice);
  EXPECT_EQ(PriorityOfThisThread(), before);
  // A thread started afterwards is not lowered either.
  int later = -100;
  std::thread([&later] { later = PriorityOfThisThread(); }).join();
  EXPECT_EQ(later, before);
}

}  // namespace
}  // namespace vaticor
