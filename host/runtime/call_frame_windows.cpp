// SPDX-License-Identifier: MIT
#include "host/runtime/call_frame.h"
#include "host/runtime/thread_slot.h"

namespace rollwright {

// The slot is taken only in the module (its attach entry), whose run-time
// reads it (host/runtime/exception_globals_windows.cpp).
CallFrame::CallFrame() {
  if (!exceptionSlot.Taken()) return;
  outer = exceptionSlot.Get();
  exceptionSlot.Set(&exceptions);
}

CallFrame::~CallFrame() {
  if (exceptionSlot.Taken()) exceptionSlot.Set(outer);
}

}  // namespace rollwright
