// SPDX-License-Identifier: MIT
#include "host/runtime/thread_slot.h"

namespace rollwright {

ThreadSlot randomSlot;
ThreadSlot exceptionSlot;

// Two threads that both find no slot each take one; the loser gives its own
// back, so no lock is needed.
bool ThreadSlot::Take() {
  if (Taken()) return true;
  DWORD mine = TlsAlloc();
  if (mine == TLS_OUT_OF_INDEXES) return false;
  DWORD none = TLS_OUT_OF_INDEXES;
  if (!index.compare_exchange_strong(none, mine, std::memory_order_acq_rel)) {
    TlsFree(mine);
  }
  return true;
}

void ThreadSlot::GiveBack() {
  DWORD taken = index.exchange(TLS_OUT_OF_INDEXES, std::memory_order_acq_rel);
  if (taken != TLS_OUT_OF_INDEXES) TlsFree(taken);
}

}  // namespace rollwright
