#pragma once

#include <cstddef>

namespace vaticor::testing {

// The most memory held through operator new at any one moment since the
// meter was made, above what was held when it was made. A test program
// that uses it links allocation_meter.cpp, which replaces the global
// operator new and delete (they still allocate with malloc, so the
// sanitizers see every block).
//
// Only C++ allocations are seen: what C libraries take with malloc
// themselves (libjpeg's working memory) is not. One meter at a time, from
// one thread.
class AllocationMeter {
 public:
  AllocationMeter();
  std::size_t PeakBytes() const;

 private:
  std::size_t start_;
};

}  // namespace vaticor::testing
