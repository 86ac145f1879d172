// SPDX-License-Identifier: MIT
#include "odds/fold_query.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "dice/saturating.h"

namespace rollwright {
namespace {

using Mass = Distribution::Mass;
constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
// Above every result of a step.
constexpr int64_t kHuge = int64_t{1} << 62;
// Past this many steps the moment is not followed through the levels (each
// is a frame of the recursion).
constexpr size_t kDeepestMoment = 64;
// The relative rounding of one operation.
constexpr double kRounding = std::numeric_limits<double>::epsilon();
// A lookup in a whole part with gaps, a search in millions of totals, against
// one in a contiguous one.
constexpr double kSearchCost = 20;
// What a dense convolution's rounding may leave on the whole part's chances.
constexpr double kConvolutionError = 1e-13;

// In 32 bits where both fit: a 64-bit division is a call to the library in
// 32-bit builds, and queries make millions.
int64_t FloorDivide(int64_t a, int64_t b) {
  if (a == static_cast<int32_t>(a) && b == static_cast<int32_t>(b) && b != -1) {
    const auto x = static_cast<int32_t>(a);
    const auto y = static_cast<int32_t>(b);
    const int32_t q = x / y;
    return (x % y != 0 && ((x < 0) != (y < 0))) ? q - 1 : q;
  }
  const int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int64_t CeilDivide(int64_t a, int64_t b) { return -FloorDivide(-a, b); }

// The chances of the pairs of a total of T and a total of G of masses m,
// from T's: plain with plain, critical when either is.
Mass Pair(Mass t, Mass g) { return t.With(g); }

Mass Minus(Mass a, Mass b) {
  return {a.plain - b.plain, a.critical - b.critical};
}

Mass Plus(Mass a, Mass b) { return a.Plus(b); }

// P(sat(T op g) <= t) for t in the range is P(T <= u), or with complement
// P(T >= u + 1); all: every total, none: no total.
struct Inverse {
  int64_t u;
  bool complement;
};

Inverse InverseOf(Operator op, int64_t g, int64_t t) {
  if (op == OpPlus) return {t - g, false};
  if (op == OpMinus) return {t + g, false};
  if (g > 0) return {FloorDivide(t, g), false};
  if (g < 0) return {CeilDivide(t, g) - 1, true};
  return {t >= 0 ? kMax : kMin - 1, false};
}

// Whether P(sat(T op g) <= t) falls as g rises over totals of one sign.
bool Falling(Operator op, int64_t g, int64_t t) {
  if (op == OpPlus) return true;
  if (op == OpMinus) return false;
  return (g > 0) == (t >= 0);
}

// A sum of millions of terms with the rounding of each carried (Neumaier's
// compensated summation), so that it stays within a few units of the last
// place.
class RunningSum {
 public:
  double Add(double term) {
    // Stored, so that the sum is rounded to a double even where the
    // arithmetic is wider (x87 in 32-bit builds), or nothing is carried.
    volatile double rounded = sum + term;
    const double next = rounded;
    carried += std::fabs(sum) >= std::fabs(term) ? (sum - next) + term
                                                 : (term - next) + sum;
    sum = next;
    return sum + carried;
  }

 private:
  double sum = 0;
  double carried = 0;
};

// value = offset + (negated ? -1 : 1) * L * F, L lower triangular and not
// negative, for F the chances of a level further down.
struct Affine {
  Mass offset;
  double a = 1;  // plain from plain
  double c = 0;  // critical from plain
  double d = 1;  // critical from critical
  bool negated = false;

  Mass Of(Mass f) const {
    Mass linear{a * f.plain, c * f.plain + d * f.critical};
    return negated ? Minus(offset, linear) : Plus(offset, linear);
  }
  // Then F = Pair(F', m), or Pair(total - F', m) with complement.
  void Then(Mass m, Mass total, bool complement) {
    if (complement) {
      offset = Of(Pair(total, m));
      negated = !negated;
    }
    // L * [[mp, 0], [mc, mc + mp]].
    const double na = a * m.plain;
    const double nc = c * m.plain + d * m.critical;
    const double nd = d * m.Both();
    a = na;
    c = nc;
    d = nd;
  }
};

// The step between evenly spaced totals from the one at first, or 0; the
// highest may be the end of the range, where the totals beyond gather, and
// the lowest and highest may stand for trimmed tails.
int64_t StrideOf(const std::vector<int32_t>& values, size_t first) {
  int64_t stride = values.size() > first + 1
                       ? int64_t{values[first + 1]} - values[first]
                       : 1;
  for (size_t i = first + 1; i + 1 < values.size() && stride > 0; ++i) {
    if (int64_t{values[i]} - values[i - 1] != stride) stride = 0;
  }
  return stride;
}

}  // namespace

FoldQuery::FoldQuery(const Distribution& whole,
                     const std::vector<Odds::Step>& steps)
    : base(whole) {
  RunningSum plain;
  RunningSum critical;
  RunningSum moment;
  plainBelow.push_back(0);
  criticalBelow.push_back(0);
  momentBelow.push_back(0);
  for (const auto& [total, mass] : base) {
    plainBelow.push_back(plain.Add(mass.plain));
    criticalBelow.push_back(critical.Add(mass.critical));
    momentBelow.push_back(moment.Add(total * mass.Both()));
  }
  masses.push_back({plain.Add(0), critical.Add(0)});
  strided = base.Lumped() ? 1 : 0;
  stride = StrideOf(base.Values(), strided);
  const bool empty = base.Empty();
  ranges.push_back(
      {empty ? 0 : base.Lowest(), empty ? 0 : base.Highest(), false, false});
  for (const Odds::Step& step : steps) {
    Level level{step.op, &step.group, step.coarse, {}};
    anyCoarse = anyCoarse || step.coarse;
    Singletons(level);
    const Mass groupMass = std::accumulate(
        level.buckets.begin(), level.buckets.end(), Mass{},
        [](Mass sum, const Bucket& bucket) { return Plus(sum, bucket.mass); });
    masses.push_back(Pair(masses.back(), groupMass));
    const bool none = step.group.Empty() || masses.back().Both() <= 0;
    ranges.push_back(none ? Range{0, 0, false, false}
                          : RangeAfter(ranges.back(), step));
    levels.push_back(std::move(level));
  }
  exact = !anyCoarse;
}

FoldQuery::Range FoldQuery::RangeAfter(const Range& below,
                                       const Odds::Step& step) {
  int64_t low = std::numeric_limits<int64_t>::max();
  int64_t high = std::numeric_limits<int64_t>::min();
  for (int64_t x : {int64_t{below.low}, int64_t{below.high}}) {
    for (int64_t g :
         {int64_t{step.group.Lowest()}, int64_t{step.group.Highest()}}) {
      const int64_t r = step.op == OpPlus    ? x + g
                        : step.op == OpMinus ? x - g
                                             : x * g;
      low = std::min(low, r);
      high = std::max(high, r);
    }
  }
  return {Saturate(low), Saturate(high), low<kMin, high> kMax};
}

void FoldQuery::Singletons(Level& level) {
  level.buckets.clear();
  if (level.coarse) {
    const Distribution& group = *level.group;
    level.buckets.push_back(
        {group.Lowest(), group.Highest(), group.MassBetween(0, group.Size())});
    return;
  }
  for (const auto& [total, mass] : *level.group) {
    level.buckets.push_back({total, total, mass});
  }
}

// The levels of more than one total share the budget evenly, as a product;
// a lookup in a whole part with gaps is a search, and costs more. Each
// lookup is reached through the levels of one bucket above it, a step each:
// once gathered, every level may be one.
int64_t FoldQuery::Plan(int64_t evaluations) {
  double cost = LookupCost();
  int many = 0;
  for (const Level& level : levels) {
    const size_t size = level.coarse ? 1 : level.group->Size();
    cost *= static_cast<double>(std::max<size_t>(size, 1));
    if (size > 1) ++many;
  }
  cost += cost / LookupCost() *
          static_cast<double>(levels.size() - static_cast<size_t>(many));
  const double lookup = LookupCost() + static_cast<double>(levels.size());
  const auto budget = static_cast<double>(evaluations);
  exact = cost <= budget && !anyCoarse;
  if (cost <= budget) {
    for (Level& level : levels) {
      if (!level.coarse && level.buckets.size() != level.group->Size()) {
        Singletons(level);
      }
    }
    return static_cast<int64_t>(cost);
  }
  // Both bounds, each bucket at one end.
  const double each = std::pow(budget / 2 / lookup, 1.0 / std::max(many, 1));
  for (Level& level : levels) {
    if (!level.coarse && level.group->Size() > 1) {
      Gather(level, std::max<int64_t>(1, static_cast<int64_t>(each)));
    }
  }
  return evaluations;
}

// Consecutive totals of about equal mass, at most buckets of them (the
// rounded sum of the masses may reach a share before the far tail, whose
// masses are tiny); for a product, none holds totals of two signs.
void FoldQuery::Gather(Level& level, int64_t buckets) {
  const Distribution& group = *level.group;
  const double share = group.TotalMass() / static_cast<double>(buckets);
  level.buckets.clear();
  double gathered = 0;
  auto sign = [](int32_t v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); };
  for (const auto& [total, mass] : group) {
    const bool room = level.buckets.size() < static_cast<size_t>(buckets);
    bool opens = level.buckets.empty() || (room && gathered >= share);
    if (level.op == OpTimes && !level.buckets.empty()) {
      opens = opens || sign(level.buckets.back().last) != sign(total);
    }
    if (opens) {
      level.buckets.push_back({total, total, {}});
      gathered = 0;
    }
    Bucket& bucket = level.buckets.back();
    bucket.last = total;
    bucket.mass = Plus(bucket.mass, mass);
    gathered += mass.Both();
  }
}

double FoldQuery::LookupCost() const {
  return base.Empty() || stride > 0 ? 1 : kSearchCost;
}

// Queries in a row look near each other: the search gallops from the last
// answer.
size_t FoldQuery::WholeBelow(int64_t t) const {
  if (base.Empty() || t < base.Lowest()) return 0;
  if (t >= base.Highest()) return base.Size();
  if (stride > 0) {
    const int32_t from = base.Total(strided);
    if (t < from) return strided;
    // Below 2^32, and in 32 bits for the same reason as FloorDivide.
    const auto offset = static_cast<uint32_t>(t - from);
    const uint32_t index =
        stride == 1 ? offset : offset / static_cast<uint32_t>(stride);
    return std::min(strided + index + 1, base.Size() - 1);
  }
  const std::vector<int32_t>& values = base.Values();
  const size_t n = values.size();
  size_t low = std::min(hint, n);
  size_t high = low;
  size_t step = 1;
  if (low < n && values[low] <= t) {
    while (high < n && values[high] <= t) {
      low = high + 1;
      high += step;
      step *= 2;
    }
    high = std::min(high, n);
  } else {
    while (low > 0 && values[low - 1] > t) {
      high = low - 1;
      low = high > step ? high - step : 0;
      step *= 2;
    }
  }
  const auto begin = values.begin();
  hint = static_cast<size_t>(
      std::upper_bound(begin + static_cast<std::ptrdiff_t>(low),
                       begin + static_cast<std::ptrdiff_t>(high), t) -
      begin);
  return hint;
}

Mass FoldQuery::Whole(int64_t t) const {
  const size_t below = WholeBelow(t);
  return {plainBelow[below], criticalBelow[below]};
}

FoldQuery::Bound FoldQuery::AtMost(int64_t t) const {
  const size_t top = levels.size();
  if (exact) {
    const Mass chance = Side(top, t, false);
    return {chance, chance};
  }
  Mass low = Side(top, t, false);
  Mass high = Side(top, t, true);
  // The rounding of each sum, widened outward.
  const double terms = std::accumulate(
      levels.begin(), levels.end(), static_cast<double>(base.Size()),
      [](double sum, const Level& level) {
        return sum + static_cast<double>(level.buckets.size());
      });
  const double slack = terms * kRounding + kConvolutionError;
  const Mass total = TotalMass();
  low = {std::max(low.plain - slack, 0.0), std::max(low.critical - slack, 0.0)};
  high = {std::min(high.plain + slack, total.plain),
          std::min(high.critical + slack, total.critical)};
  return {low, high};
}

// The levels of one bucket are followed in a loop, carrying the affine map
// from their chances to the answer, so that a long chain of steps takes no
// stack; a level of several buckets sums them.
Mass FoldQuery::Side(size_t level, int64_t t, bool high) const {
  Affine answer;
  for (;;) {
    if (t >= kMax) return answer.Of(masses[level]);
    if (t < kMin) return answer.Of({});
    if (level == 0) return answer.Of(Whole(t));
    const bool want = high != answer.negated;
    const Level& step = levels[level - 1];
    if (step.buckets.size() != 1) {
      return answer.Of(Bucketed(level, t, want));
    }
    const Bucket& bucket = step.buckets.front();
    const bool lowEnd = Falling(step.op, bucket.first, t) == want;
    const Inverse inverse =
        InverseOf(step.op, lowEnd ? bucket.first : bucket.last, t);
    answer.Then(bucket.mass, masses[level - 1], inverse.complement);
    t = inverse.u;
    --level;
  }
}

Mass FoldQuery::Bucketed(size_t level, int64_t t, bool high) const {
  const Level& step = levels[level - 1];
  Mass sum{};
  for (const Bucket& bucket : step.buckets) {
    const bool lowEnd = Falling(step.op, bucket.first, t) == high;
    const Inverse inverse =
        InverseOf(step.op, lowEnd ? bucket.first : bucket.last, t);
    Mass below = inverse.complement ? Minus(masses[level - 1],
                                            Side(level - 1, inverse.u, !high))
                                    : Side(level - 1, inverse.u, high);
    sum = Plus(sum, Pair(below, bucket.mass));
  }
  return sum;
}

// Forward through the levels: a step that cannot saturate moves the moment
// as the sum, difference or product of independent totals does; one that
// can is summed over its term's totals, with the clamped outcomes at the
// ends of the range.
std::optional<double> FoldQuery::Moment(int64_t evaluations) const {
  if (anyCoarse) return std::nullopt;
  fullMoments.assign(1, momentBelow.back());
  double cost = LookupCost();
  for (size_t k = 1; k <= levels.size(); ++k) {
    const Level& step = levels[k - 1];
    const Range& range = ranges[k];
    double groupMass = 0;
    double groupMoment = 0;
    for (const auto& [total, mass] : *step.group) {
      groupMass += mass.Both();
      groupMoment += total * mass.Both();
    }
    cost *=
        static_cast<double>(step.group->Size()) * (range.saturatesLow ? 2 : 1);
    const double below = masses[k - 1].Both();
    const double moment = fullMoments.back();
    if (!range.saturatesLow && !range.saturatesHigh) {
      fullMoments.push_back(
          step.op == OpPlus    ? moment * groupMass + below * groupMoment
          : step.op == OpMinus ? moment * groupMass - below * groupMoment
                               : moment * groupMoment);
      continue;
    }
    if (k > kDeepestMoment || 2 * cost > static_cast<double>(evaluations)) {
      return std::nullopt;
    }
    fullMoments.push_back(PartialAt(k, kMax).moment);
  }
  return fullMoments.back();
}

// S = sat(V): P(S <= t) and the sum of S over those outcomes, from V's:
// V's outcomes below the range count at its lowest total and, when t is the
// highest, those above it at the highest.
FoldQuery::Partial FoldQuery::PartialAt(size_t level, int64_t t) const {
  if (t < kMin) return {};
  if (level == 0) {
    const size_t below = WholeBelow(t);
    return {{plainBelow[below], criticalBelow[below]}, momentBelow[below]};
  }
  const Range& range = ranges[level];
  const int64_t top = std::min(t, kMax);
  Partial sum{};
  for (const auto& [g, mass] : *levels[level - 1].group) {
    Partial part = Under(level, g, mass, top);
    if (range.saturatesLow) {
      const Partial under = Under(level, g, mass, kMin - 1);
      part.moment +=
          static_cast<double>(kMin) * under.chance.Both() - under.moment;
    }
    if (t >= kMax && range.saturatesHigh) {
      const Partial all = Under(level, g, mass, kHuge);
      part.moment +=
          static_cast<double>(kMax) * (all.chance.Both() - part.chance.Both());
      part.chance = all.chance;
    }
    sum.chance = Plus(sum.chance, part.chance);
    sum.moment += part.moment;
  }
  return sum;
}

// V = T op g for T the totals of the level below: P(V <= u) and the sum of
// V over those outcomes, each weighed by the mass of g.
FoldQuery::Partial FoldQuery::Under(size_t level, int32_t g, Mass mass,
                                    int64_t u) const {
  const Operator op = levels[level - 1].op;
  const Inverse inverse = InverseOf(op, g, u);
  Partial below = PartialAt(level - 1, inverse.u);
  if (inverse.complement) {
    below = {Minus(masses[level - 1], below.chance),
             fullMoments[level - 1] - below.moment};
  }
  const double chance = below.chance.Both();
  const double moment = op == OpPlus    ? below.moment + g * chance
                        : op == OpMinus ? below.moment - g * chance
                                        : g * below.moment;
  return {Pair(below.chance, mass), moment * mass.Both()};
}

}  // namespace rollwright
