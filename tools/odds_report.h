// SPDX-License-Identifier: MIT
// The --odds report: the exact chance of every outcome of one set of a
// request, in words a player reads, with a bar beside each chance if asked.
#ifndef ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
#define ROLLWRIGHT_TOOLS_ODDS_REPORT_H_

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

// Prints the odds of request; false when the module would answer it with an
// error, or when the odds are too large to compute exactly.
bool PrintOdds(const std::string& request, std::ostream& out,
               OddsStyle style = {});

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
