// SPDX-License-Identifier: MIT
// The rollwright tool's questions to Windows (tools/platform.h): the command
// line in UTF-8, output without line-end translation, the console, its
// virtual-terminal mode for colours, and the system's random numbers.
#include <windows.h>
// After windows.h, which they need.
#include <bcrypt.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

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

std::string Utf8(const wchar_t* wide) {
  int size =
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr,
                      nullptr);
  text.pop_back();  // the NUL
  return text;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv + 1, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(static_cast<HLOCAL>(wide));
  return arguments;
}

// A console keeps the run-time's text mode, in which it shows "\n" as a new
// line either way.
void WriteBytesAsTheyAre() {
  DWORD mode = 0;
  for (auto [stream, handle] : {std::pair{stdout, STD_OUTPUT_HANDLE},
                                std::pair{stderr, STD_ERROR_HANDLE}}) {
    if (GetConsoleMode(GetStdHandle(handle), &mode) != 0) continue;
    std::fflush(stream);
    _setmode(_fileno(stream), _O_BINARY);
  }
}

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
