#include "host/error_messages.h"

namespace rollwright {

const char* ErrorMessage(Rollwright::DiceError::Code code) {
  using Code = Rollwright::DiceError::Code;
  switch (code) {
    case Code::TooManySets:
      return "Dice Error: Maximum of 30 sets of dice!";
    case Code::TooManyDice:
      return "Dice Error: Maximum of 100 dice per dice group!";
    case Code::TooManySides:
      return "Dice Error: Maximum of 500 sides per die!";
    case Code::IllegalCharacter:
      return "Dice Error: Illegal characters in input!";
    case Code::InvalidOperand:
      return "Dice Error: Invalid operand in dice commands!";
  }
  return "Dice Error: Invalid operand in dice commands!";
}

}  // namespace rollwright
