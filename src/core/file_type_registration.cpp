#include "core/file_type_registration.h"

namespace vaticor {

void RegistrationInBackground::RegisterSpreadFileType() {
  // Joined before the next starts: a thread moved in would already run
  // while the assignment joins the old one.
  if (thread_.joinable()) thread_.join();
  thread_ = std::jthread([this] { registrar_.RegisterSpreadFileType(); });
}

}  // namespace vaticor
