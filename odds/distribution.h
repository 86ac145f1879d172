// SPDX-License-Identifier: MIT
// The exact chances of the totals of one set: for each total, the mass of the
// outcomes with and without a critical failure. The masses may sum to less
// than 1; the rest is outcomes that ended in an error. A plain value: the
// totals in increasing order, side by side with their masses (12 bytes a
// total without critical outcomes, 20 with).
//
// Work is bounded: a distribution holds at most kMaxOutcomes totals. Two
// distributions are combined pair by pair, a window of results at a time, so
// that the work follows the pairs and the memory the totals that occur; a sum
// or difference of many pairs over at most kMaxDenseRange consecutive totals
// is a dense convolution, exact to about 1e-15. A combination past these
// bounds throws PastBounds, and the odds go on by queries (FoldQuery).
//
// A long sum may trim its tails: the totals at each end whose chances add up
// to at most kNegligibleTail are gathered onto the lowest (or highest) total,
// which is kept, so that the convolutions cover only the totals that carry
// mass. Such a distribution is lumped: its ends stand for those tails. Each
// trimming moves at most 2 kNegligibleTail of mass, and no chance of at most
// a total moves by more than all the mass ever moved.
// Counts and ranges are reckoned in 64 bits and checked before anything is
// allocated, so a 32-bit size_t never wraps. Each operation that costs
// charges its work to the budget it is given before it starts.
#ifndef ROLLWRIGHT_ODDS_DISTRIBUTION_H_
#define ROLLWRIGHT_ODDS_DISTRIBUTION_H_

#include <cstddef>
#include <cstdint>
#include <utility>
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
    // The mass of the pairs of this and other, independent: critical when
    // either is.
    Mass With(Mass other) const {
      return {plain * other.plain,
              other.critical * Both() + other.plain * critical};
    }
    Mass Plus(Mass other) const {
      return {plain + other.plain, critical + other.critical};
    }
  };

  static constexpr int64_t kMaxOutcomes = 10000000;
  static constexpr int64_t kMaxDenseRange = int64_t{1} << 20;
  static constexpr double kNegligibleTail = 1e-16;
  struct PastBounds {};

  // The totals in increasing order, each as {total, mass}.
  class Iterator {
   public:
    Iterator(const Distribution& of, size_t at) : from(&of), index(at) {}
    std::pair<int32_t, Mass> operator*() const {
      return {from->values[index], from->MassAt(index)};
    }
    Iterator& operator++() {
      ++index;
      return *this;
    }
    bool operator!=(const Iterator& other) const {
      return index != other.index;
    }

   private:
    const Distribution* from;
    size_t index;
  };

  // No outcome at all.
  Distribution() = default;
  // The total value, certainly, without a critical failure.
  static Distribution Point(int32_t value);
  // The sum of count dice of the given sides, with the generator's own face
  // chances; with markFirstTwenty, a twenty on the first die is critical.
  static Distribution Dice(int32_t count, int32_t sides, bool markFirstTwenty,
                           WorkBudget& budget);
  // Every pair of independent totals a and b gives a op b (saturating, op
  // OpPlus, OpMinus or OpTimes); critical when either one is. With
  // trimTails, a sum or difference that cannot be built whole is built with
  // its tails trimmed (above), and so is one that can, when trimmed costs
  // less.
  static Distribution Combine(const Distribution& a, const Distribution& b,
                              Operator op, WorkBudget& budget,
                              bool trimTails = false);
  // An operator of a term applied to these totals as the module applies it
  // to one: the totals t on which «t op right» has an invalid operand are
  // removed and their mass returned; each other t becomes t op right
  // (saturating), except for op OpDice, which leaves them as they are (they
  // are a group's count; Dice rolls it).
  double ApplyOperand(Operator op, int32_t right, WorkBudget& budget);

  // Combine(*this, one, op) in place, for one of a single total.
  void CombineWithOne(Operator op, const Distribution& one, WorkBudget& budget);
  // Adds a total above every total so far.
  void Append(int32_t total, Mass mass);

  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, values.size()}; }
  size_t Size() const { return values.size(); }
  bool Empty() const { return values.empty(); }
  int32_t Total(size_t i) const { return values[i]; }
  const std::vector<int32_t>& Values() const { return values; }
  Mass MassAt(size_t i) const {
    return {plain[i], critical.empty() ? 0.0 : critical[i]};
  }
  // The mass of total, none when it does not occur.
  Mass MassOf(int32_t total) const;
  int32_t Lowest() const { return values.front(); }
  int32_t Highest() const { return values.back(); }
  double TotalMass() const;
  // The masses of the totals from..to - 1, added in order.
  Mass MassBetween(size_t from, size_t to) const;
  // Lowest to highest total, both counted (0 when empty): up to 2^32.
  int64_t Span() const;
  bool HasCritical() const { return !critical.empty(); }
  // Whether the ends stand for trimmed tails (above).
  bool Lumped() const { return lumped; }
  // The number of distinct totals.
  int64_t Count() const { return static_cast<int64_t>(values.size()); }

 private:
  friend class PairSweep;
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
  void Scale(Mass m);
  // Totals that have become equal next to each other are merged.
  void MergeEqual();
  void Reverse();
  void Keep(size_t from, size_t to);
  static Distribution CombineDense(const Distribution& a, const Distribution& b,
                                   Operator op);
  // The totals from..to - 1 that carry mass, and the mass of the tails
  // below and above them (a lumped end, and the lowest and highest totals
  // of at most kNegligibleTail of mass).
  struct Core {
    size_t from;
    size_t to;
    Mass below;
    Mass above;
  };
  Core CoreOf() const;
  Distribution Slice(size_t from, size_t to) const;
  // a op b of the cores (a dense convolution), between the trimmed tails
  // gathered at the ends of every total that occurs.
  static Distribution CombineTrimmed(const Distribution& a,
                                     const Distribution& b, Operator op);
  // The consecutive totals of a dense sum of the cores, or 0.
  static int64_t TrimmedLength(const Distribution& a, const Distribution& b);
  // The consecutive totals of a dense sum of a and b, or 0 when a dense sum
  // does not fit or does not pay.
  static int64_t DenseLength(const Distribution& a, const Distribution& b);
  // Negated: the totals' negations, as for the right side of a difference.
  Dense ToDense(bool negate) const;
  static Distribution FromDense(const Dense& dense);

  std::vector<int32_t> values;
  std::vector<double> plain;
  std::vector<double> critical;  // empty when no outcome is critical
  bool lumped = false;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_DISTRIBUTION_H_
