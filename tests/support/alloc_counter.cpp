#include "support/alloc_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> Counting{false};
std::atomic<long> Allocations{0};
std::atomic<std::size_t> FailAbove{0};

bool Refused(std::size_t size) {
  std::size_t limit = FailAbove.load(std::memory_order_relaxed);
  return limit != 0 && size > limit;
}

void* CountedAllocate(std::size_t size) {
  if (Counting.load(std::memory_order_relaxed)) Allocations.fetch_add(1, std::memory_order_relaxed);
  if (Refused(size)) throw std::bad_alloc();
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  return p;
}
}  // namespace

void StartCountingAllocations() {
  Allocations = 0;
  Counting = true;
}

long StopCountingAllocations() {
  Counting = false;
  return Allocations.exchange(0);
}

void FailAllocationsLargerThan(std::size_t bytes) {
  FailAbove = bytes;
}

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
// The nothrow forms too (the standard library's temporary buffers use them), so that
// every allocation is counted and every block comes back through the same free().
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (Counting.load(std::memory_order_relaxed)) Allocations.fetch_add(1, std::memory_order_relaxed);
  if (Refused(size)) return nullptr;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
