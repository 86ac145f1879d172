// SPDX-License-Identifier: MIT
// The rollwright tool's questions to Windows (tools/platform.h): the console,
// its virtual-terminal mode for colours, and the system's random numbers.
#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <cstdlib>

#include "tools/platform.h"

namespace rollwright {
namespace {

HANDLE StandardHandle(int descriptor) {
  return GetStdHandle(descriptor == 0 ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
}

DWORD consoleModeBefore = 0;

void RestoreConsoleMode() {
  SetConsoleMode(StandardHandle(1), consoleModeBefore);
}

bool SwitchOnVirtualTerminal() {
  HANDLE output = StandardHandle(1);
  if (GetConsoleMode(output, &consoleModeBefore) == 0) return false;
  if ((consoleModeBefore & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) {
    return true;
  }
  // Consoles older than Windows 10 refuse the mode: no colours there.
  if (SetConsoleMode(output, consoleModeBefore |
                                 ENABLE_VIRTUAL_TERMINAL_PROCESSING) == 0) {
    return false;
  }
  std::atexit(RestoreConsoleMode);
  return true;
}

}  // namespace

bool IsTerminal(int descriptor) {
  DWORD mode = 0;
  return GetConsoleMode(StandardHandle(descriptor), &mode) != 0;
}

std::optional<int> OutputColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(StandardHandle(1), &info) == 0) {
    return std::nullopt;
  }
  return info.srWindow.Right - info.srWindow.Left + 1;
}

bool OutputTakesEscapes() {
  static const bool takesEscapes = SwitchOnVirtualTerminal();
  return takesEscapes;
}

std::optional<uint32_t> EntropySeed() {
  uint32_t seed = 0;
  NTSTATUS status =
      BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&seed), sizeof seed,
                      BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (!BCRYPT_SUCCESS(status)) return std::nullopt;
  return seed;
}

// Ctrl-C keeps ending the tool, as it ends any console program.
bool CatchInterrupts() { return false; }
void ReleaseInterrupts() {}
bool TakeInterrupt() { return false; }

const char* EndOfInputKey() { return "Ctrl-Z and Enter"; }

}  // namespace rollwright
