// SPDX-License-Identifier: MIT
// The clock seed on Windows: the performance counter (the finest clock there
// is, from Windows XP on) and the system time, with the identities of the
// calling thread and its process.
#include <windows.h>

#include "dice/random.h"

namespace rollwright {

uint32_t ClockSeed() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  const uint64_t systemTime =
      (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  const uint64_t ticks = static_cast<uint64_t>(counter.QuadPart) ^ systemTime;
  // Thread identities are unique among the threads of every process.
  const uint64_t identity =
      (static_cast<uint64_t>(GetCurrentProcessId()) << 32) |
      GetCurrentThreadId();
  return MixSeed(ticks, identity);
}

}  // namespace rollwright
