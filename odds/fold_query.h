// SPDX-License-Identifier: MIT
// Questions about the totals of a fold T_k := sat(T_{k-1} op G_k) answered
// without listing them: T_0 is a distribution built whole, each G_k an
// independent term. The chance of at most t is
//   P(T_k <= t) = sum over g of P(G_k = g) * P(sat(T_{k-1} op g) <= t),
// where saturation is a monotone clamp (inside the 32-bit range it changes
// no such chance) and the inverse of each step is a shift, or for '*' a
// floor division (a negative factor turns at most into at least, a zero one
// into all or nothing). At T_0 it is a prefix sum.
//
// A query costs about the product of the terms' sizes. Plan fits it to a
// budget: past it, each term's totals are gathered into buckets of
// consecutive totals, and as the chance above is monotone in g over a
// bucket, its ends give rigorous bounds (widened for the rounding). A coarse
// term is one bucket from its lowest to its highest total whatever the
// budget, and its queries are never exact. Not copied; refers to the
// distributions it was made from.
#ifndef ROLLWRIGHT_ODDS_FOLD_QUERY_H_
#define ROLLWRIGHT_ODDS_FOLD_QUERY_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "odds/distribution.h"
#include "odds/odds.h"

namespace rollwright {

class FoldQuery {
 public:
  using Mass = Distribution::Mass;
  struct Bound {
    Mass low;
    Mass high;
  };

  FoldQuery(const Distribution& whole, const std::vector<Odds::Step>& steps);
  FoldQuery(const FoldQuery&) = delete;
  FoldQuery& operator=(const FoldQuery&) = delete;

  // Gathers the terms into buckets so that a query costs at most about
  // evaluations lookups of the whole part (or undoes that when none is
  // needed, and the queries are exact); what a query then costs.
  int64_t Plan(int64_t evaluations);
  bool Exact() const { return exact; }

  // The mass of all totals, exactly.
  Mass TotalMass() const { return masses.back(); }
  int32_t Lowest() const { return ranges.back().low; }
  int32_t Highest() const { return ranges.back().high; }
  // P(T <= t), between the bounds (equal when Exact()).
  Bound AtMost(int64_t t) const;
  // The sum of total times chance, when it can be had exactly within
  // evaluations lookups.
  std::optional<double> Moment(int64_t evaluations) const;

 private:
  struct Bucket {
    int32_t first;
    int32_t last;
    Mass mass;
  };
  struct Level {
    Operator op;
    const Distribution* group;
    bool coarse;
    std::vector<Bucket> buckets;
  };
  struct Range {
    int32_t low;
    int32_t high;
    bool saturatesLow;  // the unclamped results reach below the range
    bool saturatesHigh;
  };
  struct Partial {
    Mass chance;    // P(T <= t)
    double moment;  // the sum of total times chance over those totals
  };

  // What a lookup in the whole part costs, in evaluations.
  double LookupCost() const;
  // The number of totals of the whole part up to t.
  size_t WholeBelow(int64_t t) const;
  Mass Whole(int64_t t) const;
  double WholeMoment(int64_t t) const;
  // A bound on P(T_level <= t), the upper one when high.
  Mass Side(size_t level, int64_t t, bool high) const;
  Mass Bucketed(size_t level, int64_t t, bool high) const;
  Partial PartialAt(size_t level, int64_t t) const;
  Partial Under(size_t level, int32_t g, Mass mass, int64_t u) const;
  static void Singletons(Level& level);
  // The range of the running total after step, from the range below it.
  static Range RangeAfter(const Range& below, const Odds::Step& step);
  static void Gather(Level& level, int64_t buckets);

  const Distribution& base;
  std::vector<double> plainBelow;  // entry i: the mass of the first i totals
  std::vector<double> criticalBelow;
  std::vector<double> momentBelow;
  // The whole part's totals are evenly spaced by stride (but perhaps the
  // highest), or 0 when not.
  int64_t stride = 0;
  size_t strided = 0;  // from this total on
  std::vector<Level> levels;
  std::vector<Mass> masses;   // of T_0, T_1, ...
  std::vector<Range> ranges;  // of T_0, T_1, ...
  bool exact = true;
  bool anyCoarse = false;
  // Of T_0, T_1, ...: the sum of total times chance, as Moment finds it.
  mutable std::vector<double> fullMoments;
  mutable size_t hint = 0;  // the last answer of WholeBelow
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_FOLD_QUERY_H_
