// SPDX-License-Identifier: MIT
// What a player is shown of the exact odds of one set of a request: each
// grade and the Critical Failure for a skill test (and, over several sets,
// the chance of each number of sets that succeed); otherwise the lowest,
// highest and mean total and a chance per total (or, past kListedTotals
// totals, per range of totals, beside the percentiles), with the chance of
// at least and at most it; and the chance of each error. For programs,
// every total one by one when the totals were built whole and are at most
// kMostTotalsListed, else about kBuckets ranges of totals. The command-line
// report and the browser page both draw it. A plain value.
//
// Past the work budget a figure may be known only between two bounds: then
// exact is false, each such figure holds its lower bound and upper its upper
// one. The bounds are narrowed only until the figures the report shows are
// decided (chances in percent and the mean to two decimals, percentiles to
// the total), or the budget is spent; the buckets are found with the last
// narrowing of the totals' figures.
#ifndef ROLLWRIGHT_ODDS_ODDS_SUMMARY_H_
#define ROLLWRIGHT_ODDS_ODDS_SUMMARY_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rollwright {

// At most this many distinct totals are listed one by one; more are shown
// as percentiles and as at most kRanges ranges of equal width.
inline constexpr size_t kListedTotals = 40;
inline constexpr int kRanges = 20;
inline constexpr int kBuckets = 1000;
inline constexpr int64_t kMostTotalsListed = 1000000;

// Why the odds of a request with kOutOfMemory are not shown.
inline constexpr char kOddsOutOfMemoryMessage[] =
    "not enough memory to compute the odds exactly";
// Why a check of the dice against the odds is refused when the odds are
// known only between bounds.
inline constexpr char kOddsBoundedMessage[] =
    "the odds are known only between bounds, too loosely to test against";

struct OddsSummary {
  enum class Verdict { kOdds, kRefused, kOutOfMemory };
  // The totals first to last (one total when first == last) and their
  // chance; the chance of a total of first or more, and of last or less.
  struct Bar {
    int64_t first;
    int64_t last;
    double chance;
    double atLeast;
    double atMost;
  };
  struct Percentile {
    int share;  // in percent
    int32_t total;
  };
  struct ErrorChance {
    const char* message;
    double chance;
  };

  Verdict verdict = Verdict::kOdds;
  // The module's reply when kRefused, else why the odds are not shown.
  const char* refusal = nullptr;
  // The request as the module read it, when it read it.
  std::string expression;
  std::string comment;
  int32_t sets = 1;
  int32_t skill = 0;               // the totals are graded when not 0
  bool anyTotal = false;           // some outcome is a total, not an error
  bool twentySided = false;        // the expression has a d20 group
  double critical = 0;             // the chance of a Critical Failure
  std::array<double, 4> grades{};  // by Grade, without the critical ones
  // Of the totals, when anyTotal.
  int32_t lowest = 0;
  int32_t highest = 0;
  double mean = 0;
  std::vector<Bar> totals;  // every total, in increasing order
  // Without a skill level, what is drawn: one bar per total, else ranges.
  bool eachTotal = true;
  std::vector<Bar> bars;
  std::vector<Percentile> percentiles;  // when not eachTotal
  std::vector<ErrorChance> errors;
  // With a skill level and more than one set: entry k is the chance that
  // exactly k sets succeed (any grade but Failing, no Critical Failure).
  // With a d20 group: anyCritical, the chance that at least one of the sets
  // is a Critical Failure, 1 - (1 - critical)^sets. An outcome where a set
  // ends in an error, which makes the reply an error, is in neither.
  std::vector<double> successes;
  double anyCritical = 0;
  // When the totals are not listed: ranges of totals, each with its chance
  // and those of at least and at most it.
  std::vector<Bar> buckets;
  bool exact = true;
  // Whether the figures came from questions about the totals rather than
  // from the totals built whole.
  bool queried = false;
  // The upper bounds, when not exact.
  struct Upper {
    std::array<double, 4> grades{};
    double mean = 0;
    std::vector<Bar> bars;
    std::vector<Bar> buckets;
    std::vector<Percentile> percentiles;
    std::vector<double> successes;
    double anyCritical = 0;
  } upper;
};

// The odds of request, or why the module or the odds refuse it; a build
// slower than the plain ones may divide the odds' work budget.
OddsSummary SummariseOdds(const std::string& request, int64_t workDivisor = 1);

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_ODDS_SUMMARY_H_
