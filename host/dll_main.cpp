// The module's attach/detach entry. Its one piece of work is the slot that
// holds each thread's generator state: taken on attach (a process with no
// slot left makes the host's LoadLibrary fail cleanly) and given back on
// detach, so that loading and unloading the module any number of times uses
// nothing up.
#include <windows.h>

#include "host/random_slot.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) return rollwright::TakeRandomSlot();
  if (reason == DLL_PROCESS_DETACH) rollwright::GiveBackRandomSlot();
  return TRUE;
}
