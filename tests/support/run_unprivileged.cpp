#include "support/run_unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vaticor::testing {

int RunUnprivileged(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
        ::setresuid(kNobody, kNobody, kNobody) != 0) {
      ::_exit(100);
    }
    ::_exit(body());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 101;
  return WEXITSTATUS(status);
}

}  // namespace vaticor::testing
