// SPDX-License-Identifier: MIT
// The module's attach/detach entry. It takes the module's thread-local-storage
// slots (each thread's generator state, and the exception bookkeeping of a
// call in progress) on attach, so that a process with no slot left makes the
// host's LoadLibrary fail cleanly, and readies the run-time linked into the
// module (host/runtime/module_runtime.h). When the module is unloaded it gives
// all of that back, so that loading and unloading it any number of times uses
// nothing up. When the process is ending it gives nothing back: another
// module's detach entry may still call DiceMain.
#include <windows.h>

#include "host/runtime/module_runtime.h"
#include "host/runtime/thread_slot.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason,
                               LPVOID reserved) {
  using rollwright::exceptionSlot;
  using rollwright::randomSlot;
  if (reason == DLL_PROCESS_ATTACH) {
    if (!randomSlot.Take() || !exceptionSlot.Take()) {
      randomSlot.GiveBack();  // the detach entry that follows finds it gone
      return FALSE;
    }
    rollwright::AttachRuntime();
    return TRUE;
  }
  // A detach entry that follows a failed attach comes here too, with nothing
  // taken but what the run-time's start-up took.
  if (reason == DLL_PROCESS_DETACH) {
    // Reserved is not null when the process is ending.
    const bool processEnding = reserved != nullptr;
    rollwright::DetachRuntime(processEnding);
    if (processEnding) return TRUE;
    exceptionSlot.GiveBack();
    randomSlot.GiveBack();
  }
  return TRUE;
}
