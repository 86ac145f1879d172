// Requests typed at a person's terminal: a prompt, with line editing and a
// history kept in memory only (the up arrow brings back the last request)
// where the tool is built with libedit, a plain prompt elsewhere. Not copied.
#ifndef ROLLWRIGHT_TOOLS_PROMPT_H_
#define ROLLWRIGHT_TOOLS_PROMPT_H_

#include <optional>
#include <string>

namespace rollwright {

class Prompt {
 public:
  Prompt();
  Prompt(const Prompt&) = delete;
  Prompt& operator=(const Prompt&) = delete;
  ~Prompt();

  // The next request; nothing at the end of input or on "quit".
  std::optional<std::string> Read();
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_PROMPT_H_
