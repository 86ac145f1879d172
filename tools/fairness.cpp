// SPDX-License-Identifier: MIT
#include "tools/fairness.h"

#include <cstdio>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "dice/outcome_texts.h"
#include "dice/roll_request.h"
#include "odds/odds.h"
#include "odds/odds_summary.h"
#include "tools/json_text.h"

namespace rollwright {
namespace {

constexpr int64_t kProgressEvery = 1 << 16;
constexpr char kErrorLabel[] = "error";

struct Counts {
  std::unordered_map<int32_t, int64_t> totals;
  int64_t errors = 0;
  int64_t grades[Failing + 2] = {};  // by Grade, then the Critical Failure
};

Counts Roll(Rollwright& request, int64_t sets,
            const std::function<void(int64_t)>& progress) {
  Counts counts;
  for (int64_t done = 0; done < sets; ++done) {
    if (done % kProgressEvery == 0) progress(done);
    try {
      const DiceRoll& roll = request.RollAnotherSet();
      ++counts.totals[roll.total];
      const int grade = roll.criticalFailure
                            ? Failing + 1
                            : GradeOf(request.Skill(), roll.total);
      ++counts.grades[grade];
    } catch (const Rollwright::DiceError&) {
      ++counts.errors;
    }
  }
  progress(sets);
  return counts;
}

double ErrorChance(const OddsSummary& summary) {
  return std::accumulate(summary.errors.begin(), summary.errors.end(), 0.0,
                         [](double sum, const OddsSummary::ErrorChance& error) {
                           return sum + error.chance;
                         });
}

ChiSquareTest TestTotals(const Odds& odds, const OddsSummary& summary,
                         const Counts& counts, int64_t sets) {
  std::vector<CountedOutcome> outcomes;
  int64_t unexpected = 0;
  for (const auto& [total, count] : counts.totals) {
    if (!odds.Totals().Totals().contains(total)) unexpected += count;
  }
  for (const auto& [total, mass] : odds.Totals().Totals()) {
    auto found = counts.totals.find(total);
    outcomes.push_back({std::to_string(total),
                        found == counts.totals.end() ? 0 : found->second,
                        mass.Both()});
  }
  if (counts.errors + unexpected > 0 || ErrorChance(summary) > 0) {
    outcomes.push_back(
        {kErrorLabel, counts.errors + unexpected, ErrorChance(summary)});
  }
  return TestCounts(outcomes, sets);
}

ChiSquareTest TestGrades(const OddsSummary& summary, const Counts& counts,
                         int64_t sets) {
  std::vector<CountedOutcome> outcomes;
  for (int grade = Amazing; grade <= Failing; ++grade) {
    outcomes.push_back({kGradeTexts[grade].name, counts.grades[grade],
                        summary.grades[static_cast<size_t>(grade)]});
  }
  outcomes.push_back({kCriticalFailureText.name, counts.grades[Failing + 1],
                      summary.critical});
  if (counts.errors > 0 || ErrorChance(summary) > 0) {
    outcomes.push_back({kErrorLabel, counts.errors, ErrorChance(summary)});
  }
  return TestCounts(outcomes, sets);
}

std::string Fixed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string TestText(const char* heading, const ChiSquareTest& test) {
  std::string text = std::string("  ") + heading + "\n";
  text += "  bin                     observed        expected\n";
  for (const ChiSquareBin& bin : test.bins) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-20s %11lld %15.2f\n",
                  bin.label.c_str(), static_cast<long long>(bin.observed),
                  bin.expected);
    text += line;
  }
  text += "  chi-square " + Fixed("%.4f", test.statistic) + " with " +
          std::to_string(test.degrees) +
          " degrees of freedom: p = " + Fixed("%.4g", test.pValue) + "\n";
  return text;
}

void AppendTestJson(std::string& out, const ChiSquareTest& test) {
  for (const char* key : {"observed", "expected"}) {
    out += ",\"";
    out += key;
    out += "\":{";
    for (size_t i = 0; i < test.bins.size(); ++i) {
      if (i > 0) out += ',';
      AppendJsonString(out, test.bins[i].label);
      out += ':';
      if (key[0] == 'o') {
        out += std::to_string(test.bins[i].observed);
      } else {
        AppendJsonNumber(out, test.bins[i].expected);
      }
    }
    out += '}';
  }
  out += ",\"chiSquare\":";
  AppendJsonNumber(out, test.statistic);
  out +=
      ",\"degreesOfFreedom\":" + std::to_string(test.degrees) + ",\"pValue\":";
  AppendJsonNumber(out, test.pValue);
}

}  // namespace

FairnessReport CheckFairness(const std::string& request, int64_t sets,
                             const std::function<void(int64_t)>& progress) {
  FairnessReport report;
  report.sets = sets;
  const OddsSummary summary = SummariseOdds(request);
  if (summary.verdict != OddsSummary::Verdict::kOdds) {
    report.refusal = summary.refusal;
    return report;
  }
  std::vector<char> buffer(request.begin(), request.end());
  buffer.push_back('\0');
  Rollwright parsed(buffer.data());
  const Odds odds(parsed.Expression());
  const Counts counts = Roll(parsed, sets, progress);
  report.totals = TestTotals(odds, summary, counts, sets);
  if (parsed.Skill() != 0) report.grades = TestGrades(summary, counts, sets);
  return report;
}

std::string FairnessText(const std::string& request,
                         const FairnessReport& report) {
  if (report.refusal != nullptr) {
    return "fairness of " + request + ": " + report.refusal + "\n";
  }
  std::string text = "fairness of " + request + ", " +
                     std::to_string(report.sets) + " sets rolled:\n";
  text += TestText("totals", report.totals);
  if (report.grades) text += TestText("grades", *report.grades);
  return text;
}

std::string FairnessJson(const std::string& request,
                         const FairnessReport& report) {
  std::string out = "{\"request\":";
  AppendJsonString(out, request);
  if (report.refusal != nullptr) {
    out += ",\"refused\":";
    AppendJsonString(out, report.refusal);
    return out + "}";
  }
  out += ",\"sets\":" + std::to_string(report.sets);
  AppendTestJson(out, report.totals);
  if (report.grades) {
    out += ",\"grades\":{";
    std::string grades;
    AppendTestJson(grades, *report.grades);
    out += grades.substr(1) + "}";
  }
  return out + "}";
}

}  // namespace rollwright
