// SPDX-License-Identifier: MIT
#include "api/rollwright_api.h"

#include <utility>
#include <vector>

#include "api/json_text.h"
#include "api/reading_hint.h"
#include "api/request_buffer.h"
#include "dice/answer.h"
#include "dice/dice_error.h"
#include "dice/limits.h"
#include "dice/outcome_texts.h"
#include "dice/random.h"
#include "dice/rules.h"
#include "rollwright.h"

namespace rollwright {
namespace {

// Indexed by DiceError::Code.
constexpr const char* kErrorCodeNames[] = {
    "TooManySets",      "TooManyDice",    "TooManySides",
    "IllegalCharacter", "InvalidOperand",
};
static_assert(sizeof kErrorCodeNames / sizeof kErrorCodeNames[0] ==
              DiceError::kCodes);
constexpr char kOutOfMemoryName[] = "OutOfMemory";

// The thread's generator set to a state for one call, and put back after.
class BorrowedGenerator {
 public:
  explicit BorrowedGenerator(uint32_t& state)
      : owned(state), saved(LoadRandomState()) {
    StoreRandomState(owned);
  }
  ~BorrowedGenerator() {
    owned = LoadRandomState();
    StoreRandomState(saved);
  }
  BorrowedGenerator(const BorrowedGenerator&) = delete;
  BorrowedGenerator& operator=(const BorrowedGenerator&) = delete;

 private:
  uint32_t& owned;
  uint32_t saved;
};

}  // namespace

RollResult Roll(std::string_view request) {
  RollResult result;
  std::vector<char> buffer = RequestBuffer(request);
  Roll(buffer.data(), result);
  result.request = request;  // whole, should it hold a NUL
  return result;
}

void Roll(char* buffer, RollResult& result) {
  result.request = buffer;
  result.record = RollRecord();
  Answer(buffer, &result.record);
  result.reply = buffer;
  result.isError = IsErrorMessage(result.reply);
  result.hint =
      ReadingHint(result.request, result.record.Reading(), result.isError);
}

std::string Reply(std::string_view request) {
  std::vector<char> buffer = RequestBuffer(request);
  DiceMain(0, 0, buffer.data(), 0, 0, 0);
  return buffer.data();
}

const char* ErrorCodeName(std::string_view reply) {
  if (reply == kOutOfMemoryMessage.View()) return kOutOfMemoryName;
  for (int32_t code = 0; code < DiceError::kCodes; ++code) {
    if (reply == ErrorMessage(static_cast<DiceError::Code>(code))) {
      return kErrorCodeNames[code];
    }
  }
  return nullptr;
}

const char* GradeName(int32_t skill, int32_t total) {
  if (skill == 0) return nullptr;
  return kGradeTexts[GradeOf(skill, total)].name;
}

RollResult Roller::Roll(std::string_view request) {
  RollResult result;
  Run([&result, request] { result = rollwright::Roll(request); });
  return result;
}

std::string Roller::Reply(std::string_view request) {
  std::string reply;
  Run([&reply, request] { reply = rollwright::Reply(request); });
  return reply;
}

void Roller::Run(const std::function<void()>& work) {
  BorrowedGenerator generator(state);
  work();
}

std::string LimitsJson() {
  std::string json = "{";
  const std::pair<const char*, int64_t> limits[] = {
      {"maxSets", kMaxSets},
      {"maxDice", kMaxDice},
      {"maxSides", kMaxSides},
      {"replyCapacity", ReplyCapacity},
      {"maxSeed", kMaxSeed}};
  for (const auto& [name, value] : limits) {
    AppendJsonName(json, name);
    json += std::to_string(value);
  }
  AppendJsonText(json, "errorPrefix", kErrorPrefix);
  AppendJsonText(json, "outOfMemory", kOutOfMemoryMessage.View());
  auto appendOutcome = [&json](const OutcomeText& outcome) {
    const char* texts[] = {outcome.inReply, outcome.name};
    AppendJsonList(json, texts,
                   [&json](const char* text) { AppendJsonString(json, text); });
  };
  AppendJsonName(json, "grades");
  AppendJsonList(json, kGradeTexts, appendOutcome);
  AppendJsonName(json, "critical");
  appendOutcome(kCriticalFailureText);
  return json + '}';
}

}  // namespace rollwright
