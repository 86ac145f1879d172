// The frame of one DiceMain call. In the Windows module it holds the call's
// exception bookkeeping (the exceptions caught and not yet caught), which the
// C++ run-time would otherwise keep in thread-local storage of its own that
// is never given back when the module is unloaded. Between calls no exception
// is alive, so the bookkeeping is needed only while a call lasts. Elsewhere,
// and in programs that link the engine directly, it does nothing. Not copied.
#ifndef ROLLWRIGHT_HOST_CALL_FRAME_H_
#define ROLLWRIGHT_HOST_CALL_FRAME_H_

namespace rollwright {

// Laid out as the run-time's own record of a thread's exceptions.
struct ExceptionGlobals {
  void* caughtExceptions = nullptr;
  unsigned int uncaughtExceptions = 0;
};

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

 private:
  ExceptionGlobals exceptions;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_CALL_FRAME_H_
