// SPDX-License-Identifier: MIT
// The one left-to-right pass over an expression, without precedence, shared
// by rolling (over numbers) and by the odds (over distributions).
//
//   expression = number { operator number }     a number may be empty
//   operator   = "d" | "+" | "-" | "*"
//
// Each number directly followed by 'd' is a dice count and opens a new term;
// the operator in front of it is the term's sign. Inside a term operators
// apply strictly left to right onto the accumulator («3d6+2*2» is
// (3d6 + 2) * 2). A term is folded into the total when the next term opens or
// the expression ends. A bare number is a term too.
//
// An Evaluator supplies Value Number(int32_t), ApplyOperator(Value& acc,
// int32_t right, Operator op) and AddToTotal(const Value& term, Operator sign).
#ifndef ROLLWRIGHT_DICE_EXPRESSION_WALK_H_
#define ROLLWRIGHT_DICE_EXPRESSION_WALK_H_

#include <cstdint>

#include "dice/characters.h"
#include "dice/saturating.h"
#include "text/string.h"

namespace rollwright {

// Reads the run of digits at pos into value (0 when there are none) and
// leaves pos on the first character that is not a digit.
inline void ReadNumber(const String& expression, int32_t& pos, int32_t& value) {
  value = 0;
  for (; IsDigit(expression[pos]); ++pos) {
    value = AppendDigit(value, expression[pos]);
  }
}

template <class Evaluator>
void WalkExpression(const String& expression, Evaluator& evaluator) {
  int32_t pos = 0;
  int32_t number = 0;
  Operator pending = OpPlus;
  ReadNumber(expression, pos, number);
  auto acc = evaluator.Number(number);
  Operator op = OperatorOf(expression[pos]);
  if (op == OpEnd) evaluator.AddToTotal(acc, pending);
  while (op != OpEnd) {
    ++pos;
    ReadNumber(expression, pos, number);
    Operator next = OperatorOf(expression[pos]);
    if (next == OpDice) {
      // number is the count of a new group: the finished term is folded in
      // without the zero check, so «3-3+2d6» and «-2d6» work.
      evaluator.AddToTotal(acc, pending);
      pending = op;
      acc = evaluator.Number(number);
    } else {
      evaluator.ApplyOperator(acc, number, op);
      if (next == OpEnd) evaluator.AddToTotal(acc, pending);
    }
    op = next;
  }
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_EXPRESSION_WALK_H_
