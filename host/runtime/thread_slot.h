// SPDX-License-Identifier: MIT
// One thread-local-storage slot of a Windows process: a pointer-sized value
// per thread, which reads as null on a thread that never set it. Taken at most
// once and given back, so that a module that takes its slots when it is
// loaded and gives them back when it is unloaded uses nothing up. Not copied;
// no locks.
#ifndef ROLLWRIGHT_HOST_RUNTIME_THREAD_SLOT_H_
#define ROLLWRIGHT_HOST_RUNTIME_THREAD_SLOT_H_

#include <windows.h>

#include <atomic>

namespace rollwright {

class ThreadSlot {
 public:
  ThreadSlot() = default;
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;

  // Takes a slot unless one is taken; false when the process has none left.
  bool Take();
  // Gives the slot back; every thread's value is forgotten with it.
  void GiveBack();
  bool Taken() const { return Index() != TLS_OUT_OF_INDEXES; }

  // The calling thread's value; the slot must be taken.
  void* Get() const { return TlsGetValue(Index()); }
  void Set(void* value) const { TlsSetValue(Index(), value); }

 private:
  DWORD Index() const { return index.load(std::memory_order_acquire); }

  std::atomic<DWORD> index{TLS_OUT_OF_INDEXES};
};

// Each thread's generator state (host/runtime/random_state_windows.cpp).
extern ThreadSlot randomSlot;
// The exception bookkeeping of a DiceMain call in progress in the module
// (host/runtime/call_frame.h); taken only by the module's attach entry.
extern ThreadSlot exceptionSlot;

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_RUNTIME_THREAD_SLOT_H_
