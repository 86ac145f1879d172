// SPDX-License-Identifier: MIT
// The request object of one DiceMain call: built from the host's buffer
// (which construction edits in place), rolled once, written once, destroyed.
// It is neither copied nor moved, and it is used by one thread only.
#ifndef ROLLWRIGHT_DICE_ROLL_REQUEST_H_
#define ROLLWRIGHT_DICE_ROLL_REQUEST_H_

#include <cstdint>
#include <vector>

#include "dice/characters.h"
#include "dice/dice_error.h"
#include "dice/dice_roll.h"
#include "dice/limits.h"
#include "dice/roll_observer.h"
#include "text/string.h"

namespace rollwright {

// Where the parts of a reply sentence lie (dice/write_result.cpp).
struct SentenceLayout;

class Rollwright {
 public:
  // The one failure of a request (dice/dice_error.h).
  using DiceError = rollwright::DiceError;

  // Reads the set count, expression, skill clause and comment; the set-count
  // prefix is removed from the buffer. Throws DiceError.
  explicit Rollwright(char* buffer);
  Rollwright(const Rollwright&) = delete;
  Rollwright& operator=(const Rollwright&) = delete;

  // From now on watcher sees the roll (dice/roll_observer.h); it is told at
  // once how the request was read.
  void Observe(RollObserver& watcher);
  // Evaluates the expression once per set, filling Rolls(). Throws DiceError.
  void Roll();
  // Evaluates it once more, as one set on its own, for a check that rolls
  // many sets of one request: Rolls() then holds that set alone. Throws
  // DiceError.
  const DiceRoll& RollAnotherSet();
  // Writes the reply sentence over the buffer, at most ReplyCapacity bytes.
  void WriteResult(char* buffer) const;

  const String& Expression() const { return expression; }
  const String& Comment() const { return comment; }
  int32_t Skill() const { return skill; }
  int32_t Sets() const { return sets; }
  const std::vector<DiceRoll>& Rolls() const { return rolls; }

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
  template <class SeeFace>
  uint32_t DrawGroup(int32_t count, int32_t sides, bool criticalGroup,
                     SeeFace seeFace);

  String Sentence(SentenceLayout& layout) const;
  void AppendTotal(String& s, const DiceRoll& roll) const;

  String expression;
  String comment;
  int32_t skill = 0;
  int32_t sets = 0;
  int32_t d20Groups = 0;
  std::vector<DiceRoll> rolls;
  RollObserver* observer = nullptr;  // not owned; none in the module
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_ROLL_REQUEST_H_
