// SPDX-License-Identifier: MIT
#include "api/fairness.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#include "api/json_text.h"
#include "api/request_buffer.h"
#include "dice/outcome_texts.h"
#include "dice/roll_request.h"
#include "odds/odds_summary.h"

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

// The sets whose totals are in each range, first..last (or first alone).
std::vector<CountedOutcome> CountRanges(
    const std::vector<OddsSummary::Bar>& ranges, const Counts& counts) {
  std::vector<CountedOutcome> outcomes;
  for (const OddsSummary::Bar& range : ranges) {
    std::string label = std::to_string(range.first);
    if (range.last != range.first) label += ".." + std::to_string(range.last);
    outcomes.push_back({label, 0, range.chance});
  }
  for (const auto& [total, count] : counts.totals) {
    auto after =
        std::upper_bound(ranges.begin(), ranges.end(), int64_t{total},
                         [](int64_t value, const OddsSummary::Bar& range) {
                           return value < range.first;
                         });
    if (after == ranges.begin() || total > (after - 1)->last) continue;
    outcomes[static_cast<size_t>(after - ranges.begin() - 1)].observed += count;
  }
  return outcomes;
}

// Each total of the odds in increasing order (or each range of them, when
// they are too many to list), then the errors, with the sets whose totals
// the odds do not have.
ChiSquareTest TestTotals(const OddsSummary& summary, const Counts& counts,
                         int64_t sets) {
  std::vector<CountedOutcome> outcomes = CountRanges(
      summary.totals.empty() ? summary.buckets : summary.totals, counts);
  const int64_t expected =
      std::accumulate(outcomes.begin(), outcomes.end(), int64_t{0},
                      [](int64_t sum, const CountedOutcome& outcome) {
                        return sum + outcome.observed;
                      });
  int64_t rolled = 0;
  for (const auto& [total, count] : counts.totals) rolled += count;
  const int64_t unexpected = rolled - expected;
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

// The test's members of a JSON object: its bins' observed and expected
// counts, keyed by label, and its figures.
void AppendTestJson(std::string& out, const ChiSquareTest& test) {
  for (const char* key : {"observed", "expected"}) {
    AppendJsonName(out, key);
    out += '{';
    for (const ChiSquareBin& bin : test.bins) {
      if (out.back() != '{') out += ',';
      AppendJsonString(out, bin.label);
      out += ':';
      if (key[0] == 'o') {
        out += std::to_string(bin.observed);
      } else {
        AppendJsonNumber(out, bin.expected);
      }
    }
    out += '}';
  }
  AppendJsonName(out, "chiSquare");
  AppendJsonNumber(out, test.statistic);
  AppendJsonName(out, "degreesOfFreedom");
  out += std::to_string(test.degrees);
  AppendJsonName(out, "pValue");
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
  if (!summary.exact) {
    report.refusal = kOddsBoundedMessage;
    return report;
  }
  std::vector<char> buffer = RequestBuffer(request);
  Rollwright parsed(buffer.data());
  const Counts counts = Roll(parsed, sets, progress);
  report.totals = TestTotals(summary, counts, sets);
  if (parsed.Skill() != 0) report.grades = TestGrades(summary, counts, sets);
  return report;
}

std::string FairnessJson(const std::string& request,
                         const FairnessReport& report) {
  std::string out = "{";
  AppendJsonText(out, "request", request);
  if (report.refusal != nullptr) {
    AppendJsonText(out, "refused", report.refusal);
    return out + "}";
  }
  AppendJsonName(out, "sets");
  out += std::to_string(report.sets);
  AppendTestJson(out, report.totals);
  if (report.grades) {
    AppendJsonName(out, "grades");
    out += '{';
    AppendTestJson(out, *report.grades);
    out += '}';
  }
  return out + "}";
}

}  // namespace rollwright
