// SPDX-License-Identifier: MIT
// The odds of one set of a request as data for programs, every chance at
// full precision (17 significant digits, which read back as the same
// double). The page draws the JSON, and the tool prints it and the CSV.
#ifndef ROLLWRIGHT_API_ODDS_DATA_H_
#define ROLLWRIGHT_API_ODDS_DATA_H_

#include <string>
#include <string_view>

#include "odds/odds_summary.h"

namespace rollwright {

// One JSON object:
//
//   {"request": s, "expression": s, "comment": s (as read),
//    "sets": n, "skill": n, "lowest": n, "highest": n, "critical": x,
//    "mean": f, "anyCritical": f (of the sets, at least one critical),
//    "anyTotal": b, "twentySided": b, "eachTotal": b, "exact": b,
//    "grades": [f, ...] (in grade order), "successes": [f, ...],
//    "bars": [[first, last, f, f, f], ...] (chance, at least, at most),
//    "buckets": [[first, last, f, f, f], ...] (about 1,000 ranges, when the
//               totals are not listed one by one),
//    "errors": [[message, chance], ...],
//    "totals": [[total, chance, atLeast, atMost], ...] (with everyTotal,
//              when the totals are listed)}
//
// where a figure f is a number, or with "exact": false the interval
// [low, high] it is known to be in; or {"request": s, "refused": s} when the
// module or the odds refuse it.
std::string OddsJson(std::string_view request, const OddsSummary& summary,
                     bool everyTotal);

// The table "total,chance,at_least,at_most", a row per total in increasing
// order (or when the totals are not listed, "first,last,chance,at_least,
// at_most", a row per bucket, and when not exact the upper bounds after
// them); with a skill level or a d20 group, an empty line and the table
// "outcome,chance": a row per grade in the reply's words with a skill level,
// then the Critical Failure; with a skill level and several sets, an empty
// line and the table "successes,chance", a row per number of sets that
// succeed, from 0. Empty when the odds were refused.
std::string OddsCsv(const OddsSummary& summary);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_ODDS_DATA_H_
