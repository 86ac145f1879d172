// Evaluation: one left-to-right pass without precedence.
//
//   expression = number { operator number }     a number may be empty
//   operator   = "d" | "+" | "-" | "*"
//
// Each number directly followed by 'd' is a dice count and opens a new term;
// the operator in front of it is the term's sign. Inside a term operators
// apply strictly left to right onto the accumulator («3d6+2*2» is
// (3d6 + 2) * 2). A term is folded into the total when the next term opens or
// the expression ends: '+' adds it, '-' subtracts it, '*' multiplies the
// total by it, and 'd' («2d6d4») is an invalid operand.
#include "dice/random.h"
#include "dice/rollwright.h"
#include "dice/saturating.h"

namespace rollwright {

inline constexpr int32_t kMaxDice = 100;
inline constexpr int32_t kMaxSides = 500;

void Rollwright::Roll() {
  rolls.reserve(static_cast<size_t>(sets));
  for (int32_t set = 0; set < sets; ++set) RollSet();
}

void Rollwright::RollSet() {
  d20Groups = 0;
  rolls.push_back(DiceRoll{});
  int32_t pos = 0;
  int32_t acc = 0;
  int32_t right = 0;
  Operator pending = OpPlus;
  ReadNumber(pos, acc);
  Operator op = OperatorOf(expression[pos]);
  if (op == OpEnd) AddToTotal(acc, pending);  // a bare number counts
  while (op != OpEnd) {
    ++pos;
    ReadNumber(pos, right);
    Operator next = OperatorOf(expression[pos]);
    if (next == OpDice) {
      // right is the count of a new group: the finished term is folded in
      // without the zero check, so «3-3+2d6» and «-2d6» work.
      AddToTotal(acc, pending);
      pending = op;
      acc = right;
    } else {
      ApplyOperator(acc, right, op);
      if (next == OpEnd) AddToTotal(acc, pending);
    }
    op = next;
  }
}

void Rollwright::ReadNumber(int32_t& pos, int32_t& value) const {
  value = 0;
  for (; IsDigit(expression[pos]); ++pos) {
    value = AppendDigit(value, expression[pos]);
  }
}

void Rollwright::ApplyOperator(int32_t& acc, int32_t right, Operator op) {
  if ((acc == 0 && op != OpDice) || right == 0) {
    throw DiceError(DiceError::InvalidOperand);
  }
  if (op == OpDice) {
    acc = RollDice(acc, right);
  } else if (op == OpPlus) {
    acc = SaturatingAdd(acc, right);
  } else if (op == OpMinus) {
    acc = SaturatingSubtract(acc, right);
  } else {  // OpTimes: the pass never applies OpEnd
    acc = SaturatingMultiply(acc, right);
  }
}

void Rollwright::AddToTotal(int32_t value, Operator sign) {
  int32_t& total = rolls.back().total;
  switch (sign) {
    case OpPlus:
      total = SaturatingAdd(total, value);
      break;
    case OpMinus:
      total = SaturatingSubtract(total, value);
      break;
    case OpTimes:
      total = SaturatingMultiply(total, value);
      break;
    case OpDice:
    case OpEnd:
      throw DiceError(DiceError::InvalidOperand);
  }
}

// A twenty on the first die of the set's first twenty-sided group is a
// critical failure; it stays set for the rest of the set.
int32_t Rollwright::RollDice(int32_t count, int32_t sides) {
  if (count > kMaxDice) throw DiceError(DiceError::TooManyDice);
  if (sides > kMaxSides) throw DiceError(DiceError::TooManySides);
  if (count == 0) count = 1;  // «d6» and «0d6» roll one die
  if (sides == 20) ++d20Groups;
  int32_t sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    sum += RandomNext() % sides + 1;
    if (i == 0 && sides == 20 && sum == 20 && d20Groups == 1) {
      rolls.back().criticalFailure = true;
    }
  }
  return sum;
}

}  // namespace rollwright
