// SPDX-License-Identifier: MIT
// The module's own pthread_once, which the linker puts in place of the
// run-time's for every caller inside the module (--wrap=pthread_once).
//
// The run-time's pthread_once (winpthreads) takes a thread-local-storage slot
// of the process the first time any once runs, and no code gives that slot
// back when the module is unloaded. In the 32-bit module a once runs at every
// load, when the unwinder registers the module's frame tables, so each load
// would use up one of the host's slots for good. This once needs no slot: a
// state word that moves from not run to running to done, with callers that
// find it running yielding until it is done. An init function that throws
// leaves the once not run, to be tried again.
#include <windows.h>

namespace {

constexpr LONG kNotRun = 0;  // PTHREAD_ONCE_INIT
constexpr LONG kRunning = 1;
constexpr LONG kDone = 2;

class Running {
 public:
  explicit Running(volatile LONG* state) : once(state) {}
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  ~Running() { InterlockedExchange(once, done ? kDone : kNotRun); }
  void Done() { done = true; }

 private:
  volatile LONG* once;
  bool done = false;
};

}  // namespace

// The name the linker gives the replacement of pthread_once.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __wrap_pthread_once(volatile LONG* once, void (*init)()) {
  for (;;) {
    LONG seen = InterlockedCompareExchange(once, kRunning, kNotRun);
    if (seen == kDone) return 0;
    if (seen == kNotRun) break;
    SwitchToThread();
  }
  Running running(once);
  init();
  running.Done();
  return 0;
}
