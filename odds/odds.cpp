// SPDX-License-Identifier: MIT
#include "odds/odds.h"

#include <utility>

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
  Fail(Code::InvalidOperand, zero * TotalMass());
  if (op == OpDice && !acc.Empty()) {
    // The walk opens a term with the number before 'd', so a group's count
    // is that one certain value.
    acc = RollDice(acc.Lowest(), right);
  }
}

// Once the totals cannot be built whole, every later term is a step.
void Odds::AddToTotal(const Distribution& term, Operator sign) {
  if (sign == OpDice) {
    Fail(Code::InvalidOperand, term.TotalMass() * TotalMass());
    total = Distribution();
    steps.clear();
    alive = 0;
    return;
  }
  if (steps.empty()) {
    try {
      if (term.Size() == 1) {
        total.CombineWithOne(sign, term, budget);
      } else {
        total = Distribution::Combine(total, term, sign, budget);
      }
      alive *= term.TotalMass();
      return;
    } catch (const Distribution::TooManyOutcomes&) {
    }
  }
  steps.push_back({sign, term});
  alive *= term.TotalMass();
}

// The limits and the critical rule are the module's. Nothing is rolled once
// no outcome is left.
Distribution Odds::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) {
    Fail(*broken, TotalMass());
    return {};
  }
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  if (TotalMass() <= 0) return {};
  const int32_t rolled = DiceRolled(count);
  if (lastRolled.sum.Empty() || lastRolled.count != rolled ||
      lastRolled.sides != sides || lastRolled.critical != criticalGroup) {
    lastRolled = {rolled, sides, criticalGroup,
                  Distribution::Dice(rolled, sides, criticalGroup, budget)};
  }
  return lastRolled.sum;
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

}  // namespace rollwright
