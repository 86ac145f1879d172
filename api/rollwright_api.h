// SPDX-License-Identifier: MIT
// rollwright for programs: the module's answer to a request as data, one
// shape for every caller (the command-line tool, the browser page, the
// JavaScript and Python packages).
//
//   Roll        a request rolled as DiceMain rolls it: the reply, how the
//               request was read, each set's total, grade and dice in the
//               order rolled, and a hint when the reading looks like a slip.
//   Roller      a generator of its own, so that its rolls follow from its
//               seed whatever else rolls on the thread.
//   RollJson    a roll as one line of JSON, the tool's --json object.
//   OddsJson / OddsCsv (api/odds_data.h)     the exact odds of one set.
//   CheckFairness / FairnessJson (api/fairness.h)  a chi-square check of
//               many rolls against those odds.
//   LimitsJson  the limits of a request and of a seed, the start of every
//               error reply and the words of each outcome.
//
// Requests are bytes, as a host hands them in (UTF-8 in practice), of any
// length; each is answered in a buffer of the size the module asks for. No
// call here throws a DiceError: an error is a reply. Running out of memory
// throws std::bad_alloc, which each caller turns into its own words.
#ifndef ROLLWRIGHT_API_ROLLWRIGHT_API_H_
#define ROLLWRIGHT_API_ROLLWRIGHT_API_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "api/roll_record.h"

namespace rollwright {

// One request rolled, every fact from that one roll.
struct RollResult {
  std::string request;
  std::string reply;  // the module's reply, exactly
  bool isError = false;
  RollRecord record;  // how the request was read, and each set's dice
  std::optional<std::string> hint;  // api/reading_hint.h
};

// Rolls request on the calling thread's generator, as DiceMain does.
RollResult Roll(std::string_view request);

// The same for a request already in a buffer as a host hands it in (at least
// ReplyCapacity bytes and the request's length plus one), which the reply
// replaces: for a caller that keeps one buffer and one result from call to
// call.
void Roll(char* buffer, RollResult& result);

// The reply alone, as DiceMain writes it, on the calling thread's generator.
std::string Reply(std::string_view request);

// The stable name of an error reply's fault: "TooManySets", "TooManyDice",
// "TooManySides", "IllegalCharacter", "InvalidOperand" or "OutOfMemory";
// nullptr for a sentence.
const char* ErrorCodeName(std::string_view reply);

// The name of the grade a set's total earns against skill ("Amazing
// Success", "Good Success", "Ordinary Success" or "Failing"), as RollJson
// writes it; nullptr without a skill level (0).
const char* GradeName(int32_t skill, int32_t total);

// A generator state of its own, swapped in for each call and back out, so a
// Roller seeded N gives for successive requests what the tool's --seed N
// gives for them, whatever else rolls on the thread. One thread at a time.
class Roller {
 public:
  explicit Roller(uint32_t seed) : state(seed) {}

  RollResult Roll(std::string_view request);
  std::string Reply(std::string_view request);
  // Runs work, which rolls on the thread's generator (CheckFairness, say),
  // on this Roller's generator instead.
  void Run(const std::function<void()>& work);
  uint32_t State() const { return state; }

 private:
  uint32_t state;
};

// The roll as one line of JSON:
//
//   {"request": s, "reply": s,
//    "read": {"sets": n, "expression": s, "skill": n, "comment": s},
//    "sets": [{"total": n, "grade": s | null, "critical": b,
//              "dice": [{"sides": n, "faces": [n, ...]}, ...]}, ...],
//    "hint": s | null}
//
// An error reply has "error" (the message) and "code" (ErrorCodeName) in
// place of "sets", and "read" only when the request was read before the
// error. Strings are UTF-8; a byte that starts no UTF-8 character is written
// as U+FFFD.
std::string RollJson(const RollResult& result);

// text with each byte that starts no well-formed UTF-8 character replaced by
// U+FFFD, as the JSON writers write it: the strings a program is handed.
std::string ValidUtf8(std::string_view text);

// {"maxSets", "maxDice", "maxSides", "replyCapacity", "maxSeed",
//  "errorPrefix", "outOfMemory" (its reply), "grades": [[words in a reply,
//  name], ...] by grade, "critical": [words in a reply, name]}.
std::string LimitsJson();

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_ROLLWRIGHT_API_H_
