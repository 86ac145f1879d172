// SPDX-License-Identifier: MIT
// Arithmetic on the engine's 32-bit signed numbers that never overflows: a
// result beyond the range is clamped to 2147483647 or -2147483648.
#ifndef ROLLWRIGHT_DICE_SATURATING_H_
#define ROLLWRIGHT_DICE_SATURATING_H_

#include <cstdint>
#include <limits>

#include "dice/characters.h"

namespace rollwright {

inline int32_t Saturate(int64_t value) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value > kMax   ? kMax
                              : value < kMin ? kMin
                                             : value);
}

inline int32_t SaturatingAdd(int32_t a, int32_t b) {
  return Saturate(int64_t{a} + b);
}

inline int32_t SaturatingSubtract(int32_t a, int32_t b) {
  return Saturate(int64_t{a} - b);
}

inline int32_t SaturatingMultiply(int32_t a, int32_t b) {
  return Saturate(int64_t{a} * b);
}

// a + b, a - b or a * b for op OpPlus, OpMinus or OpTimes.
inline int32_t SaturatingArithmetic(Operator op, int32_t a, int32_t b) {
  if (op == OpPlus) return SaturatingAdd(a, b);
  if (op == OpMinus) return SaturatingSubtract(a, b);
  return SaturatingMultiply(a, b);
}

// value * 10 + digit for a non-negative value, as when reading decimal digits
// left to right: a run of digits too long for 32 bits reads as 2147483647.
inline int32_t AppendDigit(int32_t value, char digit) {
  return Saturate(int64_t{value} * 10 + (digit - '0'));
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_SATURATING_H_
