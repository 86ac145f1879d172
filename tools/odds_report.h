// The --odds report: the exact chance of every outcome of one set of a
// request, in words a player reads, with a bar beside each chance if asked.
#ifndef ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
#define ROLLWRIGHT_TOOLS_ODDS_REPORT_H_

#include <ostream>
#include <string>

namespace rollwright {

// How the numbers are dressed: bars scaled to the largest chance (fitting 80
// columns), and colours for the grades.
struct OddsStyle {
  bool bars = false;
  bool colour = false;
};

// Prints the odds of request; false when the module would answer it with an
// error, or when it has too many outcomes to compute exactly.
bool PrintOdds(const std::string& request, std::ostream& out,
               OddsStyle style = {});

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
