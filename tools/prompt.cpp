#include "tools/prompt.h"

#include <cstdlib>
#include <iostream>

#if defined(ROLLWRIGHT_HAVE_LIBEDIT)
#include <editline/readline.h>
#endif

namespace rollwright {
namespace {

constexpr char kPrompt[] = "roll> ";

std::optional<std::string> ReadLine() {
#if defined(ROLLWRIGHT_HAVE_LIBEDIT)
  char* typed = readline(kPrompt);
  if (typed == nullptr) return std::nullopt;
  std::string line(typed);
  std::free(typed);
  if (!line.empty()) add_history(line.c_str());
  return line;
#else
  std::cout << kPrompt << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  return line;
#endif
}

}  // namespace

#if defined(ROLLWRIGHT_HAVE_LIBEDIT)
// The history lives in memory only: nothing is read from or written to disk.
Prompt::Prompt() { using_history(); }
Prompt::~Prompt() { clear_history(); }
#else
Prompt::Prompt() = default;
Prompt::~Prompt() = default;
#endif

// A member: the history it adds to lasts as long as the Prompt.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
std::optional<std::string> Prompt::Read() {
  std::optional<std::string> line = ReadLine();
  if (!line) std::cout << '\n';  // end of input leaves the prompt's line open
  if (!line || *line == "quit") return std::nullopt;
  return line;
}

}  // namespace rollwright
