// SPDX-License-Identifier: MIT
// The --odds report: the exact chance of every outcome of one set of a
// request, in words a player reads, with a bar beside each chance if asked.
#ifndef ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
#define ROLLWRIGHT_TOOLS_ODDS_REPORT_H_

#include <cstddef>
#include <ostream>
#include <string>

#include "tools/terminal.h"

namespace rollwright {

// The report's lines fit the terminal's width (kUnknownWidth when it is not
// known), and never fewer than kNarrowestWidth.
inline constexpr int kNarrowestWidth = 40;

// How the numbers are dressed: bars scaled to the largest chance, filling
// the lines to width columns, and colours for the grades.
struct OddsStyle {
  bool bars = false;
  bool colour = false;
  int width = kUnknownWidth;
};

// A request, an expression or a comment longer than this many bytes is
// echoed cut, ending in "...".
inline constexpr size_t kLongestEcho = 200;

// Prints the odds of request under a title that says how it was read
// («odds of 2d6 (comment «+ 3»):», «odds of 3d6 against 12 sword:»); false when
// the module would answer it with an error, or when the odds are too large to
// compute exactly: then the title names the request and why («odds of 2D6: Dice
// Error: ...»).
bool PrintOdds(const std::string& request, std::ostream& out,
               OddsStyle style = {});

// The line that says why the odds of request are not shown.
std::string OddsRefusal(const std::string& request, const char* why);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
