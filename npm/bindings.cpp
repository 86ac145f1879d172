// SPDX-License-Identifier: MIT
// The WebAssembly module's way into the engine, for the npm package (and
// through it the browser page), beside the module's own DiceMain and
// LoadDll: the generator's state to set and read, a roll as the tool's
// --json object (with its dice lines, for the page), the odds of a request as
// JSON and CSV, and a check of fairness as JSON. Every text returned stays
// valid until the next call of the same kind. Nothing thrown escapes.
#include <cstdint>
#include <cstdio>
#include <string>

#include "api/fairness.h"
#include "api/json_text.h"
#include "api/odds_data.h"
#include "api/roll_report.h"
#include "api/rollwright_api.h"
#include "dice/dice_error.h"
#include "dice/random.h"
#include "npm/roll_layout.h"
#include "odds/odds_summary.h"

namespace rollwright {
namespace {

// The texts the calls below returned last.
std::string lastOdds;
std::string lastCsv;
std::string lastRoll;
std::string lastFairness;
RollLayout lastLayout;

// The roll's JSON and its dice lines, both from one roll.
std::string RollWithDice(const char* request) {
  const RollResult result = Roll(request);
  std::string json = "{";
  AppendJsonName(json, "roll");
  json += RollJson(result);
  AppendJsonName(json, "dice");
  AppendJsonString(json,
                   result.isError ? std::string() : DiceLines(result.record));
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
  static const std::string facts = rollwright::LimitsJson();
  return facts.c_str();
}

// Sets the generator's state, as rollwright --seed does, and reads it.
extern "C" void RollwrightSeed(uint32_t seed) { rollwright::RandomSeed(seed); }
extern "C" uint32_t RollwrightState() { return rollwright::LoadRandomState(); }

// The odds of one set of request as JSON (api/odds_data.h; "totals" only
// with everyTotal): {"request", "refused": message} when the module or the
// odds refuse it. RollwrightOddsCsv returns the CSV of the same odds.
extern "C" const char* RollwrightOdds(const char* request, int32_t everyTotal) {
  try {
    rollwright::lastCsv.clear();
    const rollwright::OddsSummary summary = rollwright::SummariseOdds(request);
    rollwright::lastOdds =
        rollwright::OddsJson(request, summary, everyTotal != 0);
    rollwright::lastCsv = rollwright::OddsCsv(summary);
    return rollwright::lastOdds.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("refused",
                                       rollwright::kOddsOutOfMemoryMessage);
  }
}

// The odds of RollwrightOdds's last request as CSV (api/odds_data.h);
// empty when they were refused.
extern "C" const char* RollwrightOddsCsv() {
  return rollwright::lastCsv.c_str();
}

// Rolls the request in buffer as DiceMain does (the reply replaces it) and
// returns the roll's layout (npm/roll_layout.h): its words, and through
// RollwrightRollTexts its texts; nullptr when memory ran out on the way.
extern "C" const int32_t* RollwrightRollLaidOut(char* buffer) {
  try {
    rollwright::LayOutRoll(buffer, rollwright::lastLayout);
    return rollwright::lastLayout.words.data();
  } catch (...) {
    return nullptr;
  }
}

extern "C" const char* RollwrightRollTexts() {
  return rollwright::lastLayout.texts.c_str();
}

// The same roll with its lines of dice: {"roll": the --json object, "dice":
// the lines (empty for an error)}.
extern "C" const char* RollwrightRollWithDice(const char* request) {
  try {
    rollwright::lastRoll = rollwright::RollWithDice(request);
    return rollwright::lastRoll.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("error",
                                       rollwright::kOutOfMemoryMessage.chars);
  }
}

// Rolls sets sets of request on the generator as seeded and returns the
// tool's --fairness --json object (api/fairness.h).
extern "C" const char* RollwrightFairness(const char* request, int32_t sets) {
  try {
    const rollwright::FairnessReport report =
        rollwright::CheckFairness(request, sets, [](int64_t) {});
    rollwright::lastFairness = rollwright::FairnessJson(request, report);
    return rollwright::lastFairness.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("refused",
                                       rollwright::kOddsOutOfMemoryMessage);
  }
}
