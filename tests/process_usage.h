// SPDX-License-Identifier: MIT
// What a Windows process has in use: busy heap bytes over all its heaps,
// open handles and free thread-local-storage slots. A host test reads them
// before and after loading and unloading the module many times; anything the
// module keeps after it is gone shows up as a difference. Elsewhere every
// figure reads 0.
#ifndef ROLLWRIGHT_TESTS_PROCESS_USAGE_H_
#define ROLLWRIGHT_TESTS_PROCESS_USAGE_H_

#include <cstdint>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace rollwright {

struct ProcessUsage {
  int64_t heapBytes = 0;
  int64_t handles = 0;
  int64_t freeThreadSlots = 0;
};

inline ProcessUsage CurrentUsage() {
  ProcessUsage usage;
#if defined(_WIN32)
  std::vector<HANDLE> heaps(64);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
      if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
        usage.heapBytes += entry.cbData;
      }
    }
    HeapUnlock(heap);
  }
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  usage.handles = handles;
  std::vector<DWORD> taken;
  for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) {
    taken.push_back(slot);
  }
  for (DWORD slot : taken) TlsFree(slot);
  usage.freeThreadSlots = static_cast<int64_t>(taken.size());
#endif
  return usage;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_PROCESS_USAGE_H_
