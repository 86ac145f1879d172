// SPDX-License-Identifier: MIT
// The module's own answer to the C++ run-time's question "where is this
// thread's exception bookkeeping?": the frame of the DiceMain call in
// progress (host/runtime/call_frame.h). It replaces the run-time's thread-local
// record, whose storage slot would never be given back when the module is
// unloaded. Linked into the module only.
#include "host/runtime/call_frame.h"
#include "host/runtime/thread_slot.h"

namespace {

// Only DiceMain throws inside the module, always within its frame; this
// record serves any other question, which nothing in the module asks.
rollwright::ExceptionGlobals outsideAnyCall;

}  // namespace

// The run-time's own names, which these replace.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" rollwright::ExceptionGlobals* __cxa_get_globals() noexcept {
  void* frame = rollwright::exceptionSlot.Get();
  return frame != nullptr ? static_cast<rollwright::ExceptionGlobals*>(frame)
                          : &outsideAnyCall;
}

// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" rollwright::ExceptionGlobals* __cxa_get_globals_fast() noexcept {
  return __cxa_get_globals();
}
