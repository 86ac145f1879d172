// SPDX-License-Identifier: MIT
// Pearson's chi-square test of counts that came up against the chances they
// should have had: adjacent outcomes are merged until each bin expects at
// least kMinExpected, and the statistic's upper tail is the p-value.
#ifndef ROLLWRIGHT_API_CHI_SQUARE_H_
#define ROLLWRIGHT_API_CHI_SQUARE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace rollwright {

inline constexpr double kMinExpected = 5;

// One outcome in its order: its label, how often it came up, its chance.
struct CountedOutcome {
  std::string label;
  int64_t observed = 0;
  double chance = 0;
};

struct ChiSquareBin {
  std::string label;  // one outcome's, or "first..last" of merged ones
  int64_t observed = 0;
  double expected = 0;
};

struct ChiSquareTest {
  std::vector<ChiSquareBin> bins;
  double statistic = 0;
  int degrees = 0;  // bins less one
  double pValue = 1;
};

// The test of outcomes, in order, over samples draws; an outcome that came
// up with no chance at all makes the statistic infinite and the p-value 0,
// and one that did not is left out («Critical Failure» without a d20).
ChiSquareTest TestCounts(const std::vector<CountedOutcome>& outcomes,
                         int64_t samples);

// The chance that a chi-square variable of these degrees of freedom is at
// least statistic.
double ChiSquarePValue(double statistic, int degrees);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_CHI_SQUARE_H_
