// The module's attach/detach entry: nothing to do beyond the run-time's own
// start-up and tear-down, for every reason.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
