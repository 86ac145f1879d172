// SPDX-License-Identifier: MIT
// The clock seed on POSIX systems: the real-time clock in nanoseconds, the
// process's identity and the calling thread's (Windows keeps its own in
// host/).
#include <unistd.h>

#include <ctime>
#include <functional>
#include <thread>

#include "dice/random.h"

namespace rollwright {

uint32_t ClockSeed() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const uint64_t nanoseconds = static_cast<uint64_t>(now.tv_sec) * 1000000000U +
                               static_cast<uint64_t>(now.tv_nsec);
  // A thread's identity is unique only within its process.
  const uint64_t thread =
      std::hash<std::thread::id>{}(std::this_thread::get_id());
  const auto process = static_cast<uint64_t>(getpid());
  return MixSeed(nanoseconds, thread ^ (process << 32));
}

}  // namespace rollwright
