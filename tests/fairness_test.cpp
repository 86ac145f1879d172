// SPDX-License-Identifier: MIT
#include "api/fairness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "api/chi_square.h"
#include "dice/random.h"

namespace rollwright {
namespace {

TEST(ChiSquare, PValuesAreTheUpperTail) {
  // The tail in closed form: e^(-x/2) for 2 degrees, e^(-x/2) (1 + x/2) for
  // 4, erfc(sqrt(x/2)) for 1.
  struct Case {
    double statistic;
    int degrees;
    double pValue;
  };
  const Case cases[] = {
      {0.5, 2, std::exp(-0.25)},
      {50, 2, std::exp(-25.0)},
      {3, 4, std::exp(-1.5) * 2.5},
      {40, 4, std::exp(-20.0) * 21},
      {0.2, 1, std::erfc(std::sqrt(0.1))},
      {9, 1, std::erfc(std::sqrt(4.5))},
      {0, 3, 1},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ChiSquarePValue(c.statistic, c.degrees), c.pValue,
                c.pValue * 1e-9)
        << c.statistic << " " << c.degrees;
  }
}

TEST(ChiSquare, MergesBinsThatExpectTooLittleAndFindsABias) {
  // 1,000 samples: 1 and 2 expected of the first two, so they join the third.
  // An outcome with no chance that did not come up is left out.
  const ChiSquareTest merged = TestCounts({{"a", 2, 0.001},
                                           {"b", 1, 0.002},
                                           {"c", 497, 0.5},
                                           {"d", 500, 0.497},
                                           {"never", 0, 0}},
                                          1000);
  ASSERT_EQ(merged.bins.size(), 2U);
  EXPECT_EQ(merged.bins[0].label, "a..c");
  EXPECT_EQ(merged.bins[0].observed, 500);
  EXPECT_DOUBLE_EQ(merged.bins[0].expected, 503);
  EXPECT_EQ(merged.degrees, 1);
  EXPECT_EQ(merged.bins[1].label, "d");
  // A d6 whose one comes up 300 times too often in 6,000 rolls.
  std::vector<CountedOutcome> biased;
  for (int face = 1; face <= 6; ++face) {
    biased.push_back({std::to_string(face), face == 1 ? 1300 : 940, 1 / 6.0});
  }
  const ChiSquareTest test = TestCounts(biased, 6000);
  EXPECT_DOUBLE_EQ(test.statistic, 300.0 * 300 / 1000 + 5 * 60.0 * 60 / 1000);
  EXPECT_LT(test.pValue, 1e-15);
}

TEST(Fairness, ASeededCheckRepeatsAndARefusalIsTheOdds) {
  RandomSeed(7);
  const FairnessReport first =
      CheckFairness("3d6 skill 12", 20000, [](int64_t) {});
  RandomSeed(7);
  const FairnessReport again =
      CheckFairness("3d6 skill 12", 20000, [](int64_t) {});
  ASSERT_EQ(first.totals.bins.size(), 16U);
  for (size_t i = 0; i < first.totals.bins.size(); ++i) {
    EXPECT_EQ(first.totals.bins[i].observed, again.totals.bins[i].observed);
  }
  EXPECT_EQ(first.totals.pValue, again.totals.pValue);
  ASSERT_TRUE(first.grades);
  EXPECT_EQ(first.grades->bins.front().label, "Amazing Success");
  // Without a d20 there is no Critical Failure to expect, with one there is.
  EXPECT_EQ(first.grades->bins.back().label, "Failing");
  EXPECT_EQ(CheckFairness("d20 skill 14", 2000, [](int64_t) {})
                .grades->bins.back()
                .label,
            "Critical Failure");
  EXPECT_STREQ(
      CheckFairness("100d500*100d500*100d500", 10, [](int64_t) {}).refusal,
      "the odds are known only between bounds, too loosely to test against");
  // Too many totals to list: ranges of them, merged from first to last where
  // they expect too little, and every set rolled lands in one.
  const FairnessReport ranges =
      CheckFairness("50d100*50d100", 2000, [](int64_t) {});
  ASSERT_EQ(ranges.refusal, nullptr);
  EXPECT_EQ(ranges.totals.bins.front().label.substr(0, 6), "2500..");
  EXPECT_EQ(ranges.totals.bins.back().label.substr(
                ranges.totals.bins.back().label.rfind("..")),
            "..25000000");
  int64_t landed = 0;
  for (const ChiSquareBin& bin : ranges.totals.bins) landed += bin.observed;
  EXPECT_EQ(landed, 2000);
  EXPECT_GT(ranges.totals.pValue, 1e-4);
}

}  // namespace
}  // namespace rollwright
