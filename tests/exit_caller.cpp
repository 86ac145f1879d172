// SPDX-License-Identifier: MIT
// A neighbour module for the host tests: loaded before the module, so that
// its detach entry runs after the module's when the process ends, it then
// asks DiceMain for an error reply and a sentence, and says on the standard
// error whether both were right. (The process's status is settled by then; a
// module that cannot answer ends it before anything is said.)
#include <windows.h>

#include <cstring>

#include "rollwright.h"
#include "tests/loaded_module.h"

namespace {

using DiceMainProc = rollwright::LoadedModule::DiceMainProc;
DiceMainProc diceMain = nullptr;

bool Answers(const char* request, const char* reply) {
  char buffer[ROLLWRIGHT_REPLY_CAPACITY] = {};
  std::strcpy(buffer, request);
  diceMain(0, 0, buffer, 0, 0, 0);
  return std::strcmp(buffer, reply) == 0;
}

}  // namespace

extern "C" __declspec(dllexport) void CallAtExit(DiceMainProc proc) {
  diceMain = proc;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason,
                               LPVOID reserved) {
  if (reason != DLL_PROCESS_DETACH || reserved == nullptr ||
      diceMain == nullptr) {
    return TRUE;
  }
  const bool right =
      Answers("31#d6", "Dice Error: Maximum of 30 sets of dice!") &&
      Answers("100d1", "rolls 100d1 and gets 100");
  const char* said =
      right ? "at exit: every reply right\n" : "at exit: a reply was wrong\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), said,
            static_cast<DWORD>(std::strlen(said)), &written, nullptr);
  return TRUE;
}
