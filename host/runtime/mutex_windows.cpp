// SPDX-License-Identifier: MIT
// The module's own mutexes, which the linker puts in place of the run-time's
// for every caller inside the module (--wrap=pthread_mutex_*). The callers
// are the C++ run-time's emergency exception pool and, in the 32-bit module,
// the unwinder's lock on its frame tables; both use plain mutexes that start
// from the static initializer.
//
// The run-time's mutex (winpthreads) allocates its state on first use and a
// kernel event when two threads meet on it, and none of that is ever given
// back when the module is unloaded. Worse, in a process that has run out of
// memory the allocation fails and throws, and throwing needs the very pool
// whose mutex failed, so a host would overflow its stack instead of getting
// an answer. This mutex is one word and needs nothing: free or held, with a
// thread that finds it held yielding until it is free. It is held only for
// the few instructions of a pool or table look-up.
#include <windows.h>

#include <atomic>
#include <cstdint>

// The word is changed through an atomic_ref, which tidy does not see.
// NOLINTBEGIN(readability-non-const-parameter)
namespace {

// PTHREAD_MUTEX_INITIALIZER, which every caller's mutex starts from.
constexpr intptr_t kFree = -1;
constexpr intptr_t kHeld = 1;
constexpr int kBusy = 16;  // EBUSY

bool TryTake(intptr_t* mutex) {
  intptr_t expected = kFree;
  return std::atomic_ref<intptr_t>(*mutex).compare_exchange_strong(
      expected, kHeld, std::memory_order_acquire);
}

}  // namespace

// The names the linker gives the replacements of pthread_mutex_*.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" int __wrap_pthread_mutex_init(intptr_t* mutex,
                                         const void* /*attributes*/) {
  std::atomic_ref<intptr_t>(*mutex).store(kFree, std::memory_order_release);
  return 0;
}

extern "C" int __wrap_pthread_mutex_destroy(intptr_t* /*mutex*/) { return 0; }

extern "C" int __wrap_pthread_mutex_lock(intptr_t* mutex) {
  while (!TryTake(mutex)) SwitchToThread();
  return 0;
}

extern "C" int __wrap_pthread_mutex_trylock(intptr_t* mutex) {
  return TryTake(mutex) ? 0 : kBusy;
}

extern "C" int __wrap_pthread_mutex_unlock(intptr_t* mutex) {
  std::atomic_ref<intptr_t>(*mutex).store(kFree, std::memory_order_release);
  return 0;
}
// NOLINTEND(bugprone-reserved-identifier)
// NOLINTEND(readability-non-const-parameter)
