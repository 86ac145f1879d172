// SPDX-License-Identifier: MIT
#include "dice/dice_error.h"

#include <algorithm>
#include <iterator>

#include "dice/limits.h"

namespace rollwright {
namespace {

// Each message states the limit it is about, as dice/limits.h holds it.
constexpr auto kMessageStart = FixedText(kErrorPrefix) + " ";
constexpr auto kTooManySets =
    kMessageStart + "Maximum of " + Decimal<kMaxSets>() + " sets of dice!";
constexpr auto kTooManyDice = kMessageStart + "Maximum of " +
                              Decimal<kMaxDice>() + " dice per dice group!";
constexpr auto kTooManySides =
    kMessageStart + "Maximum of " + Decimal<kMaxSides>() + " sides per die!";
constexpr auto kIllegalCharacter =
    kMessageStart + "Illegal characters in input!";
constexpr auto kInvalidOperand =
    kMessageStart + "Invalid operand in dice commands!";

// Indexed by DiceError::Code.
constexpr const char* kMessages[] = {
    kTooManySets.chars,      kTooManyDice.chars,    kTooManySides.chars,
    kIllegalCharacter.chars, kInvalidOperand.chars,
};
static_assert(sizeof kMessages / sizeof kMessages[0] == DiceError::kCodes);

}  // namespace

const char* ErrorMessage(DiceError::Code code) { return kMessages[code]; }

bool IsErrorMessage(std::string_view reply) {
  if (!reply.starts_with(kErrorPrefix)) return false;
  return reply == kOutOfMemoryMessage.View() ||
         std::any_of(
             std::begin(kMessages), std::end(kMessages),
             [reply](std::string_view message) { return reply == message; });
}

}  // namespace rollwright
