// The --odds report: the exact chance of every outcome of one set of a
// request, in words a player reads.
#ifndef ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
#define ROLLWRIGHT_TOOLS_ODDS_REPORT_H_

#include <ostream>
#include <string>

namespace rollwright {

// At most this many distinct totals are listed one by one; more are shown
// as percentiles.
inline constexpr size_t kListedTotals = 30;

// Prints the odds of request; false when the module would answer it with an
// error, or when it has too many outcomes to compute exactly.
bool PrintOdds(const std::string& request, std::ostream& out);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_ODDS_REPORT_H_
