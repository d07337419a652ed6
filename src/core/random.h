#pragma once

#include <cstdint>

namespace vaticor {

// Where the random generator takes its seed from.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds elapsed since midnight (UTC) by the system clock.
  virtual std::uint32_t MillisecondsSinceMidnight() const = 0;
};

// The system clock.
class SystemClock : public Clock {
 public:
  std::uint32_t MillisecondsSinceMidnight() const override;
};

// A clock that always gives the same time, for tests and tools.
class FixedClock : public Clock {
 public:
  explicit FixedClock(std::uint32_t milliseconds = 0) : milliseconds_(milliseconds) {}
  std::uint32_t MillisecondsSinceMidnight() const override { return milliseconds_; }

 private:
  std::uint32_t milliseconds_;
};

// The program-wide random generator: a 32-bit linear congruential generator
// (seed := seed * 134775813 + 1). Every random choice of the program - the
// draw, the reversal of each card, the random deck - advances this one seed.
class RandomGenerator {
 public:
  explicit RandomGenerator(const Clock& clock) : clock_(&clock) {}

  // Seeds from the clock.
  void Randomize() { seed_ = clock_->MillisecondsSinceMidnight(); }
  void SetSeed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t Seed() const { return seed_; }

  // A uniformly drawn integer in 0 .. n - 1 (0 when n <= 0): the seed is
  // advanced, then the upper 32 bits of seed * n are the result.
  std::int32_t Random(std::int32_t n);

 private:
  const Clock* clock_;
  std::uint32_t seed_ = 0;
};

}  // namespace vaticor
