// SPDX-License-Identifier: MIT
// The work that the odds of one expression may do, in Distribution's steps
// of cost (about one pair of totals combined). Each operation of a
// Distribution that costs charges its steps here before it starts; the
// charge that would take the work past the budget throws
// Distribution::PastBounds and is not made. Not copied.
#ifndef ROLLWRIGHT_ODDS_WORK_BUDGET_H_
#define ROLLWRIGHT_ODDS_WORK_BUDGET_H_

#include <cstdint>

namespace rollwright {

class WorkBudget {
 public:
  explicit WorkBudget(int64_t maxSteps) : maxWork(maxSteps) {}
  WorkBudget(const WorkBudget&) = delete;
  WorkBudget& operator=(const WorkBudget&) = delete;

  // A charge is at most about 2^50 steps (the pairs of two distributions of
  // 2^25 totals), and one that would pass the budget is not made, so the
  // count stays far from overflowing. The odds go on by other means after
  // a refused charge (Odds).
  void Spend(int64_t steps);
  int64_t Left() const { return maxWork - work; }

 private:
  int64_t work = 0;
  int64_t maxWork;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_WORK_BUDGET_H_
