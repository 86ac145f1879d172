// SPDX-License-Identifier: MIT
// Evidence that the dice are fair: many sets of a request rolled with the
// module's own engine, the totals that came up (and, with a skill level, the
// grades) tested against the request's exact odds.
#ifndef ROLLWRIGHT_API_FAIRNESS_H_
#define ROLLWRIGHT_API_FAIRNESS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "api/chi_square.h"

namespace rollwright {

inline constexpr int64_t kMaxFairnessSets = 100000000;

struct FairnessReport {
  const char* refusal = nullptr;  // why the odds, and so the check, refuse
  int64_t sets = 0;
  ChiSquareTest totals;  // each total, and "error" for sets that fail
  std::optional<ChiSquareTest> grades;  // with a skill level
};

// Rolls sets sets of request (its own set count aside), each one sample, on
// the calling thread's generator as seeded; progress(done) is called now and
// then while it rolls.
FairnessReport CheckFairness(const std::string& request, int64_t sets,
                             const std::function<void(int64_t)>& progress);

// The report as one line of JSON: {"request", "sets", "observed": {bin:
// count}, "expected": {bin: count}, "chiSquare", "degreesOfFreedom",
// "pValue"}, with "grades" holding the same for the grades of a skill test,
// or {"request", "refused"}.
std::string FairnessJson(const std::string& request,
                         const FairnessReport& report);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_FAIRNESS_H_
