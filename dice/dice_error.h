// SPDX-License-Identifier: MIT
// The one failure of a request, its codes, and the fixed reply that stands
// in for a sentence when a request fails with each: one table that the
// module, the odds, the tool and the tests all read.
#ifndef ROLLWRIGHT_DICE_DICE_ERROR_H_
#define ROLLWRIGHT_DICE_DICE_ERROR_H_

#include <cstdint>
#include <string_view>

#include "text/fixed_text.h"

namespace rollwright {

// Thrown by value where the fault is found (Rollwright::DiceError). A plain
// value.
class DiceError {
 public:
  enum Code : int32_t {
    TooManySets,
    TooManyDice,
    TooManySides,
    IllegalCharacter,
    InvalidOperand,
  };
  static constexpr int32_t kCodes = InvalidOperand + 1;

  explicit DiceError(Code raised) : code(raised) {}
  Code code;
};

// The words every fixed reply starts with, and no sentence does.
inline constexpr char kErrorPrefix[] = "Dice Error:";

// The reply for a DiceError of this code.
const char* ErrorMessage(DiceError::Code code);

// The reply when a request cannot get the memory it needs.
inline constexpr auto kOutOfMemoryMessage =
    FixedText(kErrorPrefix) + " Out of memory!";

// Whether reply is one of the fixed replies above.
bool IsErrorMessage(std::string_view reply);

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_DICE_ERROR_H_
