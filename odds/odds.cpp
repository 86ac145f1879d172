// SPDX-License-Identifier: MIT
#include "odds/odds.h"

#include "dice/expression_walk.h"
#include "dice/rules.h"

namespace rollwright {

Odds::Odds(const String& expression, int64_t workDivisor)
    : budget(kMaxWork / workDivisor) {
  WalkExpression(expression, *this);
}

// total and acc are independent, so the outcomes that fail here carry the
// failing mass of acc times the mass of total.
void Odds::ApplyOperator(Distribution& acc, int32_t right, Operator op) {
  double zero = acc.ApplyOperand(op, right, budget);
  Fail(Code::InvalidOperand, zero * total.TotalMass());
  if (op == OpDice && !acc.Totals().empty()) {
    // The walk opens a term with the number before 'd', so a group's count
    // is that one certain value.
    acc = RollDice(acc.Totals().begin()->first, right);
  }
}

void Odds::AddToTotal(const Distribution& term, Operator sign) {
  if (sign == OpDice) {
    Fail(Code::InvalidOperand, term.TotalMass() * total.TotalMass());
    total = Distribution();
    return;
  }
  total = Distribution::Combine(total, term, sign, budget);
}

// The limits and the critical rule are the module's.
Distribution Odds::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) {
    Fail(*broken, total.TotalMass());
    return {};
  }
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  return Distribution::Dice(DiceRolled(count), sides, criticalGroup, budget);
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

}  // namespace rollwright
