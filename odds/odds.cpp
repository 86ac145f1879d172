// SPDX-License-Identifier: MIT
#include "odds/odds.h"

#include "dice/expression_walk.h"
#include "dice/rules.h"

namespace rollwright {

Odds::Odds(const String& expression, int64_t workDivisor)
    : maxWork(kMaxWork / workDivisor) {
  WalkExpression(expression, *this);
}

// total and acc are independent, so the outcomes that fail here carry the
// failing mass of acc times the mass of total.
void Odds::ApplyOperator(Distribution& acc, int32_t right, Operator op) {
  Spend(acc.ApplyCost());
  double zero = acc.RemoveIf(
      [right, op](int32_t value) { return IsZeroOperand(value, right, op); });
  Fail(Code::InvalidOperand, zero * total.TotalMass());
  if (acc.Totals().empty()) return;
  if (op == OpDice) {
    // The walk opens a term with the number before 'd', so a group's count
    // is that one certain value.
    acc = RollDice(acc.Totals().begin()->first, right);
  } else {
    acc.Apply(op, right);
  }
}

void Odds::AddToTotal(const Distribution& term, Operator sign) {
  if (sign == OpDice) {
    Fail(Code::InvalidOperand, term.TotalMass() * total.TotalMass());
    total = Distribution();
    return;
  }
  Spend(Distribution::CombineCost(total, term, sign));
  total = Distribution::Combine(total, term, sign);
}

// The limits and the critical rule are the module's.
Distribution Odds::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) {
    Fail(*broken, total.TotalMass());
    return {};
  }
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  Spend(Distribution::DiceCost(DiceRolled(count), sides));
  return Distribution::Dice(DiceRolled(count), sides, criticalGroup);
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

void Odds::Spend(int64_t steps) {
  work += steps;
  if (work > maxWork) throw Distribution::TooManyOutcomes();
}

}  // namespace rollwright
