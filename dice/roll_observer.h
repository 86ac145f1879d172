// SPDX-License-Identifier: MIT
// What a roll shows besides its reply: how the request was read, and each
// set's dice in the order they were rolled. The module rolls without one;
// the tool and the page hand one to the very roll whose reply they show, so
// that the faces they show are the ones behind its totals. It is called on
// the rolling thread while the roll lasts, and is not owned by the roll.
#ifndef ROLLWRIGHT_DICE_ROLL_OBSERVER_H_
#define ROLLWRIGHT_DICE_ROLL_OBSERVER_H_

#include <cstdint>

#include "dice/dice_roll.h"
#include "text/string.h"

namespace rollwright {

class RollObserver {
 public:
  RollObserver() = default;
  RollObserver(const RollObserver&) = delete;
  RollObserver& operator=(const RollObserver&) = delete;
  virtual ~RollObserver() = default;

  // The request as it was read, before any die is rolled.
  virtual void Read(int32_t sets, const String& expression, int32_t skill,
                    const String& comment) = 0;
  // A set begins; its groups follow in the order of the expression.
  virtual void SetStarted() = 0;
  // A group of count dice of this many sides; its count faces follow, in
  // order.
  virtual void GroupStarted(int32_t sides, int32_t count) = 0;
  virtual void Face(int32_t face) = 0;
  // The set is rolled: its total and whether it is a Critical Failure.
  virtual void SetEnded(const DiceRoll& roll) = 0;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_ROLL_OBSERVER_H_
