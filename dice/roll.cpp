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

void Rollwright::Observe(RollObserver& watcher) {
  observer = &watcher;
  observer->Read(sets, expression, skill, comment);
}

void Rollwright::Roll() {
  rolls.reserve(static_cast<size_t>(sets));
  for (int32_t set = 0; set < sets; ++set) RollSet();
}

const DiceRoll& Rollwright::RollAnotherSet() {
  rolls.clear();
  RollSet();
  return rolls.back();
}

void Rollwright::RollSet() {
  d20Groups = 0;
  rolls.push_back(DiceRoll{});
  if (observer != nullptr) observer->SetStarted();
  WalkExpression(expression, *this);
  if (observer != nullptr) observer->SetEnded(rolls.back());
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

// Rolls a group: without an observer its faces are only summed, and the
// module, which has none, pays nothing for them.
int32_t Rollwright::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) throw DiceError(*broken);
  count = DiceRolled(count);
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  if (observer == nullptr) {
    return static_cast<int32_t>(
        DrawGroup(count, sides, criticalGroup, [](uint32_t) {}));
  }
  observer->GroupStarted(sides, count);
  return static_cast<int32_t>(DrawGroup(
      count, sides, criticalGroup,
      [this](uint32_t face) { observer->Face(static_cast<int32_t>(face)); }));
}

// A twenty on the first die of the set's first twenty-sided group is a
// critical failure; it stays set for the rest of the set. The thread's
// generator is read once for the group and written back once. seeFace sees
// each face as it is drawn. The sum is at most 100 × 500.
template <class SeeFace>
uint32_t Rollwright::DrawGroup(int32_t count, int32_t sides, bool criticalGroup,
                               SeeFace seeFace) {
  const auto faces = static_cast<uint32_t>(sides);
  uint32_t state = NextState(LoadRandomState());
  uint32_t sum = OutputOf(state) % faces + 1;
  seeFace(sum);
  if (criticalGroup && static_cast<int32_t>(sum) == kCriticalFace) {
    rolls.back().criticalFailure = true;
  }
  for (int32_t i = 1; i < count; ++i) {
    state = NextState(state);
    const uint32_t face = OutputOf(state) % faces + 1;
    seeFace(face);
    sum += face;
  }
  StoreRandomState(state);
  return sum;
}

}  // namespace rollwright
