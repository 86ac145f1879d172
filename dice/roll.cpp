// SPDX-License-Identifier: MIT
// Rolling: the expression walked over numbers, once per set. A term is
// folded into the set's total: '+' adds it, '-' subtracts it, '*' multiplies
// the total by it, and 'd' («2d6d4») is an invalid operand.
#include "dice/expression_walk.h"
#include "dice/random.h"
#include "dice/roll_request.h"
#include "dice/rules.h"
#include "dice/saturating.h"

namespace rollwright {

void Rollwright::Roll() {
  rolls.reserve(static_cast<size_t>(sets));
  for (int32_t set = 0; set < sets; ++set) RollSet();
}

void Rollwright::RollSet() {
  d20Groups = 0;
  rolls.push_back(DiceRoll{});
  WalkExpression(expression, *this);
}

void Rollwright::ApplyOperator(int32_t& acc, int32_t right, Operator op) {
  if (IsZeroOperand(acc, right, op)) {
    throw DiceError(DiceError::InvalidOperand);
  }
  acc = op == OpDice ? RollDice(acc, right)
                     : SaturatingArithmetic(op, acc, right);
}

void Rollwright::AddToTotal(int32_t value, Operator sign) {
  if (sign == OpDice) throw DiceError(DiceError::InvalidOperand);
  int32_t& total = rolls.back().total;
  total = SaturatingArithmetic(sign, total, value);
}

// A twenty on the first die of the set's first twenty-sided group is a
// critical failure; it stays set for the rest of the set. The thread's
// generator is read once for the group and written back once.
int32_t Rollwright::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) throw DiceError(*broken);
  count = DiceRolled(count);
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  const auto faces = static_cast<uint32_t>(sides);
  uint32_t state = NextState(LoadRandomState());
  uint32_t sum = OutputOf(state) % faces + 1;
  if (criticalGroup && static_cast<int32_t>(sum) == kCriticalFace) {
    rolls.back().criticalFailure = true;
  }
  for (int32_t i = 1; i < count; ++i) {
    state = NextState(state);
    sum += OutputOf(state) % faces + 1;
  }
  StoreRandomState(state);
  return static_cast<int32_t>(sum);  // at most 100 × 500
}

}  // namespace rollwright
