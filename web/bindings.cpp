// SPDX-License-Identifier: MIT
// The browser page's way into the engine, beside the module's own DiceMain
// and LoadDll: a seed set as the tool's --seed sets it, a roll with its dice
// and how its request was read, and the odds of a request as JSON for the
// page to draw and as CSV. Nothing thrown escapes into the page.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "dice/answer.h"
#include "dice/dice_error.h"
#include "dice/limits.h"
#include "dice/outcome_texts.h"
#include "dice/random.h"
#include "odds/odds_summary.h"
#include "tools/json_text.h"
#include "tools/odds_data.h"
#include "tools/reading_hint.h"
#include "tools/request_buffer.h"
#include "tools/roll_record.h"
#include "tools/roll_report.h"

namespace rollwright {
namespace {

// The limits of a request and of a seed, the start of every error reply and
// the words of each outcome, from their one home in the engine.
std::string FactsJson() {
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

// The texts the calls below returned last.
std::string lastOdds;
std::string lastCsv;
std::string lastRoll;

// The roll's JSON, its dice lines and the hint on how the request was
// read, all from one roll.
std::string RollReport(const char* request) {
  std::vector<char> buffer = RequestBuffer(request);
  RollRecord record;
  Answer(buffer.data(), &record);
  const std::string reply = buffer.data();
  const bool isError = IsErrorMessage(reply);
  std::string json = "{";
  AppendJsonName(json, "roll");
  json += RollJson(request, reply, isError, record);
  AppendJsonName(json, "dice");
  AppendJsonString(json, isError ? std::string() : DiceLines(record));
  AppendJsonName(json, "hint");
  if (auto hint = ReadingHint(request, record.Reading())) {
    AppendJsonString(json, *hint);
  } else {
    json += "null";
  }
  return json + '}';
}

// Written without allocating: memory ran out on the way.
const char* OutOfMemoryJson(const char* name, const char* message) {
  static char outOfMemory[128];
  std::snprintf(outOfMemory, sizeof outOfMemory, R"({"%s":"%s"})", name,
                message);
  return outOfMemory;
}

}  // namespace
}  // namespace rollwright

// The limits of a request, the start of an error reply and the words of each
// outcome as JSON: {"maxSets", "maxDice", "maxSides", "replyCapacity",
// "maxSeed", "errorPrefix", "grades": [[words in a reply, name], ...] by
// grade, "critical": [words in a reply, name]}.
extern "C" const char* RollwrightFacts() {
  static const std::string facts = rollwright::FactsJson();
  return facts.c_str();
}

// Sets the generator's state, as rollwright --seed does.
extern "C" void RollwrightSeed(uint32_t seed) { rollwright::RandomSeed(seed); }

// The odds of one set of request as JSON (tools/odds_data.h, without
// "totals"): {"request", "refused": message} when the module or the odds
// refuse it. The text, and the CSV of the same odds that RollwrightOddsCsv
// returns, stay valid until the next call.
extern "C" const char* RollwrightOdds(const char* request) {
  try {
    rollwright::lastCsv.clear();
    const rollwright::OddsSummary summary = rollwright::SummariseOdds(request);
    rollwright::lastOdds = rollwright::OddsJson(request, summary, false);
    rollwright::lastCsv = rollwright::OddsCsv(summary);
    return rollwright::lastOdds.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("refused",
                                       rollwright::kOddsOutOfMemoryMessage);
  }
}

// The odds of RollwrightOdds's last request as CSV (tools/odds_data.h);
// empty when they were refused.
extern "C" const char* RollwrightOddsCsv() {
  return rollwright::lastCsv.c_str();
}

// Rolls request as DiceMain does and returns, as JSON, {"roll": the tool's
// --json object (tools/roll_report.h), "dice": its lines of dice (empty for
// an error), "hint": the hint on how it was read, or null}. The text stays
// valid until the next call.
extern "C" const char* RollwrightRoll(const char* request) {
  try {
    rollwright::lastRoll = rollwright::RollReport(request);
    return rollwright::lastRoll.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("error",
                                       rollwright::kOutOfMemoryMessage.chars);
  }
}
