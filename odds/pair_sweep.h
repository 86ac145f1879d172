// SPDX-License-Identifier: MIT
// Two distributions combined pair by pair, in increasing order of the
// result: for each total of the smaller side, the results over the larger
// side run one way (an operator is monotone in each side, saturation too), so
// a cursor per total walks them. Each window of kWindow consecutive results
// gathers the pairs that land in it, and only the results that occur are
// kept. The work follows the pairs, the memory the window and the totals.
// Not copied.
#ifndef ROLLWRIGHT_ODDS_PAIR_SWEEP_H_
#define ROLLWRIGHT_ODDS_PAIR_SWEEP_H_

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "dice/characters.h"
#include "odds/distribution.h"
#include "odds/work_budget.h"

namespace rollwright {

class PairSweep {
 public:
  static constexpr int64_t kWindow = int64_t{1} << 20;

  PairSweep(const Distribution& a, const Distribution& b, Operator combining);
  PairSweep(const PairSweep&) = delete;
  PairSweep& operator=(const PairSweep&) = delete;

  // The work of Run in steps of one pair, before any result is kept.
  int64_t Cost() const;
  // Each result kept (and each crowded window read through) is charged to
  // budget as it comes, since how many occur is known only then. Throws
  // Distribution::PastBounds past kMaxOutcomes totals or past the budget.
  Distribution Run(WorkBudget& budget);

 private:
  // The result of the outer total at i with the inner total at step k of
  // its walk.
  int32_t Result(size_t i, size_t k) const;
  size_t InnerIndex(size_t i, size_t k) const;
  // Gathers the pairs with results from low to low + kWindow - 1; the
  // lowest result still to come, or none.
  int64_t Gather(int64_t low);
  template <class Combine>
  int64_t Walk(size_t i, int64_t low, int64_t high, Combine combine,
               int64_t next);
  void Emit(int64_t low, Distribution& into, WorkBudget& budget);

  const Distribution& outer;
  const Distribution& inner;
  Operator op;
  bool outerIsLeft;
  bool critical;
  int64_t lowest = std::numeric_limits<int64_t>::max();  // of the results
  int64_t highest = std::numeric_limits<int64_t>::min();
  std::vector<size_t> walked;  // per outer total, the inner totals done
  std::vector<double> plain;
  std::vector<double> criticalMass;
  std::vector<char> marks;
  std::vector<size_t> touched;  // offsets marked in this window
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_PAIR_SWEEP_H_
