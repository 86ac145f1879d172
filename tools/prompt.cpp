// SPDX-License-Identifier: MIT
#include "tools/prompt.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "tools/platform.h"

#if defined(ROLLWRIGHT_HAVE_LIBEDIT)
#include <histedit.h>
#endif

namespace rollwright {
namespace {

// The prompt of the one Prompt there is at a time.
std::string promptText;

#if defined(ROLLWRIGHT_HAVE_LIBEDIT)
constexpr bool kLineEditing = true;

// One prompt at a time: libedit's state for it, from StartEditor to
// StopEditor. The history lives in memory only, never on disk.
EditLine* editor = nullptr;
History* remembered = nullptr;

// libedit only reads the text it asks for.
char* PromptText(EditLine* /*editor*/) { return promptText.data(); }

// Ctrl-D: the end of input on an empty line (without echoing "^D", as
// libedit's own binding does), else the character under the cursor deleted.
unsigned char EndOrDelete(EditLine* lineEditor, int /*key*/) {
  const LineInfo* line = el_line(lineEditor);
  if (line->buffer == line->lastchar) return CC_EOF;
  if (line->cursor == line->lastchar) return CC_NORM;
  el_cursor(lineEditor, 1);
  el_deletestr(lineEditor, 1);
  return CC_REFRESH;
}

void StartEditor() {
  constexpr int kRequestsRemembered = 1000;
  HistEvent event{};
  remembered = history_init();
  editor = el_init("rollwright", stdin, stdout, stderr);
  if (remembered == nullptr || editor == nullptr) return;  // out of memory
  history(remembered, &event, H_SETSIZE, kRequestsRemembered);
  el_set(editor, EL_PROMPT, PromptText);
  el_set(editor, EL_EDITOR, "emacs");
  el_set(editor, EL_SIGNAL, 1);  // the terminal's mode restored on a signal
  el_set(editor, EL_HIST, history, remembered);
  el_source(editor, nullptr);  // the person's own ~/.editrc
  el_set(editor, EL_ADDFN, "rollwright-end-or-delete",
         "End of input on an empty line, else delete a character", EndOrDelete);
  el_set(editor, EL_BIND, "^D", "rollwright-end-or-delete", nullptr);
}

std::optional<std::string> ReadLine() {
  if (editor == nullptr) return std::nullopt;
  int count = 0;
  const char* typed = el_gets(editor, &count);
  if (typed == nullptr || count <= 0) return std::nullopt;
  std::string line(typed);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

void Remember(const std::string& request) {
  HistEvent event{};
  history(remembered, &event, H_ENTER, request.c_str());
}

void StopEditor() {
  if (editor != nullptr) el_end(editor);
  if (remembered != nullptr) history_end(remembered);
}
#else
constexpr bool kLineEditing = false;

std::optional<std::string> ReadLine() {
  std::cout << promptText << std::flush;
  std::string line;
  if (std::getline(std::cin, line)) return line;
  // Ready for the next line if this was only an interrupted read.
  std::cin.clear();
  std::clearerr(stdin);
  return std::nullopt;
}

void StartEditor() {}
void Remember(const std::string& /*request*/) {}
void StopEditor() {}
#endif

// The line without the spaces and tabs around it.
std::string Trimmed(const std::string& line) {
  size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

// One line of the prompt's keys, laid out as the request syntax's examples.
std::string KeyLine(const std::string& keys, const char* what) {
  constexpr size_t kKeyColumns = 18;
  size_t gap = keys.size() < kKeyColumns ? kKeyColumns - keys.size() : 1;
  return "  " + keys + std::string(gap, ' ') + what + "\n";
}

std::string PromptKeys(bool catchesInterrupts) {
  std::string keys = "\nAt the prompt:\n" + KeyLine("Enter", "rolls the line");
  if (catchesInterrupts) keys += KeyLine("Ctrl-C", "drops the line");
  if (kLineEditing) keys += KeyLine("Up, Down", "bring back earlier requests");
  keys += KeyLine("help or ?", "shows this");
  return keys + KeyLine(std::string(EndOfInputKey()) + ", quit, exit",
                        "ends the session");
}

// Without line editing, an arrow or another special key reaches the line as
// an escape sequence, which is never rolled.
constexpr char kNoEditing[] =
    "Line editing is off in this build of rollwright, so arrow keys and "
    "other\nspecial keys cannot be used: type the request again without "
    "them.\n";

}  // namespace

Prompt::Prompt(std::string help, std::string asks)
    : help_(std::move(help)), catchesInterrupts_(CatchInterrupts()) {
  promptText = std::move(asks);
  StartEditor();
}

Prompt::~Prompt() {
  StopEditor();
  if (catchesInterrupts_) ReleaseInterrupts();
}

std::optional<std::string> Prompt::Read() {
  for (;;) {
    TakeInterrupt();  // a Ctrl-C while a request was rolled drops nothing
    std::optional<std::string> line = ReadLine();
    if (TakeInterrupt()) {
      std::cout << '\n';  // the dropped line stays on the screen, above
      continue;
    }
    if (!line) {
      std::cout << '\n';  // end of input leaves the prompt's line open
      return std::nullopt;
    }
    std::string word = Trimmed(*line);
    if (word.empty()) continue;
    if (word == "quit" || word == "exit") return std::nullopt;
    if (word == "help" || word == "?") {
      std::cout << help_ << PromptKeys(catchesInterrupts_) << std::flush;
    } else if (!kLineEditing && line->find('\033') != std::string::npos) {
      std::cout << kNoEditing << std::flush;
    } else {
      Remember(*line);
      return line;
    }
  }
}

}  // namespace rollwright
