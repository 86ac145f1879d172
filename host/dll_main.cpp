// The module's attach/detach entry. Its one piece of work is the module's
// thread-local-storage slots (each thread's generator state, and the
// exception bookkeeping of a call in progress): taken on attach, so that a
// process with no slot left makes the host's LoadLibrary fail cleanly, and
// given back on detach, so that loading and unloading the module any number
// of times uses nothing up.
#include <windows.h>

#include "host/thread_slot.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason,
                               LPVOID /*reserved*/) {
  using rollwright::exceptionSlot;
  using rollwright::randomSlot;
  if (reason == DLL_PROCESS_ATTACH) {
    if (randomSlot.Take() && exceptionSlot.Take()) return TRUE;
    randomSlot.GiveBack();
    return FALSE;
  }
  if (reason == DLL_PROCESS_DETACH) {
    exceptionSlot.GiveBack();
    randomSlot.GiveBack();
  }
  return TRUE;
}
