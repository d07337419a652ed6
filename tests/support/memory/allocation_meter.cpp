#include "support/memory/allocation_meter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// Sizes come from malloc_usable_size, the same at release as at allocation,
// so no header needs to travel with each block.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* Counted(void* block) {
  if (block == nullptr) return nullptr;
  const std::size_t size = malloc_usable_size(block);
  const std::size_t now = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return block;
}

void* Allocate(std::size_t size) { return Counted(std::malloc(std::max<std::size_t>(size, 1))); }

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  if (size > SIZE_MAX - align) return nullptr;
  const std::size_t rounded = (std::max<std::size_t>(size, 1) + align - 1) / align * align;
  return Counted(std::aligned_alloc(align, rounded));
}

void* AllocateOrThrow(void* block) {
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void Release(void* block) {
  if (block == nullptr) return;
  liveBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(Allocate(size)); }
void* operator new[](std::size_t size) { return AllocateOrThrow(Allocate(size)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(AllocateAligned(size, alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateOrThrow(AllocateAligned(size, alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}

void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete(void* block, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Release(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  Release(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  Release(block);
}

namespace vaticor::testing {

AllocationMeter::AllocationMeter() : start_(liveBytes.load(std::memory_order_relaxed)) {
  peakBytes.store(start_, std::memory_order_relaxed);
}

std::size_t AllocationMeter::PeakBytes() const {
  const std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  return peak > start_ ? peak - start_ : 0;
}

}  // namespace vaticor::testing
