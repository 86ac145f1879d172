// SPDX-License-Identifier: MIT
// The limits of a request, in one place that rolling, the odds, the tool and
// the page all read: how many sets, dice and sides a request may ask for, and
// how much of the host's buffer a reply may take.
#ifndef ROLLWRIGHT_DICE_LIMITS_H_
#define ROLLWRIGHT_DICE_LIMITS_H_

#include <cstdint>
#include <optional>

#include "dice/dice_error.h"
#include "rollwright.h"

namespace rollwright {

inline constexpr int32_t kMaxSets = 30;
inline constexpr int32_t kMaxDice = 100;   // per dice group
inline constexpr int32_t kMaxSides = 500;  // per die
// The most bytes, NUL included, that a reply takes in the buffer.
inline constexpr int32_t ReplyCapacity = ROLLWRIGHT_REPLY_CAPACITY;

// The error of a dice group beyond the limits, if it is; the count is tested
// before the sides.
constexpr std::optional<DiceError::Code> LimitBroken(int32_t count,
                                                     int32_t sides) {
  if (count > kMaxDice) return DiceError::TooManyDice;
  if (sides > kMaxSides) return DiceError::TooManySides;
  return std::nullopt;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_LIMITS_H_
