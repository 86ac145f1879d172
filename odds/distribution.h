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
// so a 32-bit size_t never wraps.
#ifndef ROLLWRIGHT_ODDS_DISTRIBUTION_H_
#define ROLLWRIGHT_ODDS_DISTRIBUTION_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "dice/characters.h"

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
  static Distribution Dice(int32_t count, int32_t sides, bool markFirstTwenty);
  // Every pair of independent totals a and b gives a op b (saturating, op
  // OpPlus, OpMinus or OpTimes); critical when either one is.
  static Distribution Combine(const Distribution& a, const Distribution& b,
                              Operator op);
  // What Combine(a, b, op) costs, in steps of about one pair of totals
  // combined; throws TooManyOutcomes when it is beyond the bounds.
  static int64_t CombineCost(const Distribution& a, const Distribution& b,
                             Operator op);
  // What Dice(count, sides, ...) costs, in the same steps.
  static int64_t DiceCost(int32_t count, int32_t sides);
  // What Apply or RemoveIf costs, in the same steps.
  int64_t ApplyCost() const;

  // Each total t becomes t op right (saturating).
  void Apply(Operator op, int32_t right);
  // Removes the totals the test holds for and returns their mass.
  double RemoveIf(const std::function<bool(int32_t)>& test);

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
