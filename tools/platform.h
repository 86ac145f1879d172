// SPDX-License-Identifier: MIT
// What the tool asks of the operating system: one implementation for POSIX
// systems (tools/platform_posix.cpp) and one for Windows
// (tools/platform_windows.cpp).
#ifndef ROLLWRIGHT_TOOLS_PLATFORM_H_
#define ROLLWRIGHT_TOOLS_PLATFORM_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rollwright {

// The arguments after the program's name, in UTF-8: on Windows read from the
// wide command line, so that no code page changes them; elsewhere argv as
// it is.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// From now on standard output and error write their bytes as they are, "\n"
// as "\n" (Windows' C run-time writes "\r\n" to a pipe or file otherwise).
void WriteBytesAsTheyAre();

// True when standard input (0) or output (1) is a terminal (on Windows, a
// console).
bool IsTerminal(int descriptor);

// The width of the terminal on standard output in columns, when it is one
// and tells.
std::optional<int> OutputColumns();

// True when standard output is a terminal that understands colour escape
// sequences. A Windows console does once its virtual-terminal mode is on: the
// first call switches it on where the console has it, and the mode the console
// had comes back when the tool exits.
bool OutputTakesEscapes();

// 32 bits from the operating system's entropy source; nothing if it fails.
std::optional<uint32_t> EntropySeed();

// From CatchInterrupts to ReleaseInterrupts, Ctrl-C at the terminal no longer
// ends the tool but interrupts the read in progress, and TakeInterrupt tells
// (once) that it came. CatchInterrupts is false where Ctrl-C cannot be caught
// so (Windows: it still ends the tool).
bool CatchInterrupts();
void ReleaseInterrupts();
bool TakeInterrupt();

// The key that ends input at this system's terminal.
const char* EndOfInputKey();

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_PLATFORM_H_
