// SPDX-License-Identifier: MIT
#include "api/odds_data.h"

#include <initializer_list>
#include <utility>

#include "api/json_text.h"
#include "dice/outcome_texts.h"

namespace rollwright {
namespace {

// "name": [item, item, ...], each written by appendItem.
template <class Items, class AppendItem>
void AppendList(std::string& json, const char* name, const Items& items,
                AppendItem appendItem) {
  AppendJsonName(json, name);
  AppendJsonList(json, items, appendItem);
}

// [number, number, ...].
void AppendNumbers(std::string& json, std::initializer_list<double> numbers) {
  AppendJsonList(json, numbers,
                 [&json](double number) { AppendJsonNumber(json, number); });
}

void AppendFigures(std::string& json, const OddsSummary& summary) {
  const std::pair<const char*, double> numbers[] = {
      {"sets", summary.sets},
      {"skill", summary.skill},
      {"lowest", summary.lowest},
      {"highest", summary.highest},
      {"mean", summary.mean},
      {"critical", summary.critical},
      {"anyCritical", summary.anyCritical}};
  for (const auto& [name, value] : numbers) {
    AppendJsonName(json, name);
    AppendJsonNumber(json, value);
  }
  const std::pair<const char*, bool> flags[] = {
      {"anyTotal", summary.anyTotal},
      {"twentySided", summary.twentySided},
      {"eachTotal", summary.eachTotal}};
  for (const auto& [name, value] : flags) {
    AppendJsonName(json, name);
    json += value ? "true" : "false";
  }
}

void AppendLists(std::string& json, const OddsSummary& summary,
                 bool everyTotal) {
  auto appendChance = [&json](double chance) {
    AppendJsonNumber(json, chance);
  };
  AppendList(json, "grades", summary.grades, appendChance);
  AppendList(json, "successes", summary.successes, appendChance);
  AppendList(json, "bars", summary.bars, [&json](const OddsSummary::Bar& bar) {
    AppendNumbers(
        json, {static_cast<double>(bar.first), static_cast<double>(bar.last),
               bar.chance, bar.atLeast, bar.atMost});
  });
  AppendList(json, "errors", summary.errors,
             [&json](const OddsSummary::ErrorChance& error) {
               json += '[';
               AppendJsonString(json, error.message);
               json += ',';
               AppendJsonNumber(json, error.chance);
               json += ']';
             });
  if (!everyTotal) return;
  AppendList(json, "totals", summary.totals,
             [&json](const OddsSummary::Bar& total) {
               AppendNumbers(json, {static_cast<double>(total.first),
                                    total.chance, total.atLeast, total.atMost});
             });
}

void AppendCsvRow(std::string& csv, std::initializer_list<double> numbers) {
  for (double number : numbers) {
    if (!csv.empty() && csv.back() != '\n') csv += ',';
    AppendJsonNumber(csv, number);
  }
  csv += '\n';
}

void AppendOutcomeRow(std::string& csv, const char* outcome, double chance) {
  (csv += outcome) += ',';
  AppendJsonNumber(csv, chance);
  csv += '\n';
}

}  // namespace

std::string OddsJson(std::string_view request, const OddsSummary& summary,
                     bool everyTotal) {
  std::string json = "{";
  AppendJsonText(json, "request", request);
  if (summary.verdict != OddsSummary::Verdict::kOdds) {
    AppendJsonText(json, "refused", summary.refusal);
    return json + '}';
  }
  AppendJsonText(json, "expression", summary.expression);
  AppendJsonText(json, "comment", summary.comment);
  AppendFigures(json, summary);
  AppendLists(json, summary, everyTotal);
  return json + '}';
}

std::string OddsCsv(const OddsSummary& summary) {
  if (summary.verdict != OddsSummary::Verdict::kOdds) return {};
  std::string csv = "total,chance,at_least,at_most\n";
  for (const OddsSummary::Bar& total : summary.totals) {
    AppendCsvRow(csv, {static_cast<double>(total.first), total.chance,
                       total.atLeast, total.atMost});
  }
  if (summary.skill == 0 && !summary.twentySided) return csv;
  csv += "\noutcome,chance\n";
  if (summary.skill != 0) {
    for (size_t grade = 0; grade < summary.grades.size(); ++grade) {
      AppendOutcomeRow(csv, kGradeTexts[grade].name, summary.grades[grade]);
    }
  }
  AppendOutcomeRow(csv, kCriticalFailureText.name, summary.critical);
  if (summary.successes.empty()) return csv;
  csv += "\nsuccesses,chance\n";
  for (size_t count = 0; count < summary.successes.size(); ++count) {
    AppendCsvRow(csv, {static_cast<double>(count), summary.successes[count]});
  }
  return csv;
}

}  // namespace rollwright
