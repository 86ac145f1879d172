#include "host/call_frame.h"
#include "host/thread_slot.h"

namespace rollwright {

// The slot is taken only in the module (its attach entry), whose run-time
// reads it (host/exception_globals_windows.cpp).
CallFrame::CallFrame() {
  if (exceptionSlot.Taken()) exceptionSlot.Set(&exceptions);
}

CallFrame::~CallFrame() {
  if (exceptionSlot.Taken()) exceptionSlot.Set(nullptr);
}

}  // namespace rollwright
