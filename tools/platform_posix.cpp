// SPDX-License-Identifier: MIT
#include <sys/ioctl.h>
#include <unistd.h>
// After unistd.h, whose size_t it needs in some C libraries.
#include <sys/random.h>

#include <cerrno>
#include <csignal>

#include "tools/platform.h"

namespace rollwright {
namespace {

volatile std::sig_atomic_t interrupted = 0;
struct sigaction previousAction {};

extern "C" void NoteInterrupt(int /*signal*/) { interrupted = 1; }

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return {argv + 1, argv + argc};
}

void WriteBytesAsTheyAre() {}

bool IsTerminal(int descriptor) { return isatty(descriptor) == 1; }

std::optional<int> OutputColumns() {
  winsize size{};
  if (ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
  return size.ws_col;
}

bool OutputTakesEscapes() { return IsTerminal(1); }

std::optional<uint32_t> EntropySeed() {
  uint32_t seed = 0;
  ssize_t got = 0;
  do {
    got = getrandom(&seed, sizeof seed, 0);
  } while (got < 0 && errno == EINTR);
  if (got != static_cast<ssize_t>(sizeof seed)) return std::nullopt;
  return seed;
}

bool CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the read waiting for a line ends
  return sigaction(SIGINT, &action, &previousAction) == 0;
}

void ReleaseInterrupts() { sigaction(SIGINT, &previousAction, nullptr); }

bool TakeInterrupt() {
  bool taken = interrupted != 0;
  interrupted = 0;
  return taken;
}

const char* EndOfInputKey() { return "Ctrl-D"; }

}  // namespace rollwright
