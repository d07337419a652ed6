#pragma once

#include <functional>

namespace vaticor::testing {

// Runs `body` as a user that permission bits bind: in a child process that
// gives up root when the tests run as root (whom the bits do not stop),
// directly otherwise. Returns the body's result (0 - 99); 100 and above say
// the child could not become that user or did not end normally. The child
// is the user "nobody": what it must reach has to be open to everyone.
int RunUnprivileged(const std::function<int()>& body);

}  // namespace vaticor::testing
