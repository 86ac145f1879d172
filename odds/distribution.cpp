// SPDX-License-Identifier: MIT
#include "odds/distribution.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "dice/random.h"
#include "dice/rules.h"
#include "dice/saturating.h"
#include "odds/convolution.h"
#include "odds/pair_sweep.h"

namespace rollwright {
namespace {

// Costs in steps of one pair of totals combined, as measured: an entry of a
// dense convolution (its transforms and its total).
constexpr int64_t kStepsPerDenseEntry = 24;
// A dense sum is preferred when it saves this many pairs per entry.
constexpr int64_t kPairsPerDenseEntry = 64;
// A plain loop over the totals, such as a shift, takes a step for this many.
constexpr int64_t kTotalsPerStep = 16;
// A lumped end holds the tails moved so far, each of at most
// kNegligibleTail; far more than that is a total.
constexpr double kLumpCeiling = 1e-12;

// The sum of n dice as a dense table: entry j is the chance of total n + j.
// A face f has the share of outputs whose remainder by sides is f - 1, so low
// faces lean slightly ahead: every face has common outputs, and faces 1 to
// favoured one more.
std::vector<double> SumOfDice(int32_t n, int32_t sides) {
  const int32_t common = kGeneratorOutputs / sides;
  const int32_t favoured = kGeneratorOutputs % sides;
  std::vector<double> table{1.0};
  for (int32_t die = 0; die < n; ++die) {
    std::vector<double> prefix(table.size() + 1, 0.0);
    for (size_t i = 0; i < table.size(); ++i)
      prefix[i + 1] = prefix[i] + table[i];
    // Sum of table[j - k + 1 .. j], clipped to the table.
    auto window = [&](int64_t j, int64_t k) {
      int64_t high =
          std::min<int64_t>(j, static_cast<int64_t>(table.size()) - 1);
      int64_t low = std::max<int64_t>(j - k + 1, 0);
      if (high < low) return 0.0;
      return prefix[static_cast<size_t>(high) + 1] -
             prefix[static_cast<size_t>(low)];
    };
    std::vector<double> next(table.size() + static_cast<size_t>(sides) - 1);
    for (size_t j = 0; j < next.size(); ++j) {
      auto at = static_cast<int64_t>(j);
      next[j] = (common * window(at, sides) + window(at, favoured)) /
                kGeneratorOutputs;
    }
    table = std::move(next);
  }
  // Each window is a difference of running sums near 1, whose rounding
  // leaves the chances short of 1 by about 2e-13 for a hundred dice, and a
  // long sum of groups adds that up; the faces' chances sum to 1 exactly.
  if (n > 1) {
    const double sum = std::accumulate(table.begin(), table.end(), 0.0);
    std::transform(table.begin(), table.end(), table.begin(),
                   [sum](double chance) { return chance / sum; });
  }
  return table;
}

}  // namespace

Distribution Distribution::Point(int32_t value) {
  Distribution point;
  point.Append(value, {1.0, 0.0});
  return point;
}

Distribution Distribution::Dice(int32_t count, int32_t sides,
                                bool markFirstTwenty, WorkBudget& budget) {
  // Die by die, each total of a table that grows to count * sides entries.
  budget.Spend(int64_t{count} * count * sides / 2 + int64_t{count} * sides);
  Distribution sum;
  if (!markFirstTwenty) {
    std::vector<double> table = SumOfDice(count, sides);
    for (size_t j = 0; j < table.size(); ++j) {
      sum.Append(count + static_cast<int32_t>(j), {table[j], 0.0});
    }
    return sum;
  }
  // The first die apart: a twenty on it marks the outcome critical.
  std::vector<double> first = SumOfDice(1, sides);
  std::vector<double> rest = SumOfDice(count - 1, sides);
  const size_t length = rest.size() + static_cast<size_t>(sides) - 1;
  std::vector<Mass> masses(length);
  for (int32_t face = 1; face <= sides; ++face) {
    double chance = first[static_cast<size_t>(face) - 1];
    for (size_t j = 0; j < rest.size(); ++j) {
      Mass& mass = masses[static_cast<size_t>(face) - 1 + j];
      (face == kCriticalFace ? mass.critical : mass.plain) += chance * rest[j];
    }
  }
  for (size_t j = 0; j < length; ++j) {
    sum.Append(count + static_cast<int32_t>(j), masses[j]);
  }
  return sum;
}

// Many pairs over few consecutive totals: a sum or difference is a dense
// convolution. Otherwise pair by pair.
Distribution Distribution::Combine(const Distribution& a, const Distribution& b,
                                   Operator op, WorkBudget& budget,
                                   bool trimTails) {
  if (a.Empty() || b.Empty()) return {};
  const int64_t length = op == OpTimes ? 0 : DenseLength(a, b);
  const int64_t trimmed = trimTails && op != OpTimes ? TrimmedLength(a, b) : 0;
  if (trimmed > 0 && (length == 0 || trimmed < length)) {
    budget.Spend(kStepsPerDenseEntry * trimmed);
    return CombineTrimmed(a, b, op);
  }
  if (length > 0) {
    budget.Spend(kStepsPerDenseEntry * length);
    return CombineDense(a, b, op);
  }
  if (b.Size() == 1) {
    Distribution result = a;
    result.CombineWithOne(op, b, budget);
    return result;
  }
  PairSweep sweep(a, b, op);
  budget.Spend(sweep.Cost());
  return sweep.Run(budget);
}

// Every total in between occurs when both sides are contiguous; a sum of two
// sets of integers always has at least |a| + |b| - 1 of them.
int64_t Distribution::DenseLength(const Distribution& a,
                                  const Distribution& b) {
  const int64_t length = a.Span() + b.Span() - 1;
  if (length > kMaxDenseRange) return 0;
  return a.Count() * b.Count() > kPairsPerDenseEntry * length ? length : 0;
}

int64_t Distribution::TrimmedLength(const Distribution& a,
                                    const Distribution& b) {
  const Core x = a.CoreOf();
  const Core y = b.CoreOf();
  const int64_t length = int64_t{a.values[x.to - 1]} - a.values[x.from] +
                         b.values[y.to - 1] - b.values[y.from] + 1;
  const int64_t pairs =
      static_cast<int64_t>(x.to - x.from) * static_cast<int64_t>(y.to - y.from);
  if (length > kMaxDenseRange) return 0;
  return pairs > kPairsPerDenseEntry * length ? length : 0;
}

// A lumped end is a tail already; then the totals of negligible mass.
Distribution::Core Distribution::CoreOf() const {
  Core core{0, values.size(), {}, {}};
  if (lumped && values.size() > 2 && MassAt(0).Both() <= kLumpCeiling &&
      MassAt(values.size() - 1).Both() <= kLumpCeiling) {
    core.below = MassAt(0);
    core.above = MassAt(values.size() - 1);
    core.from = 1;
    core.to = values.size() - 1;
  }
  double peeled = 0;
  while (core.to - core.from > 1 &&
         peeled + MassAt(core.from).Both() <= kNegligibleTail) {
    peeled += MassAt(core.from).Both();
    core.below = core.below.Plus(MassAt(core.from++));
  }
  peeled = 0;
  while (core.to - core.from > 1 &&
         peeled + MassAt(core.to - 1).Both() <= kNegligibleTail) {
    peeled += MassAt(core.to - 1).Both();
    core.above = core.above.Plus(MassAt(--core.to));
  }
  return core;
}

Distribution Distribution::Slice(size_t from, size_t to) const {
  Distribution slice;
  for (size_t i = from; i < to; ++i) slice.Append(values[i], MassAt(i));
  return slice;
}

// Of the pairs with a tail on either side, those with a low tail of a (or
// of b, on the low side of the result: its high tail in a difference) are
// gathered on the lowest result, the others on the highest; so are the
// result's own tails.
Distribution Distribution::CombineTrimmed(const Distribution& a,
                                          const Distribution& b, Operator op) {
  const Core x = a.CoreOf();
  const Core y = b.CoreOf();
  const Distribution core =
      CombineDense(a.Slice(x.from, x.to), b.Slice(y.from, y.to), op);
  const bool minus = op == OpMinus;
  const Mass middle = a.MassBetween(x.from, x.to);
  const Mass all = b.MassBetween(0, b.Size());
  const Core z = core.CoreOf();
  const Mass low = x.below.With(all)
                       .Plus(middle.With(minus ? y.above : y.below))
                       .Plus(z.below);
  const Mass high = x.above.With(all)
                        .Plus(middle.With(minus ? y.below : y.above))
                        .Plus(z.above);
  Distribution result;
  result.Append(
      SaturatingArithmetic(op, a.Lowest(), minus ? b.Highest() : b.Lowest()),
      low);
  for (size_t i = z.from; i < z.to; ++i) {
    result.Append(core.values[i], core.MassAt(i));
  }
  result.Append(
      SaturatingArithmetic(op, a.Highest(), minus ? b.Lowest() : b.Highest()),
      high);
  result.MergeEqual();
  // A tail of its own at each end, or a lumped end could be a total that
  // carries mass.
  result.lumped = result.Size() == z.to - z.from + 2;
  return result;
}

int64_t Distribution::Span() const {
  if (values.empty()) return 0;
  return int64_t{values.back()} - values.front() + 1;
}

// a + b, or a - b as a + (-b), over the contiguous ranges of totals. Which
// totals occur at all is counted exactly (a convolution of 0/1 marks, whose
// rounding is far below one half), so that rounding never adds a total.
Distribution Distribution::CombineDense(const Distribution& a,
                                        const Distribution& b, Operator op) {
  const auto length = static_cast<size_t>(a.Span() + b.Span() - 1);
  Dense x = a.ToDense(false);
  Dense y = b.ToDense(op == OpMinus);
  std::vector<double> marks(length, 1.0);
  Dense sum{x.low + y.low, {}, std::vector<double>(length, 0.0), {}};
  const bool contiguous = x.Contiguous() && y.Contiguous();
  if (a.HasCritical() || b.HasCritical()) {
    // Critical when either side is.
    RealPair both =
        ConvolveCritical({std::move(x.plain), std::move(x.critical)},
                         {std::move(y.plain), std::move(y.critical)}, length);
    sum.plain = std::move(both.first);
    sum.critical = std::move(both.second);
    if (!contiguous) marks = ConvolveReal(x.marks, y.marks, length);
  } else if (!contiguous) {
    RealPair both =
        ConvolveTwoPairs({std::move(x.plain), std::move(x.marks)},
                         {std::move(y.plain), std::move(y.marks)}, length);
    sum.plain = std::move(both.first);
    marks = std::move(both.second);
  } else {
    sum.plain = ConvolveReal(x.plain, y.plain, length);
  }
  sum.marks = std::move(marks);
  return FromDense(sum);
}

Distribution::Dense Distribution::ToDense(bool negate) const {
  const int64_t first = values.front();
  const int64_t last = values.back();
  const auto size = static_cast<size_t>(Span());
  Dense dense{negate ? -last : first, std::vector<double>(size),
              std::vector<double>(size), std::vector<double>(size)};
  for (size_t j = 0; j < values.size(); ++j) {
    auto i = static_cast<size_t>(negate ? last - values[j] : values[j] - first);
    Mass mass = MassAt(j);
    dense.plain[i] = mass.plain;
    dense.critical[i] = mass.critical;
    dense.marks[i] = 1.0;
  }
  return dense;
}

// Rounding can leave a chance a hair below zero; it is zero. Totals past the
// 32-bit range saturate onto its ends.
Distribution Distribution::FromDense(const Dense& dense) {
  Distribution distribution;
  for (size_t i = 0; i < dense.plain.size(); ++i) {
    if (dense.marks[i] < 0.5) continue;
    distribution.Append(
        Saturate(dense.low + static_cast<int64_t>(i)),
        {std::max(dense.plain[i], 0.0), std::max(dense.critical[i], 0.0)});
  }
  distribution.MergeEqual();
  return distribution;
}

bool Distribution::Dense::Contiguous() const {
  return std::all_of(marks.begin(), marks.end(),
                     [](double mark) { return mark > 0; });
}

void Distribution::Append(int32_t total, Mass mass) {
  if (mass.critical != 0 && critical.empty()) {
    critical.assign(values.size(), 0.0);
  }
  values.push_back(total);
  plain.push_back(mass.plain);
  if (!critical.empty()) critical.push_back(mass.critical);
}

// The tests read single masses through it.
// cppcheck-suppress unusedFunction
Distribution::Mass Distribution::MassOf(int32_t total) const {
  auto at = std::lower_bound(values.begin(), values.end(), total);
  if (at == values.end() || *at != total) return {};
  return MassAt(static_cast<size_t>(at - values.begin()));
}

// The operators keep the order of the totals, or reverse it (a negative
// factor); only the ends of the range can gather several. Away from the ends
// of the range, a plain loop.
void Distribution::Apply(Operator op, int32_t right) {
  if (values.empty()) return;
  const int64_t ends[] = {values.front(), values.back()};
  bool inRange = true;
  for (int64_t bound : ends) {
    const int64_t result = op == OpPlus    ? bound + right
                           : op == OpMinus ? bound - right
                                           : bound * right;
    inRange = inRange && result == Saturate(result);
  }
  auto each = [this](auto step) {
    std::transform(values.begin(), values.end(), values.begin(), step);
  };
  if (!inRange) {
    each([op, right](int32_t total) {
      return SaturatingArithmetic(op, total, right);
    });
  } else if (op == OpTimes) {
    each([right](int32_t total) { return total * right; });
  } else {
    // Both ends stay in the range, so every total does (a shift by -2^31
    // too, which no int32_t holds).
    const int64_t shift = op == OpPlus ? int64_t{right} : -int64_t{right};
    each(
        [shift](int32_t total) { return static_cast<int32_t>(total + shift); });
  }
  if (op == OpTimes && right < 0) Reverse();
  if (!inRange || (op == OpTimes && right == 0)) MergeEqual();
}

void Distribution::CombineWithOne(Operator op, const Distribution& one,
                                  WorkBudget& budget) {
  budget.Spend(Count() / kTotalsPerStep);
  Apply(op, one.Lowest());
  Scale(one.MassAt(0));
}

// The masses of the pairs of these totals with one total of mass m.
void Distribution::Scale(Mass m) {
  if (m.plain == 1 && m.critical == 0) return;
  if (m.critical != 0 && critical.empty()) critical.assign(values.size(), 0.0);
  for (size_t i = 0; i < values.size(); ++i) {
    if (!critical.empty()) {
      critical[i] = critical[i] * m.Both() + plain[i] * m.critical;
    }
    plain[i] *= m.plain;
  }
}

void Distribution::Reverse() {
  std::reverse(values.begin(), values.end());
  std::reverse(plain.begin(), plain.end());
  std::reverse(critical.begin(), critical.end());
}

// A merged end is no longer a tail alone.
void Distribution::MergeEqual() {
  size_t kept = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (kept > 0 && values[kept - 1] == values[i]) {
      plain[kept - 1] += plain[i];
      if (!critical.empty()) critical[kept - 1] += critical[i];
      continue;
    }
    values[kept] = values[i];
    plain[kept] = plain[i];
    if (!critical.empty()) critical[kept] = critical[i];
    ++kept;
  }
  lumped = lumped && kept == values.size();
  Keep(0, kept);
}

// Only the totals from..to - 1 remain.
void Distribution::Keep(size_t from, size_t to) {
  auto keep = [from, to](auto& column) {
    if (column.empty()) return;
    column.erase(column.begin() + static_cast<std::ptrdiff_t>(to),
                 column.end());
    column.erase(column.begin(),
                 column.begin() + static_cast<std::ptrdiff_t>(from));
  };
  keep(values);
  keep(plain);
  keep(critical);
}

// One pass over the totals is charged for the removal and the operator.
double Distribution::ApplyOperand(Operator op, int32_t right,
                                  WorkBudget& budget) {
  budget.Spend(Count() / kTotalsPerStep);
  double removed = 0;
  if (right == 0) {
    removed = TotalMass();
    *this = Distribution();
    return removed;
  }
  if (op == OpDice) return removed;
  auto zero = std::lower_bound(values.begin(), values.end(), 0);
  if (zero != values.end() && *zero == 0) {
    const auto at = zero - values.begin();
    removed = MassAt(static_cast<size_t>(at)).Both();
    lumped = false;
    values.erase(zero);
    plain.erase(plain.begin() + at);
    if (!critical.empty()) critical.erase(critical.begin() + at);
  }
  Apply(op, right);
  return removed;
}

Distribution::Mass Distribution::MassBetween(size_t from, size_t to) const {
  Mass sum;
  for (size_t i = from; i < to; ++i) sum = sum.Plus(MassAt(i));
  return sum;
}

double Distribution::TotalMass() const {
  double sum = 0;
  for (size_t i = 0; i < values.size(); ++i) sum += MassAt(i).Both();
  return sum;
}

}  // namespace rollwright
