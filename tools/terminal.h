// What the tool does differently at a person's terminal: colours for the
// grades and the Critical Failure (unless NO_COLOR is set), and bars drawn
// with block characters. In a pipe, and on Windows, replies stay plain.
#ifndef ROLLWRIGHT_TOOLS_TERMINAL_H_
#define ROLLWRIGHT_TOOLS_TERMINAL_H_

#include <string>

#include "dice/rules.h"

namespace rollwright {

// True when standard input (0) or output (1) is a terminal.
bool IsTerminal(int descriptor);

// True when standard output is a terminal that may show colours.
bool ColourWanted();

// The escape sequences that colour a grade, a Critical Failure, and end it.
const char* GradeColour(Grade grade);
inline constexpr char kCriticalColour[] = "\033[1;37;41m";
inline constexpr char kPlainColour[] = "\033[0m";

// A reply with its grades and Critical Failures in their colours. Only the
// list of totals after the last " and gets " is coloured, never the comment.
std::string ColourReply(const std::string& reply);

// A bar of fraction (0 to 1) of width columns: block characters with eighths,
// or '#' where the console may not show them (Windows).
std::string Bar(double fraction, int width);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_TERMINAL_H_
