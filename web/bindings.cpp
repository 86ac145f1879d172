// SPDX-License-Identifier: MIT
// The browser page's way into the engine, beside the module's own DiceMain
// and LoadDll: a seed set as the tool's --seed sets it, a roll with its dice
// and how its request was read, and the odds of a request as JSON for the
// page to draw and as CSV. Nothing thrown escapes into the page.
#include <cstdint>
#include <cstdio>
#include <string>

#include "api/json_text.h"
#include "api/odds_data.h"
#include "api/roll_report.h"
#include "api/rollwright_api.h"
#include "dice/dice_error.h"
#include "dice/random.h"
#include "odds/odds_summary.h"

namespace rollwright {
namespace {

// The texts the calls below returned last.
std::string lastOdds;
std::string lastCsv;
std::string lastRoll;

// The roll's JSON and its dice lines, both from one roll.
std::string RollReport(const char* request) {
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

// Sets the generator's state, as rollwright --seed does.
extern "C" void RollwrightSeed(uint32_t seed) { rollwright::RandomSeed(seed); }

// The odds of one set of request as JSON (api/odds_data.h, without
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

// The odds of RollwrightOdds's last request as CSV (api/odds_data.h);
// empty when they were refused.
extern "C" const char* RollwrightOddsCsv() {
  return rollwright::lastCsv.c_str();
}

// Rolls request as DiceMain does and returns, as JSON, {"roll": the tool's
// --json object (api/rollwright_api.h), "dice": its lines of dice (empty for
// an error)}. The text stays valid until the next call.
extern "C" const char* RollwrightRoll(const char* request) {
  try {
    rollwright::lastRoll = rollwright::RollReport(request);
    return rollwright::lastRoll.c_str();
  } catch (...) {
    return rollwright::OutOfMemoryJson("error",
                                       rollwright::kOutOfMemoryMessage.chars);
  }
}
