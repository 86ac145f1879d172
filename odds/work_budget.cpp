// SPDX-License-Identifier: MIT
#include "odds/work_budget.h"

#include "odds/distribution.h"

namespace rollwright {

void WorkBudget::Spend(int64_t steps) {
  work += steps;
  if (work > maxWork) throw Distribution::TooManyOutcomes();
}

}  // namespace rollwright
