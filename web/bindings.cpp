// SPDX-License-Identifier: MIT
// The browser page's way into the engine, beside the module's own DiceMain
// and LoadDll: a seed set as the tool's --seed sets it, and the odds of a
// request as JSON for the page to draw. Nothing thrown escapes into the page.
#include <cstdint>
#include <cstdio>
#include <string>

#include "dice/dice_error.h"
#include "dice/limits.h"
#include "dice/outcome_texts.h"
#include "dice/random.h"
#include "odds/odds_summary.h"

namespace rollwright {
namespace {

void AppendNumber(std::string& json, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  json += text;
}

void AppendInteger(std::string& json, int64_t value) {
  json += std::to_string(value);
}

// Every text the engine gives is plain ASCII without quotes or backslashes.
void AppendField(std::string& json, const char* name) {
  json += json.size() > 1 ? ",\"" : "\"";
  json += name;
  json += "\":";
}

void AppendText(std::string& json, const char* name, const char* text) {
  AppendField(json, name);
  json += '"';
  json += text;
  json += '"';
}

// [item, item, ...], each written by appendItem.
template <class Items, class AppendItem>
void AppendList(std::string& json, const Items& items, AppendItem appendItem) {
  json += '[';
  for (const auto& item : items) {
    if (json.back() != '[') json += ',';
    appendItem(item);
  }
  json += ']';
}

void AppendLists(std::string& json, const OddsSummary& summary) {
  AppendField(json, "grades");
  AppendList(json, summary.grades,
             [&json](double grade) { AppendNumber(json, grade); });
  AppendField(json, "bars");
  AppendList(json, summary.bars, [&json](const OddsSummary::Bar& bar) {
    json += '[';
    AppendInteger(json, bar.first);
    json += ',';
    AppendInteger(json, bar.last);
    for (double chance : {bar.chance, bar.atLeast, bar.atMost}) {
      json += ',';
      AppendNumber(json, chance);
    }
    json += ']';
  });
  AppendField(json, "successes");
  AppendList(json, summary.successes,
             [&json](double chance) { AppendNumber(json, chance); });
  AppendField(json, "errors");
  AppendList(json, summary.errors,
             [&json](const OddsSummary::ErrorChance& error) {
               json += "[\"";
               json += error.message;
               json += "\",";
               AppendNumber(json, error.chance);
               json += ']';
             });
}

std::string OddsJson(const OddsSummary& summary) {
  std::string json = "{";
  if (summary.verdict != OddsSummary::Verdict::kOdds) {
    AppendText(json, "refused", summary.refusal);
    return json + '}';
  }
  const std::pair<const char*, double> numbers[] = {
      {"sets", summary.sets},
      {"skill", summary.skill},
      {"critical", summary.critical},
      {"lowest", summary.lowest},
      {"highest", summary.highest},
      {"mean", summary.mean},
      {"anyCritical", summary.anyCritical}};
  for (const auto& [name, value] : numbers) {
    AppendField(json, name);
    AppendNumber(json, value);
  }
  const std::pair<const char*, bool> flags[] = {
      {"anyTotal", summary.anyTotal},
      {"twentySided", summary.twentySided},
      {"eachTotal", summary.eachTotal}};
  for (const auto& [name, value] : flags) {
    AppendField(json, name);
    json += value ? "true" : "false";
  }
  AppendLists(json, summary);
  return json + '}';
}

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
    AppendField(json, name);
    AppendInteger(json, value);
  }
  AppendText(json, "errorPrefix", kErrorPrefix);
  auto appendOutcome = [&json](const OutcomeText& outcome) {
    json += "[\"";
    json += outcome.inReply;
    json += "\",\"";
    json += outcome.name;
    json += "\"]";
  };
  AppendField(json, "grades");
  AppendList(json, kGradeTexts, appendOutcome);
  AppendField(json, "critical");
  appendOutcome(kCriticalFailureText);
  return json + '}';
}

// The text RollwrightOdds returned last.
std::string lastOdds;

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

// The odds of one set of request as JSON: {"refused": message} when the
// module or the odds refuse it, else the figures of an OddsSummary. The text
// stays valid until the next call.
extern "C" const char* RollwrightOdds(const char* request) {
  try {
    rollwright::lastOdds =
        rollwright::OddsJson(rollwright::SummariseOdds(request));
    return rollwright::lastOdds.c_str();
  } catch (...) {
    // Written without allocating: memory ran out on the way.
    static char outOfMemory[96];
    std::snprintf(outOfMemory, sizeof outOfMemory, R"({"refused":"%s"})",
                  rollwright::kOddsOutOfMemoryMessage);
    return outOfMemory;
  }
}
