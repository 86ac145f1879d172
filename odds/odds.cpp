// SPDX-License-Identifier: MIT
#include "odds/odds.h"

#include <limits>
#include <utility>

#include "dice/expression_walk.h"
#include "dice/rules.h"

namespace rollwright {
namespace {

using Mass = Distribution::Mass;

// Work past the budget, for a coarse term built whole after all: one group
// and its operands, a few million steps.
constexpr int64_t kSpareWork = std::numeric_limits<int64_t>::max() / 4;

Mass MassOfAll(const Distribution& of) {
  Mass sum;
  for (const auto& [total, mass] : of) {
    sum.plain += mass.plain;
    sum.critical += mass.critical;
  }
  return sum;
}

// Totals from low to high of the given mass: the mass on low, as only the
// ends and the mass of a coarse term are read.
Distribution StandIn(int32_t low, int32_t high, Mass mass) {
  Distribution standIn;
  standIn.Append(low, mass);
  if (high != low) standIn.Append(high, {});
  return standIn;
}

bool HoldsZero(const Distribution& term) {
  return !term.Empty() && term.Lowest() <= 0 && term.Highest() >= 0;
}

}  // namespace

Odds::Odds(const String& expression, int64_t workDivisor)
    : budget(kMaxWork / workDivisor) {
  WalkExpression(expression, *this);
}

// total and acc are independent, so the outcomes that fail here carry the
// failing mass of acc times the mass of total. A coarse term's ends move as
// every total does; only its chance of a zero is not known, so a term that
// may hold one is built whole first.
void Odds::ApplyOperator(Distribution& acc, int32_t right, Operator op) {
  if (op == OpDice) {
    Fail(Code::InvalidOperand, acc.ApplyOperand(op, right, budget) * alive);
    // The walk opens a term with the number before 'd', so a group's count
    // is that one certain value.
    if (!acc.Empty()) acc = RollDice(acc.Lowest(), right);
    return;
  }
  if (!reading.coarse) {
    try {
      Fail(Code::InvalidOperand, acc.ApplyOperand(op, right, budget) * alive);
      reading.operands.emplace_back(op, right);
      return;
    } catch (const Distribution::PastBounds&) {
      Coarsen(acc);
    }
  }
  if (right != 0 && HoldsZero(acc)) {
    acc = Rebuilt();
    reading.coarse = false;
  }
  WorkBudget spare(kSpareWork);
  Fail(Code::InvalidOperand, acc.ApplyOperand(op, right, spare) * alive);
  reading.operands.emplace_back(op, right);
}

void Odds::Coarsen(Distribution& acc) {
  if (!acc.Empty()) acc = StandIn(acc.Lowest(), acc.Highest(), MassOfAll(acc));
  reading.coarse = true;
}

// The group and its operands again, with their removed masses already
// counted.
Distribution Odds::Rebuilt() const {
  WorkBudget spare(kSpareWork);
  Distribution whole =
      Distribution::Dice(reading.count, reading.sides, reading.critical, spare);
  for (const auto& [op, right] : reading.operands) {
    whole.ApplyOperand(op, right, spare);
  }
  return whole;
}

// Once the totals cannot be built whole, every later term is a step; a
// coarse term is one too, built whole when it is a factor that may be zero
// (its sign decides how a product moves).
void Odds::AddToTotal(const Distribution& term, Operator sign) {
  const bool coarse = reading.coarse && !term.Empty();
  reading.coarse = false;
  if (sign == OpDice) {
    Fail(Code::InvalidOperand, term.TotalMass() * TotalMass());
    total = Distribution();
    steps.clear();
    alive = 0;
    return;
  }
  if (coarse) {
    if (sign == OpTimes && HoldsZero(term)) {
      steps.push_back({sign, Rebuilt(), false});
    } else {
      steps.push_back({sign, term, true});
    }
    alive *= term.TotalMass();
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
    } catch (const Distribution::PastBounds&) {
    }
  }
  steps.push_back({sign, term, false});
  alive *= term.TotalMass();
}

// The limits and the critical rule are the module's. Nothing is rolled once
// no outcome is left; a group past the budget is coarse, of a die's mass.
Distribution Odds::RollDice(int32_t count, int32_t sides) {
  if (auto broken = LimitBroken(count, sides)) {
    Fail(*broken, TotalMass());
    return {};
  }
  const bool criticalGroup = CountCriticalGroup(sides, d20Groups);
  if (TotalMass() <= 0) return {};
  const int32_t rolled = DiceRolled(count);
  reading = {rolled, sides, criticalGroup, {}, false};
  if (lastRolled.sum.Empty() || lastRolled.count != rolled ||
      lastRolled.sides != sides || lastRolled.critical != criticalGroup) {
    try {
      lastRolled = {rolled, sides, criticalGroup,
                    Distribution::Dice(rolled, sides, criticalGroup, budget)};
    } catch (const Distribution::PastBounds&) {
      WorkBudget spare(kSpareWork);
      reading.coarse = true;
      return StandIn(
          rolled, rolled * sides,
          MassOfAll(Distribution::Dice(1, sides, criticalGroup, spare)));
    }
  }
  return lastRolled.sum;
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

}  // namespace rollwright
