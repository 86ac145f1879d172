// SPDX-License-Identifier: MIT
// The character classes of a request. Comparisons are byte for byte:
// only lower-case 'd' names a die.
#ifndef ROLLWRIGHT_DICE_CHARACTERS_H_
#define ROLLWRIGHT_DICE_CHARACTERS_H_

#include <cstdint>

namespace rollwright {

// The operator codes of an expression; every other character ends it.
enum Operator : int32_t {
  OpEnd = 0,
  OpDice = 1,
  OpPlus = 2,
  OpMinus = 3,
  OpTimes = 4,
};

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline bool IsOperator(char c) {
  return c == 'd' || c == '+' || c == '-' || c == '*';
}

inline bool IsLegal(char c) { return IsDigit(c) || IsOperator(c); }

// A byte that continues a UTF-8 character: text cut before one would split
// that character in two.
inline bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

inline Operator OperatorOf(char c) {
  switch (c) {
    case 'd':
      return OpDice;
    case '+':
      return OpPlus;
    case '-':
      return OpMinus;
    case '*':
      return OpTimes;
    default:
      return OpEnd;
  }
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_CHARACTERS_H_
