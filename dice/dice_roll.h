// SPDX-License-Identifier: MIT
#ifndef ROLLWRIGHT_DICE_DICE_ROLL_H_
#define ROLLWRIGHT_DICE_DICE_ROLL_H_

#include <cstdint>

namespace rollwright {

// One set's outcome. A plain value.
struct DiceRoll {
  bool criticalFailure = false;
  int32_t total = 0;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_DICE_ROLL_H_
