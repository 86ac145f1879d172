// SPDX-License-Identifier: MIT
#include "odds/distribution.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "dice/random.h"
#include "dice/rules.h"
#include "dice/saturating.h"
#include "odds/convolution.h"

namespace rollwright {
namespace {

// Costs in steps of one pair of totals combined, as measured: a total placed
// in a distribution's map, and an entry of a dense convolution (its
// transforms and its total).
constexpr int64_t kStepsPerTotal = 32;
constexpr int64_t kStepsPerDenseEntry = 128;

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
  return table;
}

// The first length entries of the linear convolution of x and y, by
// transforms of size.
std::vector<double> Convolve(const std::vector<double>& x,
                             const std::vector<double>& y, size_t size,
                             size_t length) {
  Spectrum product = Transform(x, size);
  Spectrum other = Transform(y, size);
  for (size_t i = 0; i < size; ++i) product[i] *= other[i];
  return InverseTransform(std::move(product), length);
}

}  // namespace

Distribution Distribution::Point(int32_t value) {
  Distribution point;
  point.totals[value].plain = 1.0;
  return point;
}

Distribution Distribution::Dice(int32_t count, int32_t sides,
                                bool markFirstTwenty, WorkBudget& budget) {
  budget.Spend(int64_t{count} * count * sides + kStepsPerTotal * count * sides);
  Distribution sum;
  if (!markFirstTwenty) {
    std::vector<double> table = SumOfDice(count, sides);
    for (size_t j = 0; j < table.size(); ++j) {
      sum.totals[count + static_cast<int32_t>(j)].plain = table[j];
    }
    return sum;
  }
  // The first die apart: a twenty on it marks the outcome critical.
  std::vector<double> first = SumOfDice(1, sides);
  std::vector<double> rest = SumOfDice(count - 1, sides);
  for (int32_t face = 1; face <= sides; ++face) {
    double chance = first[static_cast<size_t>(face) - 1];
    for (size_t j = 0; j < rest.size(); ++j) {
      Mass& mass = sum.totals[face + count - 1 + static_cast<int32_t>(j)];
      (face == kCriticalFace ? mass.critical : mass.plain) += chance * rest[j];
    }
  }
  return sum;
}

// Few enough pairs: each pair of totals added, subtracted or multiplied,
// exactly. Too many: a sum or difference is a dense convolution; a product
// is refused.
Distribution Distribution::Combine(const Distribution& a, const Distribution& b,
                                   Operator op, WorkBudget& budget) {
  const int64_t pairs = a.Count() * b.Count();
  if (pairs <= kMaxPairs) {
    // A row of pairs may pass kMaxOutcomes totals before it is refused.
    budget.Spend(pairs +
                 kStepsPerTotal * std::min(pairs, kMaxOutcomes + b.Count()));
    return CombinePairs(a, b, op);
  }
  if (op == OpTimes) throw TooManyOutcomes();
  budget.Spend(kStepsPerDenseEntry * DenseLength(a, b));
  return CombineDense(a, b, op);
}

// Every total in between occurs when both sides are contiguous; a sum of two
// sets of integers always has at least |a| + |b| - 1 of them.
int64_t Distribution::DenseLength(const Distribution& a,
                                  const Distribution& b) {
  const int64_t length = a.Span() + b.Span() - 1;
  const bool contiguous = a.Count() == a.Span() && b.Count() == b.Span();
  const int64_t occurring = contiguous ? length : a.Count() + b.Count() - 1;
  if (length > kMaxDenseRange || occurring > kMaxOutcomes) {
    throw TooManyOutcomes();
  }
  return length;
}

int64_t Distribution::Span() const {
  if (totals.empty()) return 0;
  return int64_t{totals.rbegin()->first} - totals.begin()->first + 1;
}

Distribution Distribution::CombinePairs(const Distribution& a,
                                        const Distribution& b, Operator op) {
  std::unordered_map<int32_t, Mass> pairs;
  for (const auto& [left, x] : a.totals) {
    for (const auto& [right, y] : b.totals) {
      Mass& mass = pairs[SaturatingArithmetic(op, left, right)];
      mass.plain += x.plain * y.plain;
      mass.critical += x.critical * y.Both() + x.plain * y.critical;
    }
    if (pairs.size() > kMaxOutcomes) throw TooManyOutcomes();
  }
  Distribution combined;
  combined.totals.insert(pairs.begin(), pairs.end());
  return combined;
}

// a + b, or a - b as a + (-b), over the contiguous ranges of totals. Which
// totals occur at all is counted exactly (a convolution of 0/1 marks, whose
// rounding is far below one half), so that rounding never adds a total.
Distribution Distribution::CombineDense(const Distribution& a,
                                        const Distribution& b, Operator op) {
  const auto length = static_cast<size_t>(DenseLength(a, b));
  Dense x = a.ToDense(false);
  Dense y = b.ToDense(op == OpMinus);
  const size_t size = TransformSize(length);
  // Which totals occur comes first: too many are refused before any chance
  // is computed.
  std::vector<double> marks(length, 1.0);
  if (!x.Contiguous() || !y.Contiguous()) {
    marks = Convolve(x.marks, y.marks, size, length);
    if (std::count_if(marks.begin(), marks.end(),
                      [](double mark) { return mark >= 0.5; }) > kMaxOutcomes) {
      throw TooManyOutcomes();
    }
  }
  Spectrum xPlain = Transform(x.plain, size);
  Spectrum yPlain = Transform(y.plain, size);
  Spectrum plain(size);
  for (size_t i = 0; i < size; ++i) plain[i] = xPlain[i] * yPlain[i];
  Dense sum{x.low + y.low, InverseTransform(std::move(plain), length),
            std::vector<double>(length, 0.0), std::move(marks)};
  if (a.HasCritical() || b.HasCritical()) {
    // Critical when either side is.
    Spectrum xCritical = Transform(x.critical, size);
    Spectrum yCritical = Transform(y.critical, size);
    for (size_t i = 0; i < size; ++i) {
      xCritical[i] =
          xCritical[i] * (yPlain[i] + yCritical[i]) + xPlain[i] * yCritical[i];
    }
    sum.critical = InverseTransform(std::move(xCritical), length);
  }
  return FromDense(sum);
}

Distribution::Dense Distribution::ToDense(bool negate) const {
  const int64_t first = totals.begin()->first;
  const int64_t last = totals.rbegin()->first;
  const auto size = static_cast<size_t>(Span());
  Dense dense{negate ? -last : first, std::vector<double>(size),
              std::vector<double>(size), std::vector<double>(size)};
  for (const auto& [total, mass] : totals) {
    auto i = static_cast<size_t>(negate ? last - total : total - first);
    dense.plain[i] = mass.plain;
    dense.critical[i] = mass.critical;
    dense.marks[i] = 1.0;
  }
  return dense;
}

// Rounding can leave a chance a hair below zero; it is zero.
Distribution Distribution::FromDense(const Dense& dense) {
  Distribution distribution;
  int64_t occurring = 0;
  for (size_t i = 0; i < dense.plain.size(); ++i) {
    if (dense.marks[i] < 0.5) continue;
    if (++occurring > kMaxOutcomes) throw TooManyOutcomes();
    Mass& mass =
        distribution.totals[Saturate(dense.low + static_cast<int64_t>(i))];
    mass.plain += std::max(dense.plain[i], 0.0);
    mass.critical += std::max(dense.critical[i], 0.0);
  }
  return distribution;
}

bool Distribution::Dense::Contiguous() const {
  return std::all_of(marks.begin(), marks.end(),
                     [](double mark) { return mark > 0; });
}

bool Distribution::HasCritical() const {
  return std::any_of(totals.begin(), totals.end(), [](const auto& outcome) {
    return outcome.second.critical > 0;
  });
}

void Distribution::Apply(Operator op, int32_t right) {
  Outcomes applied;
  for (const auto& [total, mass] : totals) {
    Mass& into = applied[SaturatingArithmetic(op, total, right)];
    into.plain += mass.plain;
    into.critical += mass.critical;
  }
  totals = std::move(applied);
}

// One pass over the totals is charged for the removal and the operator.
double Distribution::ApplyOperand(Operator op, int32_t right,
                                  WorkBudget& budget) {
  budget.Spend(kStepsPerTotal * Count());
  double removed = 0;
  for (auto it = totals.begin(); it != totals.end();) {
    if (IsZeroOperand(it->first, right, op)) {
      removed += it->second.Both();
      it = totals.erase(it);
    } else {
      ++it;
    }
  }
  if (op != OpDice) Apply(op, right);
  return removed;
}

double Distribution::TotalMass() const {
  double sum = 0;
  for (const auto& [total, mass] : totals) sum += mass.Both();
  return sum;
}

}  // namespace rollwright
