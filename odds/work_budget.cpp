// SPDX-License-Identifier: MIT
#include "odds/work_budget.h"

#include "odds/distribution.h"

namespace rollwright {

void WorkBudget::Spend(int64_t steps) {
  if (steps > maxWork - work) throw Distribution::PastBounds();
  work += steps;
}

}  // namespace rollwright
