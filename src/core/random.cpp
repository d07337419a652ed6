#include "core/random.h"

#include <chrono>

namespace vaticor {

std::uint32_t SystemClock::MillisecondsSinceMidnight() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

std::int32_t RandomGenerator::Random(std::int32_t n) {
  seed_ = seed_ * 134775813u + 1u;
  if (n <= 0) return 0;
  return static_cast<std::int32_t>(
      (static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace vaticor
