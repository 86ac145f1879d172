#include "odds/odds.h"

#include "dice/expression_walk.h"

namespace rollwright {

Odds::Odds(const String& expression) { WalkExpression(expression, *this); }

// total and acc are independent, so the outcomes that fail here carry the
// failing mass of acc times the mass of total.
void Odds::ApplyOperator(Distribution& acc, int32_t right, Operator op) {
  double zero = acc.RemoveIf(
      [right, op](int32_t value) { return IsZeroOperand(value, right, op); });
  Fail(Code::InvalidOperand, zero * total.TotalMass());
  if (op == OpDice) {
    acc = RollDice(acc, right);
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
  total = Distribution::Combine(total, term, sign);
}

// counts holds the group's dice count (a number written in the expression);
// the limits and the critical rule are the module's.
Distribution Odds::RollDice(const Distribution& counts, int32_t sides) {
  Distribution sum;
  for (const auto& [count, mass] : counts.Totals()) {
    DiceLimit broken = LimitBroken(count, sides);
    if (broken != DiceLimit::kWithin) {
      Fail(Rollwright::ErrorOf(broken), mass.Both() * total.TotalMass());
      continue;
    }
    if (sides == 20) ++d20Groups;
    Distribution group = Distribution::Dice(DiceRolled(count), sides,
                                            IsCriticalGroup(sides, d20Groups));
    sum.AddScaled(group, mass.Both());
  }
  return sum;
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

}  // namespace rollwright
