// SPDX-License-Identifier: MIT
// The exact chances of one set of an expression: the module's own walk over
// the expression, over distributions instead of numbers. Draws are treated as
// independent; each face has the generator's exact chance.
//
// An outcome that the module would answer with an error is counted under that
// error's code; its mass is missing from Totals(). Throws
// Distribution::TooManyOutcomes when the work would be too large: beyond the
// bounds of one step, or kMaxWork steps in all, however long the expression.
// Not copied.
#ifndef ROLLWRIGHT_ODDS_ODDS_H_
#define ROLLWRIGHT_ODDS_ODDS_H_

#include <cstdint>
#include <map>

#include "dice/roll_request.h"
#include "odds/distribution.h"
#include "odds/work_budget.h"
#include "text/string.h"

namespace rollwright {

class Odds {
 public:
  using Code = Rollwright::DiceError::Code;

  // About half a second of work on a current desktop machine, in
  // Distribution's steps of cost.
  static constexpr int64_t kMaxWork = 60000000;

  // With a slower build's work divisor, kMaxWork / workDivisor steps.
  explicit Odds(const String& expression, int64_t workDivisor = 1);
  Odds(const Odds&) = delete;
  Odds& operator=(const Odds&) = delete;

  const Distribution& Totals() const { return total; }
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
  Distribution RollDice(int32_t count, int32_t sides);
  void Fail(Code code, double mass);

  WorkBudget budget;
  Distribution total = Distribution::Point(0);
  int32_t d20Groups = 0;
  std::map<Code, double> errors;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_ODDS_H_
