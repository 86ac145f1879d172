#include "host/error_messages.h"

namespace rollwright {
namespace {

// Indexed by Rollwright::DiceError::Code.
constexpr const char* kMessages[] = {
    "Dice Error: Maximum of 30 sets of dice!",
    "Dice Error: Maximum of 100 dice per dice group!",
    "Dice Error: Maximum of 500 sides per die!",
    "Dice Error: Illegal characters in input!",
    "Dice Error: Invalid operand in dice commands!",
};
static_assert(sizeof kMessages / sizeof kMessages[0] ==
              Rollwright::DiceError::InvalidOperand + 1);

}  // namespace

const char* ErrorMessage(Rollwright::DiceError::Code code) {
  return kMessages[code];
}

}  // namespace rollwright
