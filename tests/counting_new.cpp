// SPDX-License-Identifier: MIT
#include "tests/counting_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};
std::atomic<long> failAt{0};

}  // namespace

void* operator new(std::size_t size) {
  long made = allocations.fetch_add(1, std::memory_order_relaxed) + 1;
  long failing = failAt.load(std::memory_order_relaxed);
  if (failing > 0 && made == failing) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

// The array forms too: the sanitizers' own would not pass through this one.
void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*size*/) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t /*size*/) noexcept {
  std::free(block);
}

namespace rollwright {

long AllocationsMade() { return allocations.load(std::memory_order_relaxed); }

void FailAllocation(long k) {
  allocations.store(0, std::memory_order_relaxed);
  failAt.store(k, std::memory_order_relaxed);
}

void StopFailing() { failAt.store(0, std::memory_order_relaxed); }

}  // namespace rollwright
