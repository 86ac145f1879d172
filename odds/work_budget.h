// SPDX-License-Identifier: MIT
// The work that the odds of one expression may do, in Distribution's steps
// of cost (about one pair of totals combined). Each operation of a
// Distribution that costs charges its steps here before it starts; the
// charge that would take the work past the budget throws
// Distribution::TooManyOutcomes and is not made. Not copied.
#ifndef ROLLWRIGHT_ODDS_WORK_BUDGET_H_
#define ROLLWRIGHT_ODDS_WORK_BUDGET_H_

#include <cstdint>

namespace rollwright {

class WorkBudget {
 public:
  explicit WorkBudget(int64_t maxSteps) : maxWork(maxSteps) {}
  WorkBudget(const WorkBudget&) = delete;
  WorkBudget& operator=(const WorkBudget&) = delete;

  // A charge is at most some millions of steps, and the first to pass the
  // budget ends the odds, so the count stays far from overflowing.
  void Spend(int64_t steps);
  int64_t Left() const { return maxWork - work; }

 private:
  int64_t work = 0;
  int64_t maxWork;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_WORK_BUDGET_H_
