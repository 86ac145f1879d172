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

// A figure, or when not exact the interval it is known to be in.
void AppendFigure(std::string& json, double low, double high, bool exact) {
  if (exact) {
    AppendJsonNumber(json, low);
    return;
  }
  AppendNumbers(json, {low, high});
}

// "name": [figure, ...], the upper bounds from highs when not exact.
void AppendFigureList(std::string& json, const char* name,
                      const std::vector<double>& lows,
                      const std::vector<double>& highs, bool exact) {
  AppendJsonName(json, name);
  json += '[';
  for (size_t i = 0; i < lows.size(); ++i) {
    if (i > 0) json += ',';
    AppendFigure(json, lows[i], exact ? 0 : highs[i], exact);
  }
  json += ']';
}

// [first, last, chance, atLeast, atMost] for each range of totals.
void AppendRanges(std::string& json, const char* name,
                  const std::vector<OddsSummary::Bar>& bars,
                  const std::vector<OddsSummary::Bar>& highs, bool exact) {
  AppendJsonName(json, name);
  json += '[';
  for (size_t i = 0; i < bars.size(); ++i) {
    const OddsSummary::Bar& bar = bars[i];
    const OddsSummary::Bar& high = exact ? bar : highs[i];
    (json += i > 0 ? ",[" : "[");
    AppendJsonNumber(json, static_cast<double>(bar.first));
    json += ',';
    AppendJsonNumber(json, static_cast<double>(bar.last));
    for (auto member : {&OddsSummary::Bar::chance, &OddsSummary::Bar::atLeast,
                        &OddsSummary::Bar::atMost}) {
      json += ',';
      AppendFigure(json, bar.*member, high.*member, exact);
    }
    json += ']';
  }
  json += ']';
}

void AppendFigures(std::string& json, const OddsSummary& summary) {
  const std::pair<const char*, double> numbers[] = {
      {"sets", summary.sets},
      {"skill", summary.skill},
      {"lowest", summary.lowest},
      {"highest", summary.highest}};
  for (const auto& [name, value] : numbers) {
    AppendJsonName(json, name);
    AppendJsonNumber(json, value);
  }
  AppendJsonName(json, "mean");
  AppendFigure(json, summary.mean, summary.upper.mean, summary.exact);
  AppendJsonName(json, "critical");
  AppendJsonNumber(json, summary.critical);
  AppendJsonName(json, "anyCritical");
  AppendFigure(json, summary.anyCritical, summary.upper.anyCritical,
               summary.exact);
  const std::pair<const char*, bool> flags[] = {
      {"anyTotal", summary.anyTotal},
      {"twentySided", summary.twentySided},
      {"eachTotal", summary.eachTotal},
      {"exact", summary.exact}};
  for (const auto& [name, value] : flags) {
    AppendJsonName(json, name);
    json += value ? "true" : "false";
  }
}

void AppendLists(std::string& json, const OddsSummary& summary,
                 bool everyTotal) {
  const bool exact = summary.exact;
  AppendFigureList(
      json, "grades",
      std::vector<double>(summary.grades.begin(), summary.grades.end()),
      std::vector<double>(summary.upper.grades.begin(),
                          summary.upper.grades.end()),
      exact);
  AppendFigureList(json, "successes", summary.successes,
                   summary.upper.successes, exact);
  AppendRanges(json, "bars", summary.bars, summary.upper.bars, exact);
  if (summary.totals.empty() && summary.anyTotal) {
    AppendRanges(json, "buckets", summary.buckets, summary.upper.buckets,
                 exact);
  }
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

// The ranges of totals when they are not listed one by one; when not exact,
// with the upper bounds after the lower ones.
void AppendCsvBuckets(std::string& csv, const OddsSummary& summary) {
  csv = "first,last,chance,at_least,at_most";
  csv += summary.exact ? "\n" : ",chance_high,at_least_high,at_most_high\n";
  for (size_t i = 0; i < summary.buckets.size(); ++i) {
    const OddsSummary::Bar& bar = summary.buckets[i];
    AppendCsvRow(csv,
                 {static_cast<double>(bar.first), static_cast<double>(bar.last),
                  bar.chance, bar.atLeast, bar.atMost});
    if (summary.exact) continue;
    const OddsSummary::Bar& high = summary.upper.buckets[i];
    csv.pop_back();
    AppendCsvRow(csv, {high.chance, high.atLeast, high.atMost});
  }
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
  std::string csv;
  if (summary.totals.empty() && summary.anyTotal) {
    AppendCsvBuckets(csv, summary);
  } else {
    csv = "total,chance,at_least,at_most\n";
  }
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
