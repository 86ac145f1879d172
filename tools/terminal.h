// SPDX-License-Identifier: MIT
// What the tool does differently at a person's terminal: colours for the
// grades, the Critical Failure and the error replies, bars drawn with block
// characters, and lines as wide as the terminal. In a pipe, replies stay
// plain.
#ifndef ROLLWRIGHT_TOOLS_TERMINAL_H_
#define ROLLWRIGHT_TOOLS_TERMINAL_H_

#include <string>

#include "dice/rules.h"

namespace rollwright {

// True when standard output is a terminal that takes colours, TERM is not
// "dumb" and NO_COLOR is unset (or empty).
bool ColourWanted();

// The escape sequences that colour a grade, a Critical Failure, and end it.
const char* GradeColour(Grade grade);
inline constexpr char kCriticalColour[] = "\033[1;37;41m";
inline constexpr char kErrorColour[] = "\033[1;31m";
inline constexpr char kPlainColour[] = "\033[0m";

// A reply with its grades and Critical Failures in their colours, or an error
// reply in its own. Of a sentence, only the list of totals after the last
// " and gets " is coloured, never the comment.
std::string ColourReply(const std::string& reply);

// A bar of fraction (0 to 1) of width columns: block characters with eighths,
// or '#' where the console may not show them (Windows).
std::string Bar(double fraction, int width);

// The columns of the terminal that standard output is (else of COLUMNS), or
// kUnknownWidth.
inline constexpr int kUnknownWidth = 80;
int TerminalWidth();

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_TERMINAL_H_
