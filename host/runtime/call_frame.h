// SPDX-License-Identifier: MIT
// The frame of one DiceMain call. In the Windows module it holds the call's
// exception bookkeeping (the exceptions caught and not yet caught), which the
// C++ run-time would otherwise keep in thread-local storage of its own that
// is never given back when the module is unloaded. Between calls no exception
// is alive, so the bookkeeping is needed only while a call lasts. A frame
// built inside another gives the outer one back when it goes. Elsewhere, and
// in programs that link the engine directly, it does nothing. Not copied.
#ifndef ROLLWRIGHT_HOST_RUNTIME_CALL_FRAME_H_
#define ROLLWRIGHT_HOST_RUNTIME_CALL_FRAME_H_

#include <cstddef>

namespace rollwright {

// Laid out as the run-time's own record of a thread's exceptions
// (__cxa_eh_globals, private to the run-time): a pointer, then a count.
struct ExceptionGlobals {
  void* caughtExceptions = nullptr;
  unsigned int uncaughtExceptions = 0;
};
static_assert(offsetof(ExceptionGlobals, caughtExceptions) == 0 &&
                  offsetof(ExceptionGlobals, uncaughtExceptions) ==
                      sizeof(void*) &&
                  sizeof(ExceptionGlobals) == 2 * sizeof(void*),
              "the run-time reads this record as its own");

class CallFrame {
 public:
#if defined(_WIN32)
  CallFrame();
  ~CallFrame();
#else
  CallFrame() = default;
#endif
  CallFrame(const CallFrame&) = delete;
  CallFrame& operator=(const CallFrame&) = delete;

#if defined(_WIN32)
 private:
  ExceptionGlobals exceptions;
  void* outer = nullptr;  // the slot's value before this frame
#endif
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_RUNTIME_CALL_FRAME_H_
