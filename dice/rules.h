// SPDX-License-Identifier: MIT
// The rules of one set that rolling and the odds share: how many dice a
// group rolls, when an operand is invalid, which twenty is a critical
// failure, and how a total is graded against a skill level. (The limits of
// a request are in dice/limits.h.)
#ifndef ROLLWRIGHT_DICE_RULES_H_
#define ROLLWRIGHT_DICE_RULES_H_

#include <cstdint>

#include "dice/characters.h"

namespace rollwright {

// A group written «d6» or «0d6» rolls one die.
constexpr int32_t DiceRolled(int32_t count) { return count == 0 ? 1 : count; }

// An operand is invalid when it is zero, or when the accumulator it is
// applied to is zero and the operator is not 'd'.
constexpr bool IsZeroOperand(int32_t acc, int32_t right, Operator op) {
  return (acc == 0 && op != OpDice) || right == 0;
}

// Only the first die of the set's first twenty-sided group can be a critical
// failure: a twenty on it. Called once for each group the set rolls, in
// order: counts the group in d20Groups if it is twenty-sided, and tells
// whether it is that first one. (d20Groups stays below the expression's
// length.)
constexpr bool CountCriticalGroup(int32_t sides, int32_t& d20Groups) {
  if (sides != 20) return false;
  return ++d20Groups == 1;
}
inline constexpr int32_t kCriticalFace = 20;

// How a total fares against a skill level, roll-under; the bands are tested
// in this order, with truncating division.
enum Grade { Amazing, Good, Ordinary, Failing };

constexpr Grade GradeOf(int32_t skill, int32_t total) {
  if (skill / 4 >= total) return Amazing;
  if (skill / 2 >= total) return Good;
  if (total > skill) return Failing;
  return Ordinary;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_RULES_H_
