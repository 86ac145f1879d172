// The request object of one DiceMain call: built from the host's buffer
// (which construction edits in place), rolled once, written once, destroyed.
// It is neither copied nor moved, and it is used by one thread only.
#ifndef ROLLWRIGHT_DICE_ROLLWRIGHT_H_
#define ROLLWRIGHT_DICE_ROLLWRIGHT_H_

#include <cstdint>
#include <vector>

#include "dice/characters.h"
#include "dice/dice_roll.h"
#include "dice/rules.h"
#include "text/string.h"

namespace rollwright {

// A reply takes at most this many bytes of the buffer, the NUL included.
inline constexpr int32_t ReplyCapacity = 900;

class Rollwright {
 public:
  // The one failure of a request, thrown by value where the fault is found.
  class DiceError {
   public:
    enum Code : int32_t {
      TooManySets,
      TooManyDice,
      TooManySides,
      IllegalCharacter,
      InvalidOperand,
    };
    explicit DiceError(Code raised) : code(raised) {}
    Code code;
  };

  // Reads the set count, expression, skill clause and comment; the set-count
  // prefix is removed from the buffer. Throws DiceError.
  explicit Rollwright(char* buffer);
  Rollwright(const Rollwright&) = delete;
  Rollwright& operator=(const Rollwright&) = delete;

  // Evaluates the expression once per set, filling Rolls(). Throws DiceError.
  void Roll();
  // Writes the reply sentence over the buffer, at most ReplyCapacity bytes.
  void WriteResult(char* buffer) const;

  const String& Expression() const { return expression; }
  const String& Comment() const { return comment; }
  int32_t Skill() const { return skill; }
  int32_t Sets() const { return sets; }
  const std::vector<DiceRoll>& Rolls() const { return rolls; }

  // The error of a group beyond the limits.
  static DiceError::Code ErrorOf(DiceLimit broken) {
    return broken == DiceLimit::kTooManyDice ? DiceError::TooManyDice
                                             : DiceError::TooManySides;
  }

 private:
  void ParseSets(char* buffer);
  void ParseInput(const char* buffer);
  void SplitAtSkill(int32_t k);
  void Validate() const;

  template <class Evaluator>
  friend void WalkExpression(const String& expression, Evaluator& evaluator);
  void RollSet();
  // A member, as the walk asks each evaluator for its numbers.
  // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
  int32_t Number(int32_t value) const { return value; }
  void ApplyOperator(int32_t& acc, int32_t right, Operator op);
  void AddToTotal(int32_t value, Operator sign);
  int32_t RollDice(int32_t count, int32_t sides);

  String Sentence(int32_t& cut) const;
  void AppendTotal(String& s, const DiceRoll& roll) const;

  String expression;
  String comment;
  int32_t skill = 0;
  int32_t sets = 0;
  int32_t d20Groups = 0;
  std::vector<DiceRoll> rolls;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_ROLLWRIGHT_H_
