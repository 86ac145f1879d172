// SPDX-License-Identifier: MIT
// The generator's per-thread state on Windows, in one slot of the process's
// thread-local storage. The slot holds the 32-bit state itself, so no thread
// owns a block that would have to be freed; it holds the state XOR 1, because
// a slot that a thread never set reads as 0 and a fresh state is 1. The
// module's attach entry takes the slot; a program that links the engine
// directly takes it on first use and keeps it.
#include <cstdint>
#include <new>

#include "dice/random.h"
#include "host/runtime/thread_slot.h"

namespace rollwright {
namespace {

constexpr uint32_t kFreshState = 1;

const ThreadSlot& Slot() {
  if (!randomSlot.Taken() && !randomSlot.Take()) throw std::bad_alloc();
  return randomSlot;
}

}  // namespace

uint32_t LoadRandomState() {
  auto stored = reinterpret_cast<uintptr_t>(Slot().Get());
  return static_cast<uint32_t>(stored) ^ kFreshState;
}

void StoreRandomState(uint32_t state) {
  uintptr_t stored = state ^ kFreshState;
  // The slot's value is the state itself, never a pointer to follow.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  Slot().Set(reinterpret_cast<void*>(stored));
}

}  // namespace rollwright
