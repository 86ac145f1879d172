// The generator's per-thread state on Windows, in one slot of the process's
// thread-local storage. The slot holds the 32-bit state itself, so no thread
// owns a block that would have to be freed; it holds the state XOR 1, because
// a slot that a thread never set reads as 0 and a fresh state is 1.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <new>

#include "dice/random.h"
#include "host/random_slot.h"

namespace rollwright {
namespace {

constexpr uint32_t kFreshState = 1;

std::atomic<DWORD> slot{TLS_OUT_OF_INDEXES};

DWORD Slot() {
  DWORD taken = slot.load(std::memory_order_acquire);
  if (taken == TLS_OUT_OF_INDEXES) {
    if (!TakeRandomSlot()) throw std::bad_alloc();
    taken = slot.load(std::memory_order_acquire);
  }
  return taken;
}

}  // namespace

// Two threads that both find no slot each take one; the loser gives its own
// back, so no lock is needed.
bool TakeRandomSlot() {
  if (slot.load(std::memory_order_acquire) != TLS_OUT_OF_INDEXES) return true;
  DWORD mine = TlsAlloc();
  if (mine == TLS_OUT_OF_INDEXES) return false;
  DWORD none = TLS_OUT_OF_INDEXES;
  if (!slot.compare_exchange_strong(none, mine, std::memory_order_acq_rel)) {
    TlsFree(mine);
  }
  return true;
}

void GiveBackRandomSlot() {
  DWORD taken = slot.exchange(TLS_OUT_OF_INDEXES, std::memory_order_acq_rel);
  if (taken != TLS_OUT_OF_INDEXES) TlsFree(taken);
}

uint32_t LoadRandomState() {
  auto stored = reinterpret_cast<uintptr_t>(TlsGetValue(Slot()));
  return static_cast<uint32_t>(stored) ^ kFreshState;
}

void StoreRandomState(uint32_t state) {
  uintptr_t stored = state ^ kFreshState;
  TlsSetValue(Slot(), reinterpret_cast<void*>(stored));
}

}  // namespace rollwright
