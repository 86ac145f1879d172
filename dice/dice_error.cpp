// SPDX-License-Identifier: MIT
#include "dice/dice_error.h"

#include <algorithm>
#include <iterator>

namespace rollwright {
namespace {

// Indexed by DiceError::Code.
constexpr const char* kMessages[] = {
    "Dice Error: Maximum of 30 sets of dice!",
    "Dice Error: Maximum of 100 dice per dice group!",
    "Dice Error: Maximum of 500 sides per die!",
    "Dice Error: Illegal characters in input!",
    "Dice Error: Invalid operand in dice commands!",
};
static_assert(sizeof kMessages / sizeof kMessages[0] == DiceError::kCodes);

}  // namespace

const char* ErrorMessage(DiceError::Code code) { return kMessages[code]; }

bool IsErrorMessage(std::string_view reply) {
  return reply == kOutOfMemoryMessage ||
         std::any_of(
             std::begin(kMessages), std::end(kMessages),
             [reply](std::string_view message) { return reply == message; });
}

}  // namespace rollwright
