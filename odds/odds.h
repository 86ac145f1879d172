// SPDX-License-Identifier: MIT
// The exact chances of one set of an expression: the module's own walk over
// the expression, over distributions instead of numbers. Draws are treated as
// independent; each face has the generator's exact chance.
//
// The running total is built whole while it fits (Distribution's bounds and
// kMaxWork steps in all); from the first term that it cannot take on, each
// term is kept as a step of a fold, T := T op term, for FoldQuery to answer
// questions about the totals without listing them.
//
// A run of sums and differences of large terms is gathered first and added
// up in any order, the smallest pairs first (the terms are independent and
// no partial sum can reach the ends of the 32-bit range, where the order
// would matter), with their tails trimmed when the whole sum is too wide to
// build (Distribution::Combine).
//
// A term that cannot be built within the budget (the budget is spent on the
// terms before it) is kept coarse: a step that knows only the term's lowest
// and highest totals and its exact mass, which FoldQuery bounds as one
// bucket. Where the term's chance of a zero decides an error or a product's
// sign, it is built whole after all.
//
// An outcome that the module would answer with an error is counted under that
// error's code; its mass is missing from the totals. Not copied.
#ifndef ROLLWRIGHT_ODDS_ODDS_H_
#define ROLLWRIGHT_ODDS_ODDS_H_

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "dice/roll_request.h"
#include "odds/distribution.h"
#include "odds/work_budget.h"
#include "text/string.h"

namespace rollwright {

class Odds {
 public:
  using Code = Rollwright::DiceError::Code;
  // A term folded into the totals: T := T op group (saturating).
  // A coarse step's group stands for totals between its lowest and highest
  // of its mass (FoldQuery).
  struct Step {
    Operator op;
    Distribution group;
    bool coarse = false;
  };

  // About a second of work on a current desktop machine, in Distribution's
  // steps of cost: room for some 150 of the largest groups, and their sum.
  static constexpr int64_t kMaxWork = 500000000;
  // About half a second of lookups in the whole part for the questions about
  // the totals (FoldQuery).
  static constexpr int64_t kMaxEvaluations = 100000000;

  // With a slower build's work divisor, kMaxWork / workDivisor steps.
  explicit Odds(const String& expression, int64_t workDivisor = 1);
  Odds(const Odds&) = delete;
  Odds& operator=(const Odds&) = delete;

  // The totals built whole, before the steps.
  const Distribution& Totals() const { return total; }
  const std::vector<Step>& Steps() const { return steps; }
  // Whether the totals are all in Totals(), each with its own chance.
  bool Whole() const { return steps.empty() && !trimmed; }
  // The mass of the outcomes that are totals.
  double TotalMass() const { return alive; }
  const std::map<Code, double>& Errors() const { return errors; }
  bool HasTwentySidedGroup() const { return d20Groups > 0; }

 private:
  template <class Evaluator>
  friend void WalkExpression(const String& expression, Evaluator& evaluator);
  // A member, as the walk asks each evaluator for its numbers.
  // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
  Distribution Number(int32_t value) const {
    return Distribution::Point(value);
  }
  void ApplyOperator(Distribution& acc, int32_t right, Operator op);
  void AddToTotal(const Distribution& term, Operator sign);
  // term op'd into the totals whole, or kept as a step.
  void Fold(const Distribution& term, Operator sign);
  bool Gathers(const Distribution& term, Operator sign) const;
  // The gathered terms added to the totals.
  void AddGathered();
  struct Part {
    Distribution totals;
    bool negated;
  };
  void SumInAnyOrder(std::vector<Part> parts);
  Distribution RollDice(int32_t count, int32_t sides);
  void Fail(Code code, double mass);
  // The term as a stand-in of its range and mass; built whole again, past
  // the budget, from the group and the operands it was made of.
  void Coarsen(Distribution& acc);
  Distribution Rebuilt() const;

  WorkBudget budget;
  Distribution total = Distribution::Point(0);
  std::vector<Step> steps;
  // Terms to add to the totals (negated: to subtract), kept until the run of
  // sums ends.
  std::vector<Part> gathered;
  bool trimmed = false;  // some tails of the totals were trimmed
  double alive = 1;      // the mass of the totals
  int32_t d20Groups = 0;
  std::map<Code, double> errors;
  // The last group rolled, as requests repeat one.
  struct Rolled {
    int32_t count = 0;
    int32_t sides = 0;
    bool critical = false;
    Distribution sum;
  } lastRolled;
  // The term being read: its group, the operands applied to it so far, and
  // whether it is coarse.
  struct Term {
    int32_t count = 0;
    int32_t sides = 0;
    bool critical = false;
    std::vector<std::pair<Operator, int32_t>> operands;
    bool coarse = false;
  } reading;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_ODDS_H_
