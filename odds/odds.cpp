// SPDX-License-Identifier: MIT
#include "odds/odds.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <numeric>
#include <utility>

#include "dice/expression_walk.h"
#include "dice/rules.h"

namespace rollwright {
namespace {

using Mass = Distribution::Mass;

// Work past the budget, for a coarse term built whole after all: one group
// and its operands, a few million steps.
constexpr int64_t kSpareWork = std::numeric_limits<int64_t>::max() / 4;
// A sum that spans more totals than this gathers its terms: added one by one
// to a total that grows with each, they would cost many times more.
constexpr int64_t kGatheredSpan = int64_t{1} << 18;

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
  AddGathered();
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
  if (!acc.Empty())
    acc = StandIn(acc.Lowest(), acc.Highest(), acc.MassBetween(0, acc.Size()));
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
  if (!coarse && Gathers(term, sign)) {
    gathered.push_back({term, sign == OpMinus});
    alive *= term.TotalMass();
    return;
  }
  AddGathered();
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
  Fold(term, sign);
  alive *= term.TotalMass();
}

void Odds::Fold(const Distribution& term, Operator sign) {
  if (steps.empty()) {
    try {
      if (term.Size() == 1) {
        total.CombineWithOne(sign, term, budget);
      } else {
        total = Distribution::Combine(total, term, sign, budget);
      }
      return;
    } catch (const Distribution::PastBounds&) {
    }
  }
  steps.push_back({sign, term, false});
}

bool Odds::Gathers(const Distribution& term, Operator sign) const {
  if ((sign != OpPlus && sign != OpMinus) || !steps.empty() || term.Empty() ||
      total.Empty()) {
    return false;
  }
  return !gathered.empty() || total.Span() + term.Span() > kGatheredSpan;
}

// In any order when no partial sum can saturate: the sum of the largest
// magnitudes stays in the range.
void Odds::AddGathered() {
  if (gathered.empty()) return;
  std::vector<Part> parts;
  parts.push_back({std::move(total), false});
  parts.insert(parts.end(), std::make_move_iterator(gathered.begin()),
               std::make_move_iterator(gathered.end()));
  gathered.clear();
  const int64_t reach = std::accumulate(
      parts.begin(), parts.end(), int64_t{0},
      [](int64_t sum, const Part& part) {
        return sum + std::max(std::abs(int64_t{part.totals.Lowest()}),
                              std::abs(int64_t{part.totals.Highest()}));
      });
  if (reach <= std::numeric_limits<int32_t>::max()) {
    SumInAnyOrder(std::move(parts));
    return;
  }
  total = std::move(parts.front().totals);
  for (size_t i = 1; i < parts.size(); ++i) {
    Fold(parts[i].totals, parts[i].negated ? OpMinus : OpPlus);
  }
}

// The two parts of fewest totals first, each sum a part again (negated when
// both were); past the budget, the largest part that is not negated is the
// totals and the others are steps.
void Odds::SumInAnyOrder(std::vector<Part> parts) {
  const int64_t span = std::accumulate(
      parts.begin(), parts.end(), int64_t{0},
      [](int64_t sum, const Part& part) { return sum + part.totals.Span(); });
  const bool trim = span > Distribution::kMaxDenseRange;
  auto larger = [](const Part& p, const Part& q) {
    return p.totals.Size() > q.totals.Size();
  };
  std::make_heap(parts.begin(), parts.end(), larger);
  while (parts.size() > 1) {
    std::pop_heap(parts.begin(), parts.end(), larger);
    Part a = std::move(parts.back());
    parts.pop_back();
    std::pop_heap(parts.begin(), parts.end(), larger);
    Part b = std::move(parts.back());
    parts.pop_back();
    if (a.negated && !b.negated) std::swap(a, b);
    try {
      const Operator op = a.negated == b.negated ? OpPlus : OpMinus;
      Part sum{Distribution::Combine(a.totals, b.totals, op, budget, trim),
               a.negated};
      trimmed = trimmed || sum.totals.Lumped();
      parts.push_back(std::move(sum));
    } catch (const Distribution::PastBounds&) {
      parts.push_back(std::move(a));
      parts.push_back(std::move(b));
      break;
    }
    std::push_heap(parts.begin(), parts.end(), larger);
  }
  auto whole = std::max_element(
      parts.begin(), parts.end(), [](const Part& p, const Part& q) {
        return std::make_pair(!p.negated, p.totals.Size()) <
               std::make_pair(!q.negated, q.totals.Size());
      });
  total = std::move(whole->totals);
  for (auto part = parts.begin(); part != parts.end(); ++part) {
    if (part == whole) continue;
    steps.push_back(
        {part->negated ? OpMinus : OpPlus, std::move(part->totals), false});
  }
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
      const Distribution die =
          Distribution::Dice(1, sides, criticalGroup, spare);
      return StandIn(rolled, rolled * sides, die.MassBetween(0, die.Size()));
    }
  }
  return lastRolled.sum;
}

void Odds::Fail(Code code, double mass) {
  if (mass > 0) errors[code] += mass;
}

}  // namespace rollwright
