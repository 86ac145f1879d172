// SPDX-License-Identifier: MIT
// The exact odds against hand counts: a face of a die has the chance of its
// share of the generator's outputs (FaceChance), and the totals of small
// expressions are enumerated face by face here.
#include "odds/odds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "odds/convolution.h"
#include "odds/odds_summary.h"
#include "tests/test_support.h"
#include "tools/odds_report.h"

// The page's way to the odds, in web/bindings.cpp.
extern "C" const char* RollwrightOdds(const char* request, int32_t everyTotal);
extern "C" const char* RollwrightOddsCsv();
extern "C" const char* RollwrightRollWithDice(const char* request);
extern "C" void RollwrightSeed(uint32_t seed);

#if defined(ROLLWRIGHT_TIMED_BUDGET)
#include <sys/resource.h>

#include <chrono>
#endif

namespace rollwright {
namespace {

Odds OddsOf(const char* expression) { return Odds(String(expression)); }

// The chances of the totals of count dice of the given sides, by trying
// every combination of faces.
using Faces = std::vector<int32_t>;
std::map<int32_t, double> Enumerate(
    int32_t sides, size_t count,
    const std::function<int32_t(const Faces&)>& total) {
  std::map<int32_t, double> chances;
  Faces faces(count, 1);
  for (;;) {
    double chance = 1;
    for (int32_t face : faces) chance *= FaceChance(sides, face);
    chances[total(faces)] += chance;
    size_t i = 0;
    while (i < count && faces[i] == sides) faces[i++] = 1;
    if (i == count) return chances;
    ++faces[i];
  }
}

void ExpectTotals(const char* expression,
                  const std::map<int32_t, double>& expected) {
  Odds odds = OddsOf(expression);
  ASSERT_EQ(odds.Totals().Size(), expected.size()) << expression;
  for (const auto& [total, mass] : odds.Totals()) {
    EXPECT_NEAR(mass.Both(), expected.at(total), 1e-12)
        << expression << " total " << total;
    EXPECT_EQ(mass.critical, 0.0) << expression;
  }
  EXPECT_TRUE(odds.Errors().empty()) << expression;
}

TEST(Odds, ASingleDieLeansTowardItsLowFaces) {
  Odds odds = OddsOf("d6");
  const auto& totals = odds.Totals();
  ASSERT_EQ(totals.Size(), 6u);
  for (int32_t face = 1; face <= 6; ++face) {
    EXPECT_DOUBLE_EQ(totals.MassOf(face).plain,
                     OutputsChance(face <= 2 ? 5462 : 5461));
  }
}

TEST(Odds, CombinesTermsAsTheModuleEvaluates) {
  ExpectTotals("2d6",
               Enumerate(6, 2, [](const Faces& f) { return f[0] + f[1]; }));
  ExpectTotals("10-2d6+5", Enumerate(6, 2, [](const Faces& f) {
                 return 10 - (f[0] + f[1] + 5);
               }));
  ExpectTotals("2d6+1d6*2", Enumerate(6, 3, [](const Faces& f) {
                 return f[0] + f[1] + f[2] * 2;
               }));
  ExpectTotals("2*d6",
               Enumerate(6, 1, [](const Faces& f) { return 2 * f[0]; }));
  ExpectTotals("d6*d4", [] {
    std::map<int32_t, double> chances;
    for (int32_t a = 1; a <= 6; ++a) {
      for (int32_t b = 1; b <= 4; ++b)
        chances[a * b] += FaceChance(6, a) * FaceChance(4, b);
    }
    return chances;
  }());
}

TEST(Odds, OnlyTheFirstDieOfTheFirstTwentySidedGroupIsCritical) {
  struct Case {
    const char* expression;
    double critical;
  };
  const double twenty = OutputsChance(1638);
  const Case cases[] = {
      {"d20", twenty},    {"d20+d20", twenty}, {"2d20", twenty},
      {"d6+d20", twenty}, {"d40", 0.0},        {"3d6", 0.0},
  };
  for (const Case& c : cases) {
    Odds odds = OddsOf(c.expression);
    double critical = 0;
    for (const auto& [total, mass] : odds.Totals()) {
      critical += mass.critical;
    }
    EXPECT_NEAR(critical, c.critical, 1e-15) << c.expression;
    EXPECT_NEAR(odds.Totals().TotalMass(), 1.0, 1e-12) << c.expression;
  }
  // «d20+d20»: a critical total is the twenty plus any face of the second.
  Odds odds = OddsOf("d20+d20");
  EXPECT_NEAR(odds.Totals().MassOf(21).critical, twenty * FaceChance(20, 1),
              1e-15);
  EXPECT_EQ(odds.Totals().MassOf(20).critical, 0.0);
}

TEST(Odds, CountsTheOutcomesThatEndInAnError) {
  Odds partial = OddsOf("d6-1+1");  // a one leaves a zero accumulator
  EXPECT_NEAR(partial.Errors().at(Odds::Code::InvalidOperand), FaceChance(6, 1),
              1e-15);
  EXPECT_NEAR(partial.TotalMass(), 1 - FaceChance(6, 1), 1e-12);
  Odds certain = OddsOf("2d6d4");
  EXPECT_NEAR(certain.Errors().at(Odds::Code::InvalidOperand), 1.0, 1e-12);
  EXPECT_EQ(certain.TotalMass(), 0.0);
  // With no budget left every group is coarse; a zero it may hold before an
  // operand or as a factor builds it whole, and the error is as exact.
  for (const char* request : {"d6-1+1", "2d6-7*3", "2*2d6-7", "d20-10*2"}) {
    const Odds coarse(String(request), Odds::kMaxWork);
    const Odds whole = OddsOf(request);
    EXPECT_EQ(coarse.Errors().size(), whole.Errors().size()) << request;
    for (const auto& [code, chance] : whole.Errors()) {
      EXPECT_NEAR(coarse.Errors().at(code), chance, 1e-15) << request;
    }
  }
  // Built whole: the distinct products, as an independent count has them.
  EXPECT_EQ(OddsOf("50d100*50d100").Totals().Count(), 5736453);
}

// Slowly, die by die and pair by pair: entry i of each table is the chance of
// total low + i without and with a critical failure.
struct Slow {
  int32_t low = 0;
  std::vector<double> plain{1.0};
  std::vector<double> critical{0.0};
};

Slow SlowDice(int32_t count, int32_t sides, bool markFirstTwenty) {
  Slow sum;
  for (int32_t die = 0; die < count; ++die) {
    size_t n = sum.plain.size() + static_cast<size_t>(sides) - 1;
    Slow next{sum.low + 1, std::vector<double>(n), std::vector<double>(n)};
    for (size_t i = 0; i < sum.plain.size(); ++i) {
      for (int32_t face = 1; face <= sides; ++face) {
        double f = FaceChance(sides, face);
        bool marks = markFirstTwenty && die == 0 && face == 20;
        size_t j = i + static_cast<size_t>(face) - 1;
        (marks ? next.critical[j] : next.plain[j]) += sum.plain[i] * f;
        next.critical[j] += sum.critical[i] * f;
      }
    }
    sum = next;
  }
  return sum;
}

Slow SlowCombine(const Slow& a, const Slow& b, int32_t sign) {
  size_t n = a.plain.size() + b.plain.size() - 1;
  Slow sum{sign > 0 ? a.low + b.low
                    : a.low - b.low - static_cast<int32_t>(b.plain.size()) + 1,
           std::vector<double>(n), std::vector<double>(n)};
  for (size_t i = 0; i < a.plain.size(); ++i) {
    for (size_t j = 0; j < b.plain.size(); ++j) {
      size_t k = sign > 0 ? i + j : i + b.plain.size() - 1 - j;
      sum.plain[k] += a.plain[i] * b.plain[j];
      sum.critical[k] += a.critical[i] * (b.plain[j] + b.critical[j]) +
                         a.plain[i] * b.critical[j];
    }
  }
  return sum;
}

// Both have far more pairs of totals than are combined one by one.
TEST(Odds, LargeSumsAndDifferencesMatchASlowComputation) {
  struct Case {
    const char* expression;
    int32_t sign;
  };
  const Slow first = SlowDice(100, 20, true);
  const Slow second = SlowDice(100, 30, false);
  for (const Case& c : {Case{"100d20+100d30", 1}, Case{"100d20-100d30", -1}}) {
    Slow slow = SlowCombine(first, second, c.sign);
    Odds odds = OddsOf(c.expression);
    const auto& totals = odds.Totals();
    ASSERT_EQ(totals.Size(), slow.plain.size()) << c.expression;
    EXPECT_EQ(totals.Lowest(), slow.low) << c.expression;
    for (const auto& [total, mass] : totals) {
      size_t i = static_cast<size_t>(total - slow.low);
      EXPECT_NEAR(mass.plain, slow.plain[i], 1e-13) << c.expression << total;
      EXPECT_NEAR(mass.critical, slow.critical[i], 1e-13) << c.expression;
    }
    // Trimmed: the tails of negligible mass gather on the lowest and the
    // highest total, and every chance of at most a total stays.
    WorkBudget budget(Odds::kMaxWork);
    const Distribution trimmed =
        Distribution::Combine(Distribution::Dice(100, 20, true, budget),
                              Distribution::Dice(100, 30, false, budget),
                              c.sign > 0 ? OpPlus : OpMinus, budget, true);
    ASSERT_TRUE(trimmed.Lumped()) << c.expression;
    EXPECT_LT(trimmed.Size(), slow.plain.size() * 3 / 5) << c.expression;
    EXPECT_EQ(trimmed.Lowest(), slow.low) << c.expression;
    EXPECT_EQ(trimmed.Highest(),
              slow.low + static_cast<int32_t>(slow.plain.size()) - 1);
    double slowBelow = 0;
    double trimmedBelow = 0;
    size_t next = 0;
    for (size_t i = 0; i < slow.plain.size(); ++i) {
      const int64_t total = slow.low + static_cast<int64_t>(i);
      slowBelow += slow.plain[i] + slow.critical[i];
      for (; next < trimmed.Size() && trimmed.Total(next) <= total; ++next) {
        trimmedBelow += trimmed.MassAt(next).Both();
      }
      ASSERT_NEAR(trimmedBelow, slowBelow, 1e-13) << c.expression << total;
    }
  }
}

// One group's exact chances with their running sums: of chance, and of total
// times chance.
struct Group {
  std::vector<int32_t> totals;
  std::vector<double> below{0.0};
  std::vector<double> moment{0.0};

  explicit Group(const char* expression) {
    const Odds odds = OddsOf(expression);
    for (const auto& [total, mass] : odds.Totals()) {
      totals.push_back(total);
      below.push_back(below.back() + mass.Both());
      moment.push_back(moment.back() + total * mass.Both());
    }
  }
  double Chance(size_t i) const { return below[i + 1] - below[i]; }
  // The number of totals up to t.
  size_t Upto(int64_t t) const {
    return static_cast<size_t>(
        std::upper_bound(totals.begin(), totals.end(), t) - totals.begin());
  }
};

// T = sat(sign * a * b) for a and b of a group; P(T <= t) and T's mean, by
// the identity P(ab <= t) = sum over a of P(a) P(b <= floor(t / a)), a > 0.
struct Product {
  Group group;
  int sign;  // 1, -1, or 0 for a certain zero

  double AtMost(int64_t t) const {
    if (sign == 0) return t >= 0 ? group.below.back() : 0;
    if (sign > 0 && t >= INT32_MAX)
      return group.below.back() * group.below.back();
    double sum = 0;
    for (size_t i = 0; i < group.totals.size(); ++i) {
      const int64_t a = group.totals[i];
      // -ab <= t when b >= ceil(-t / a), that is b > floor((-t - 1) / a).
      const int64_t u =
          sign > 0 ? FloorDivision(t, a) : FloorDivision(-t - 1, a);
      const double b = group.below[group.Upto(u)];
      sum += group.Chance(i) * (sign > 0 ? b : group.below.back() - b);
    }
    return sum;
  }
  // ab clamps at 2^31 - 1 above, -ab at -2^31 below.
  double Mean() const {
    if (sign == 0) return 0;
    const int64_t limit = sign > 0 ? INT32_MAX : int64_t{1} << 31;
    double sum = 0;
    for (size_t i = 0; i < group.totals.size(); ++i) {
      const int64_t a = group.totals[i];
      const size_t upto = group.Upto(limit / a);
      sum += group.Chance(i) * (static_cast<double>(a) * group.moment[upto] +
                                static_cast<double>(limit) *
                                    (group.below.back() - group.below[upto]));
    }
    return sign * sum / (group.below.back() * group.below.back());
  }
  static int64_t FloorDivision(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
  }
};

// Products of two large groups, against the identity over the groups' exact
// chances: near the median, at the 32-bit limit and past it (saturated
// products), negative and zero; with the work divided by 50, bounds that
// hold the exact figures.
TEST(OddsSummary, GradesAndMeanOfProductsFollowTheIdentity) {
  struct Case {
    const char* request;
    const char* group;
    int sign;
    int32_t skill;
    int64_t divisor;
  };
  const Case cases[] = {
      {"50d100*50d100 skill 6346368", "50d100", 1, 6346368, 1},
      {"50d100*50d100 skill 2147483647", "50d100", 1, INT32_MAX, 1},
      {"100d500*100d500 skill 627500000", "100d500", 1, 627500000, 1},
      {"100d500*100d500 skill 2147483646", "100d500", 1, INT32_MAX - 1, 1},
      {"100d500*100d500 skill 2147483647", "100d500", 1, INT32_MAX, 1},
      {"1-2*100d500*100d500 skill 1000", "100d500", -1, 1000, 1},
      {"1-1*100d500 skill 1000", "100d500", 0, 1000, 1},
      {"100d500*100d500 skill 627500000", "100d500", 1, 627500000, 50},
      // No room for either group: both coarse, bounded by their ends.
      {"100d500*100d500 skill 627500000", "100d500", 1, 627500000, 100},
      {"1-2*100d500*100d500 skill 1000", "100d500", -1, 1000, 100},
  };
  for (const Case& c : cases) {
    const Product product{Group(c.group), c.sign};
    const double cuts[] = {0, product.AtMost(c.skill / 4),
                           product.AtMost(c.skill / 2), product.AtMost(c.skill),
                           product.AtMost(INT32_MAX)};
    const OddsSummary summary = SummariseOdds(c.request, c.divisor);
    EXPECT_EQ(summary.exact, c.divisor == 1) << c.request;
    const auto& high = summary.exact ? summary.grades : summary.upper.grades;
    for (size_t grade = 0; grade < 4; ++grade) {
      const double expected = cuts[grade + 1] - cuts[grade];
      EXPECT_LE(summary.grades[grade], expected + 1e-12) << c.request << grade;
      EXPECT_GE(high[grade], expected - 1e-12) << c.request << grade;
    }
    const double mean = product.Mean();
    const double slack = 1e-12 * std::fabs(mean) + 1e-9;
    const double highMean = summary.exact ? summary.mean : summary.upper.mean;
    EXPECT_LE(summary.mean, mean + slack) << c.request;
    EXPECT_GE(highMean, mean - slack) << c.request;
  }
}

TEST(OddsSummary, GivesTheChanceOfAtLeastAndAtMostEachTotal) {
  std::map<int32_t, double> chances =
      Enumerate(6, 2, [](const Faces& f) { return f[0] + f[1]; });
  OddsSummary summary = SummariseOdds("2d6");
  ASSERT_EQ(summary.bars.size(), chances.size());
  for (const OddsSummary::Bar& bar : summary.bars) {
    double atLeast = 0;
    double atMost = 0;
    for (const auto& [total, chance] : chances) {
      (total >= bar.first ? atLeast : atMost) += chance;
    }
    atMost += chances.at(static_cast<int32_t>(bar.first));
    EXPECT_NEAR(bar.atLeast, atLeast, 1e-12) << bar.first;
    EXPECT_NEAR(bar.atMost, atMost, 1e-12) << bar.first;
  }
}

// 41 totals in ranges of 3 totals: 14 ranges, the last one short; 60 in 20
// ranges of 3. The percentiles of d41 (faces 1 to 9 hold 800 of the 32768
// outputs, the others 799) are the first totals whose outputs reach the
// share: 1% of 32768 is 327.68, reached by 800 at 1, ... 99% is 32440.32,
// passed by 31969 at 40 only at 41.
TEST(OddsSummary, ListsUpTo40TotalsAndEndsTheRangesAtTheHighest) {
  struct Case {
    const char* request;
    size_t bars;
    OddsSummary::Bar last;
    std::vector<int32_t> percentiles;  // at 1, 5, 10, 25, 50, 75, 90, 95, 99%
  };
  const Case cases[] = {
      {"2d20",
       39,
       {40, 40, OutputsChance(1638) * OutputsChance(1638), 0, 0},
       {}},
      {"d40", 40, {40, 40, OutputsChance(819), 0, 0}, {}},
      {"d41",
       14,
       {40, 41, OutputsChance(2 * 799), 0, 0},
       {1, 3, 5, 11, 21, 31, 37, 39, 41}},
      {"d60", 20, {58, 60, OutputsChance(3 * 546), 0, 0}, {}},
  };
  for (const Case& c : cases) {
    OddsSummary summary = SummariseOdds(c.request);
    ASSERT_EQ(summary.bars.size(), c.bars) << c.request;
    EXPECT_EQ(summary.bars.back().first, c.last.first) << c.request;
    EXPECT_EQ(summary.bars.back().last, c.last.last) << c.request;
    EXPECT_NEAR(summary.bars.back().chance, c.last.chance, 1e-15) << c.request;
    if (c.percentiles.empty()) continue;
    ASSERT_EQ(summary.percentiles.size(), c.percentiles.size()) << c.request;
    for (size_t i = 0; i < c.percentiles.size(); ++i) {
      EXPECT_EQ(summary.percentiles[i].total, c.percentiles[i])
          << c.request << " at " << summary.percentiles[i].share << "%";
    }
  }
}

// An outcome that ends in an error has no total: the mean is over the
// totals alone, and an error after the first term weighs only the outcomes
// still alive. d4-1+1 fails on a one (1/4), d6-1+1 on a one (5462 of 32768
// outputs); faces 2 to 6 of a d6 sum to 2 * 5462 + 18 * 5461 = 109222 in
// outputs.
TEST(OddsSummary, LeavesTheErrorsOutOfTheMeanAndWeighsEachByWhatIsAlive) {
  struct Case {
    const char* request;
    double mean;
    double invalidOperand;
  };
  const double one = OutputsChance(5462);
  const Case cases[] = {
      {"d6-1+1", 109222 / 27306.0, one},
      {"d4-1+1+d6-1+1", 3 + 109222 / 27306.0, 0.25 + 0.75 * one},
  };
  for (const Case& c : cases) {
    OddsSummary summary = SummariseOdds(c.request);
    EXPECT_NEAR(summary.mean, c.mean, 1e-12) << c.request;
    ASSERT_EQ(summary.errors.size(), 1u) << c.request;
    EXPECT_NEAR(summary.errors[0].chance, c.invalidOperand, 1e-15) << c.request;
  }
}

// Each set apart: success s, failure f (Failing or a Critical Failure c),
// counted face by face; one set has no such figures.
TEST(OddsSummary, CountsTheSetsThatSucceed) {
  struct Case {
    const char* request;
    std::vector<double> successes;
    double anyCritical;
  };
  // d20+2 against 14: faces 1 to 12 succeed, 13 to 19 fail, 20 is critical.
  const double s = OutputsChance(12 * 1638 + 8);
  const double f = OutputsChance(8 * 1638);
  const double c = OutputsChance(1638);
  // d6-1+1 against 4: a one is an error, 2 to 4 succeed, 5 and 6 fail.
  const double h = OutputsChance(3 * 5461 + 1);
  const double g = OutputsChance(2 * 5461);
  const Case cases[] = {
      {"2#d20+2 skill 14", {f * f, 2 * s * f, s * s}, c * c + 2 * c * (1 - c)},
      {"3#d6-1+1 skill 4",
       {g * g * g, 3 * h * g * g, 3 * h * h * g, h * h * h},
       0},
      {"3d6 skill 12", {}, 0},
      {"d20", {}, c},
      {"3#d20 to hit", {}, 1 - (1 - c) * (1 - c) * (1 - c)},
  };
  for (const Case& test : cases) {
    OddsSummary summary = SummariseOdds(test.request);
    ASSERT_EQ(summary.successes.size(), test.successes.size()) << test.request;
    for (size_t k = 0; k < test.successes.size(); ++k) {
      EXPECT_NEAR(summary.successes[k], test.successes[k], 1e-12)
          << test.request << " k=" << k;
    }
    EXPECT_NEAR(summary.anyCritical, test.anyCritical, 1e-12) << test.request;
  }
}

// Requests built to break the bounds: each is answered within the budget
// (natively: 2 s and 512 MB in all), or refused with the module's own error,
// never by an abort.
TEST(OddsSummary, AnswersHostileRequestsWithinTheBudget) {
  using Verdict = OddsSummary::Verdict;
  auto repeat = [](const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
  };
  auto product = [](int groups) {
    std::string factors = "100d500";
    for (int i = 1; i < groups; ++i)
      factors += "*100d" + std::to_string(500 - i);
    return factors;
  };
  struct Case {
    std::string request;
    Verdict verdict;
  };
  const Case cases[] = {
      {"100d500+100d500-25100*87000", Verdict::kOdds},
      {"100d500+100d500*40000", Verdict::kOdds},
      {"100d500+100d500*1000", Verdict::kOdds},
      {"100d500+100d300+13d483+1d4+100d500", Verdict::kOdds},
      {"100d500-25100*87000+d2*2147483647", Verdict::kOdds},
      {"100d500*65536-100d500", Verdict::kOdds},
      {"100d20*100d20*100d20", Verdict::kOdds},
      {"100d500+100d500", Verdict::kOdds},
      {"31d130+100000000*27d38", Verdict::kOdds},
      {"10d401+100000000*27d38", Verdict::kOdds},
      {"30#100d500-100d500 skill 2147483647", Verdict::kOdds},
      {"100d500" + repeat("+1d1", 20000), Verdict::kOdds},
      {"100d500" + repeat("*1", 20000), Verdict::kOdds},
      // Every outcome is the module's error.
      {"100d500*0" + repeat("+100d500*0", 300), Verdict::kRefused},
      {repeat("9", 100000) + "d6", Verdict::kRefused},
      {"d100*d100*d100*d100", Verdict::kOdds},
      {"100d500*100d500*100d500", Verdict::kOdds},
      {"20d30*2d100*3+2d10", Verdict::kOdds},
      // Less -2^31, a shift past what an int32_t holds.
      {"1d9-2147*9672942-1d9-2147*96729422", Verdict::kOdds},
      // Past the budget's room for groups: the last ones coarse, one that
      // holds a zero before an operand or as a factor built whole.
      {product(90) + "+100d400-20050*3*100d399-20000", Verdict::kOdds},
  };
  for (const Case& c : cases) {
#if defined(ROLLWRIGHT_TIMED_BUDGET)
    auto start = std::chrono::steady_clock::now();
#endif
    EXPECT_EQ(SummariseOdds(c.request).verdict, c.verdict)
        << c.request.substr(0, 40);
#if defined(ROLLWRIGHT_TIMED_BUDGET)
    std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 2.0) << c.request.substr(0, 40);
#endif
  }
#if defined(ROLLWRIGHT_TIMED_BUDGET)
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss, 512 * 1024);  // in kilobytes
#endif
}

std::string Report(const char* request, OddsStyle style = {}) {
  std::ostringstream out;
  PrintOdds(request, out, style);
  return out.str();
}

// A bar's length in eighths of a column: a whole block (or '#') is eight.
int Eighths(const std::string& bar) {
  const std::string glyphs[] = {"▏", "▎", "▍", "▌", "▋", "▊", "▉", "█"};
  int eighths = 0;
  for (size_t at = 0; at < bar.size();) {
    if (bar[at] == '#') {
      eighths += 8;
      ++at;
      continue;
    }
    size_t glyph = 0;
    while (bar.compare(at, glyphs[glyph].size(), glyphs[glyph]) != 0) ++glyph;
    eighths += static_cast<int>(glyph) + 1;
    at += glyphs[glyph].size();
  }
  return eighths;
}

// The bars of «2d6» at a terminal's width: a line's text takes 32 columns,
// a space and the bar the rest but the last column; never under 40 columns.
TEST(OddsReport, DrawsBarsInProportionToTheChancesToTheWidth) {
  struct Case {
    int width;
    int longestBar;  // in eighths of a column
  };
  for (const Case& c : {Case{20, 6 * 8}, Case{40, 6 * 8}, Case{120, 86 * 8}}) {
    std::istringstream lines(Report("2d6", {.bars = true, .width = c.width}));
    std::map<int32_t, int> bars;
    for (std::string line; std::getline(lines, line);) {
      int32_t total = 0;
      int column = 0;
      if (std::sscanf(line.c_str(), " %d %*f%% %*f%% %*f%%%n", &total,
                      &column) == 1 &&
          column > 0) {
        EXPECT_EQ(column, 32) << line;
        bars[total] = Eighths(line.substr(static_cast<size_t>(column) + 1));
      }
    }
    ASSERT_EQ(bars.size(), 11u) << c.width;
    for (const auto& [total, eighths] : bars) {
      if (total != 7) {
        EXPECT_LT(eighths, bars.at(7)) << total;
      }
      if (total != 2 && total != 12) {
        EXPECT_GT(eighths, bars.at(2)) << total;
      }
    }
    EXPECT_NEAR(bars.at(2), bars.at(12), 1) << c.width;
    EXPECT_EQ(bars.at(7), c.longestBar) << c.width;
  }
}

TEST(OddsReport, PrintsGradesTotalsAndErrorsInTheRepliesWords) {
  EXPECT_EQ(Report("3d6 skill 12 sword"),
            "odds of 3d6 against 12 sword:\n"
            "  Amazing Success     0.46%\n"
            "  Good Success        8.80%\n"
            "  Ordinary Success   64.82%\n"
            "  Failing            25.92%\n"
            "  Critical Failure    0.00%\n");
  EXPECT_EQ(Report("2#d20+2 skill 14"),
            "odds of d20+2 against 14, each of 2 sets:\n"
            "  Amazing Success     5.00%\n"
            "  Good Success       20.01%\n"
            "  Ordinary Success   35.00%\n"
            "  Failing            34.99%\n"
            "  Critical Failure    5.00%\n"
            "  sets that succeed  chance at least at most\n"
            "                  0  15.99%  100.00%  15.99%\n"
            "                  1  48.00%   84.01%  63.99%\n"
            "                  2  36.01%   36.01% 100.00%\n"
            "  at least one Critical Failure   9.75%\n");
  EXPECT_EQ(Report("d4+1"),
            "odds of d4+1:\n"
            "  lowest 2, highest 5, mean 3.50\n"
            "  total  chance at least at most\n"
            "      2  25.00%  100.00%  25.00%\n"
            "      3  25.00%   75.00%  50.00%\n"
            "      4  25.00%   50.00%  75.00%\n"
            "      5  25.00%   25.00% 100.00%\n");
  EXPECT_EQ(Report("d2-2147483647-2"),
            "odds of d2-2147483647-2:\n"
            "  lowest -2147483648, highest -2147483647, mean -2147483647.50\n"
            "        total  chance at least at most\n"
            "  -2147483648  50.00%  100.00%  50.00%\n"
            "  -2147483647  50.00%   50.00% 100.00%\n");
  EXPECT_EQ(Report("d2 + 3"),
            "odds of d2 (comment \xC2\xAB+ 3\xC2\xBB):\n"
            "  lowest 1, highest 2, mean 1.50\n"
            "  total  chance at least at most\n"
            "      1  50.00%  100.00%  50.00%\n"
            "      2  50.00%   50.00% 100.00%\n");
  EXPECT_EQ(Report("2d6/2"),
            "odds of 2d6/2: Dice Error: Illegal characters in input!\n");
  EXPECT_EQ(Report("3-3+1"),
            "odds of 3-3+1: Dice Error: Invalid operand in dice commands!\n");
  EXPECT_EQ(Report("101d6"),
            "odds of 101d6: Dice Error: Maximum of 100 dice per dice group!\n");
  const std::string longRequest(201, 'x');
  EXPECT_EQ(Report(longRequest.c_str()),
            "odds of " + std::string(197, 'x') +
                "...: Dice Error: Illegal characters in input!\n");
  // Past the budget, the grades are known between bounds.
  EXPECT_EQ(Report("100d500*100d500*d100*d100*d100*d100 skill 2000000000"),
            "odds of 100d500*100d500*d100*d100*d100*d100 against "
            "2000000000:\n"
            "  Amazing Success   0.00\u20130.01%\n"
            "  Good Success      0.00\u20130.02%\n"
            "  Ordinary Success  0.00\u20130.05%\n"
            "  Failing           99.95\u2013100.00%\n"
            "  Critical Failure    0.00%\n");
  // Between bounds too, but narrowed until every figure shown, the sets'
  // sums with them, prints as one.
  EXPECT_EQ(Report("3#100d500*100d500*100d500 skill 1000000000"),
            "odds of 100d500*100d500*100d500 against 1000000000, each of 3 "
            "sets:\n"
            "  Amazing Success     0.00%\n"
            "  Good Success        0.00%\n"
            "  Ordinary Success    0.00%\n"
            "  Failing           100.00%\n"
            "  Critical Failure    0.00%\n"
            "  sets that succeed  chance at least at most\n"
            "                  0 100.00%  100.00% 100.00%\n"
            "                  1   0.00%    0.00% 100.00%\n"
            "                  2   0.00%    0.00% 100.00%\n"
            "                  3   0.00%    0.00% 100.00%\n"
            "  at least one Critical Failure   0.00%\n");
}

// The page's figures as JSON: d41's last range holds 40 and 41, 799 of the
// 32768 outputs each; the same odds as CSV; a roll's dice and hint.
TEST(Bindings, GiveTheLowestHighestAndTheLastTotalOfEachRange) {
  struct Case {
    const char* request;
    std::vector<std::string> fragments;
  };
  const Case cases[] = {
      {"d41", {"\"lowest\":1,\"highest\":41,", "[40,41,0.04876708984375,"}},
      {"d2-2147483647-2",
       {"\"lowest\":-2147483648,\"highest\":-2147483647,",
        "[-2147483647,-2147483647,0.5,0.5,1]]"}},
  };
  RollwrightSeed(1);
  const std::string roll = RollwrightRollWithDice("2d6 + 3");
  EXPECT_EQ(roll.rfind("{\"roll\":{\"request\":\"2d6 + 3\",", 0), 0u) << roll;
  EXPECT_NE(roll.find("}]}],\"hint\":\"read as"), std::string::npos) << roll;
  EXPECT_TRUE(roll.ends_with("},\"dice\":\"2d6  [5 5] = 10\\u000a\"}")) << roll;
  for (const Case& c : cases) {
    const std::string json = RollwrightOdds(c.request, 0);
    EXPECT_EQ(std::string(RollwrightOddsCsv()).find("total,chance"), 0u);
    for (const std::string& fragment : c.fragments) {
      EXPECT_NE(json.find(fragment), std::string::npos)
          << c.request << ": " << fragment << " not in " << json;
    }
  }
}

// Every way to convolve against the sum over pairs, of short sequences and
// of one long enough (3000 entries) to cross the cached blocks.
std::vector<double> DirectConvolution(const std::vector<double>& x,
                                      const std::vector<double>& y,
                                      size_t length) {
  std::vector<double> sum(length);
  for (size_t i = 0; i < x.size(); ++i) {
    for (size_t j = 0; j < y.size() && i + j < length; ++j) {
      sum[i + j] += x[i] * y[j];
    }
  }
  return sum;
}

TEST(Convolution, MatchesTheSumOverPairs) {
  std::vector<double> wave(3000);
  for (size_t i = 0; i < wave.size(); ++i) {
    wave[i] = std::fabs(std::sin(static_cast<double>(i))) / 1500.0;
  }
  struct Case {
    std::vector<double> x, y;
    size_t length;
  };
  const Case cases[] = {
      {{1}, {0.5}, 1},
      {{0.25, 0.75}, {0.5, 0.5}, 3},
      {{0.1, 0.2, 0.7}, {0.3, 0, 0.6, 0.1}, 6},
      {{0.1, 0.2, 0.7}, {0.3, 0, 0.6, 0.1}, 2},  // Cut short.
      {{0.5, 0.5}, {1}, 5},                      // Zeros past the end.
      {{}, {1}, 2},
      {wave, std::vector<double>(wave.rbegin(), wave.rend()), 5999},
  };
  for (const Case& c : cases) {
    const std::vector<double> expected = DirectConvolution(c.x, c.y, c.length);
    const std::vector<double> cross = DirectConvolution(c.y, c.x, c.length);
    const std::vector<double> real = ConvolveReal(c.x, c.y, c.length);
    const RealPair pairs = ConvolveTwoPairs({c.x, c.y}, {c.y, c.x}, c.length);
    // Critical x = y: plain x * y, critical y * (y + x) + x * x.
    const RealPair critical =
        ConvolveCritical({c.x, c.y}, {c.y, c.x}, c.length);
    const std::vector<double> yy = DirectConvolution(c.y, c.y, c.length);
    const std::vector<double> xx = DirectConvolution(c.x, c.x, c.length);
    ASSERT_EQ(real.size(), c.length);
    ASSERT_EQ(critical.second.size(), c.length);
    for (size_t i = 0; i < c.length; ++i) {
      EXPECT_NEAR(real[i], expected[i], 1e-15) << c.length << " " << i;
      EXPECT_NEAR(pairs.first[i], expected[i], 1e-15) << i;
      EXPECT_NEAR(pairs.second[i], cross[i], 1e-15) << i;
      EXPECT_NEAR(critical.first[i], expected[i], 1e-15) << i;
      EXPECT_NEAR(critical.second[i], yy[i] + cross[i] + xx[i], 1e-15) << i;
    }
  }
}

}  // namespace
}  // namespace rollwright
