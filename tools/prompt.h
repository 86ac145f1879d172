// SPDX-License-Identifier: MIT
// Requests typed at a person's terminal, at a prompt such as "roll> ": with
// line editing and a history kept in memory only (Up and Down walk through
// earlier requests) where the tool is built with libedit, the terminal's or
// console's own line editing elsewhere. Ctrl-C drops the line being typed
// (where the system lets it be caught), an empty line is skipped, "help" or "?"
// prints the help, and the end of input, "quit" or "exit" ends the session. Not
// copied.
#ifndef ROLLWRIGHT_TOOLS_PROMPT_H_
#define ROLLWRIGHT_TOOLS_PROMPT_H_

#include <optional>
#include <string>

namespace rollwright {

class Prompt {
 public:
  // help: what "help" and "?" print, before the keys of the prompt; asks:
  // the prompt itself. One prompt at a time.
  Prompt(std::string help, std::string asks);
  Prompt(const Prompt&) = delete;
  Prompt& operator=(const Prompt&) = delete;
  ~Prompt();

  // The next request; nothing when the session ends.
  std::optional<std::string> Read();

 private:
  std::string help_;
  bool catchesInterrupts_;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_PROMPT_H_
