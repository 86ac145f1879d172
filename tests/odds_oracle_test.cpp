// SPDX-License-Identifier: MIT
// The exact odds as an oracle for the module's real rolls: over many sets
// from a fixed seed, the frequencies of each (total, critical) outcome and of
// the errors agree with the odds by a chi-square test at 0.001 (upper tail,
// Wilson-Hilferty quantile). Bins expected to hold fewer than 5 are pooled.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dice/random.h"
#include "dice/roll_request.h"
#include "odds/odds.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

using Outcome = std::pair<int32_t, int>;  // total and critical; error: {0, -1}
constexpr Outcome kError{0, -1};

std::map<Outcome, double> ExactChances(const String& expression) {
  Odds odds(expression);
  std::map<Outcome, double> chances;
  for (const auto& [total, mass] : odds.Totals()) {
    if (mass.plain > 0) chances[{total, 0}] = mass.plain;
    if (mass.critical > 0) chances[{total, 1}] = mass.critical;
  }
  for (const auto& [code, chance] : odds.Errors()) chances[kError] += chance;
  return chances;
}

std::map<Outcome, int64_t> RollMany(const std::string& expression, int sets) {
  std::map<Outcome, int64_t> counts;
  RandomSeed(4242);
  for (int i = 0; i < sets; ++i) {
    std::vector<char> buffer(expression.begin(), expression.end());
    buffer.push_back('\0');
    Rollwright request(buffer.data());
    try {
      request.Roll();
      const DiceRoll& roll = request.Rolls().back();
      ++counts[{roll.total, roll.criticalFailure ? 1 : 0}];
    } catch (const Rollwright::DiceError&) {
      ++counts[kError];
    }
  }
  return counts;
}

TEST(OddsOracle, RealRollsFollowTheExactOdds) {
  constexpr int kSets = 40000;
  for (const char* expression : {"2d6", "d20+d20", "2d20", "d6+d20", "10-2d6+5",
                                 "2*d6", "d20+2", "d6-1+1", "2d6+1d4*2"}) {
    std::map<Outcome, double> chances = ExactChances(String(expression));
    std::map<Outcome, int64_t> counts = RollMany(expression, kSets);
    double chi = 0;
    int bins = 0;
    double pooledExpected = 0;
    double pooledObserved = 0;
    for (const auto& [outcome, chance] : chances) {
      double expected = chance * kSets;
      double observed = static_cast<double>(counts[outcome]);
      counts.erase(outcome);
      if (expected < 5) {
        pooledExpected += expected;
        pooledObserved += observed;
        continue;
      }
      chi += (observed - expected) * (observed - expected) / expected;
      ++bins;
    }
    EXPECT_TRUE(counts.empty()) << expression << ": an outcome with no chance";
    if (pooledExpected > 0) {
      chi += (pooledObserved - pooledExpected) *
             (pooledObserved - pooledExpected) / pooledExpected;
      ++bins;
    }
    EXPECT_LT(chi, ChiSquareQuantile(bins - 1, kNormalQuantile999))
        << expression << " over " << bins << " bins";
  }
}

}  // namespace
}  // namespace rollwright
