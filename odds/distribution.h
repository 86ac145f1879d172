// SPDX-License-Identifier: MIT
// The exact chances of the totals of one set: for each total, the mass of the
// outcomes with and without a critical failure. The masses may sum to less
// than 1; the rest is outcomes that ended in an error. A plain value.
//
// Work is bounded: a distribution holds at most kMaxOutcomes totals. Two
// distributions with at most kMaxPairs pairs of totals are combined pair by
// pair, exactly; a sum or difference of more is a dense convolution over at
// most kMaxDenseRange consecutive totals, exact to about 1e-15; a product of
// more, or anything beyond these bounds, throws TooManyOutcomes. Counts and
// ranges are reckoned in 64 bits and checked before anything is allocated,
// so a 32-bit size_t never wraps. Each operation that costs charges its work
// to the budget it is given before it starts.
#ifndef ROLLWRIGHT_ODDS_DISTRIBUTION_H_
#define ROLLWRIGHT_ODDS_DISTRIBUTION_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "dice/characters.h"
#include "odds/work_budget.h"

namespace rollwright {

class Distribution {
 public:
  struct Mass {
    double plain = 0;
    double critical = 0;
    double Both() const { return plain + critical; }
  };
  using Outcomes = std::map<int32_t, Mass>;

  static constexpr int64_t kMaxOutcomes = 100000;
  static constexpr int64_t kMaxPairs = 4000000;
  static constexpr int64_t kMaxDenseRange = int64_t{1} << 19;
  struct TooManyOutcomes {};

  // No outcome at all.
  Distribution() = default;
  // The total value, certainly, without a critical failure.
  static Distribution Point(int32_t value);
  // The sum of count dice of the given sides, with the generator's own face
  // chances; with markFirstTwenty, a twenty on the first die is critical.
  static Distribution Dice(int32_t count, int32_t sides, bool markFirstTwenty,
                           WorkBudget& budget);
  // Every pair of independent totals a and b gives a op b (saturating, op
  // OpPlus, OpMinus or OpTimes); critical when either one is.
  static Distribution Combine(const Distribution& a, const Distribution& b,
                              Operator op, WorkBudget& budget);
  // An operator of a term applied to these totals as the module applies it
  // to one: the totals t on which «t op right» has an invalid operand are
  // removed and their mass returned; each other t becomes t op right
  // (saturating), except for op OpDice, which leaves them as they are (they
  // are a group's count; Dice rolls it).
  double ApplyOperand(Operator op, int32_t right, WorkBudget& budget);

  const Outcomes& Totals() const { return totals; }
  double TotalMass() const;
  // The number of distinct totals.
  int64_t Count() const { return static_cast<int64_t>(totals.size()); }

 private:
  // Totals low, low + 1, ...: their masses, and 1 where a total occurs.
  struct Dense {
    int64_t low;
    std::vector<double> plain;
    std::vector<double> critical;
    std::vector<double> marks;
    bool Contiguous() const;
  };
  // Each total t becomes t op right (saturating).
  void Apply(Operator op, int32_t right);
  static Distribution CombinePairs(const Distribution& a, const Distribution& b,
                                   Operator op);
  static Distribution CombineDense(const Distribution& a, const Distribution& b,
                                   Operator op);
  // The consecutive totals of the dense sum of a and b, checked against the
  // bounds.
  static int64_t DenseLength(const Distribution& a, const Distribution& b);
  // Lowest to highest total, both counted: up to 2^32.
  int64_t Span() const;
  // Negated: the totals' negations, as for the right side of a difference.
  Dense ToDense(bool negate) const;
  static Distribution FromDense(const Dense& dense);
  bool HasCritical() const;

  Outcomes totals;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_DISTRIBUTION_H_
