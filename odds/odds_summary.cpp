// SPDX-License-Identifier: MIT
#include "odds/odds_summary.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "dice/roll_request.h"
#include "dice/rules.h"
#include "odds/odds.h"

namespace rollwright {
namespace {

// The smallest total whose cumulative chance reaches share of the alive mass.
int32_t PercentileOf(const Distribution& totals, double alive, double share) {
  double sum = 0;
  for (const auto& [total, mass] : totals.Totals()) {
    sum += mass.Both();
    if (sum >= alive * share - 1e-12) return total;
  }
  return totals.Totals().rbegin()->first;
}

void SummariseGrades(const Distribution& totals, OddsSummary& summary) {
  for (const auto& [total, mass] : totals.Totals()) {
    summary.grades[GradeOf(summary.skill, total)] += mass.plain;
  }
}

// The sets are independent: a set succeeds, fails (Failing or a Critical
// Failure), or ends in an error.
void SummariseSets(OddsSummary& summary) {
  const std::array<double, 4>& grades = summary.grades;
  const double success = grades[Amazing] + grades[Good] + grades[Ordinary];
  const double failure = grades[Failing] + summary.critical;
  std::vector<double> chances{1.0};
  for (int32_t set = 0; set < summary.sets; ++set) {
    std::vector<double> next(chances.size() + 1, 0.0);
    for (size_t k = 0; k < chances.size(); ++k) {
      next[k] += chances[k] * failure;
      next[k + 1] += chances[k] * success;
    }
    chances = std::move(next);
  }
  summary.successes = std::move(chances);
}

// Of the sets, at least one a Critical Failure and none an error.
void SummariseAnyCritical(double alive, OddsSummary& summary) {
  summary.anyCritical = std::pow(alive, summary.sets) -
                        std::pow(alive - summary.critical, summary.sets);
}

// The bars cover every total once, in order.
void SummariseTails(std::vector<OddsSummary::Bar>& bars) {
  double atMost = 0;
  for (OddsSummary::Bar& bar : bars) {
    atMost += bar.chance;
    bar.atMost = atMost;
  }
  double atLeast = 0;
  for (size_t i = bars.size(); i-- > 0;) {
    atLeast += bars[i].chance;
    bars[i].atLeast = atLeast;
  }
}

// At most kRanges ranges of equal width from the 0.1st to the 99.9th
// percentile, and none past it; the first and the last also hold the rare
// totals beyond, down to the lowest and up to the highest.
void SummariseRanges(const Distribution& totals, double alive,
                     OddsSummary& summary) {
  for (int share : {1, 5, 10, 25, 50, 75, 90, 95, 99}) {
    summary.percentiles.push_back(
        {share, PercentileOf(totals, alive, share / 100.0)});
  }
  const int64_t low = PercentileOf(totals, alive, 0.001);
  const int64_t span = PercentileOf(totals, alive, 0.999) - low + 1;
  const int64_t width = (span + kRanges - 1) / kRanges;
  const int64_t ranges = (span + width - 1) / width;
  std::vector<double> chances(static_cast<size_t>(ranges));
  for (const auto& [total, mass] : totals.Totals()) {
    int64_t range = std::clamp<int64_t>((total - low) / width, 0, ranges - 1);
    chances[static_cast<size_t>(range)] += mass.Both();
  }
  for (int64_t i = 0; i < ranges; ++i) {
    int64_t first = i == 0 ? summary.lowest : low + i * width;
    int64_t last =
        i == ranges - 1 ? summary.highest : low + (i + 1) * width - 1;
    summary.bars.push_back(
        {first, last, chances[static_cast<size_t>(i)], 0, 0});
  }
}

void SummariseEveryTotal(const Distribution& totals, OddsSummary& summary) {
  double sum = 0;
  for (const auto& [total, mass] : totals.Totals()) {
    sum += total * mass.Both();
    summary.totals.push_back({total, total, mass.Both(), 0, 0});
  }
  summary.lowest = totals.Totals().begin()->first;
  summary.highest = totals.Totals().rbegin()->first;
  summary.mean = sum / totals.TotalMass();
  SummariseTails(summary.totals);
}

void SummariseBars(const Distribution& totals, OddsSummary& summary) {
  summary.eachTotal = totals.Totals().size() <= kListedTotals;
  if (summary.eachTotal) {
    summary.bars = summary.totals;
    return;
  }
  SummariseRanges(totals, totals.TotalMass(), summary);
  SummariseTails(summary.bars);
}

void Summarise(const Odds& odds, OddsSummary& summary) {
  const Distribution& totals = odds.Totals();
  summary.twentySided = odds.HasTwentySidedGroup();
  summary.anyTotal = totals.TotalMass() > 0;
  for (const auto& [total, mass] : totals.Totals()) {
    summary.critical += mass.critical;
  }
  for (const auto& [code, chance] : odds.Errors()) {
    summary.errors.push_back({ErrorMessage(code), chance});
  }
  if (summary.twentySided) SummariseAnyCritical(totals.TotalMass(), summary);
  if (summary.anyTotal) SummariseEveryTotal(totals, summary);
  if (summary.skill != 0) {
    SummariseGrades(totals, summary);
    if (summary.sets > 1) SummariseSets(summary);
  } else if (summary.anyTotal) {
    SummariseBars(totals, summary);
  }
}

OddsSummary Refused(const char* message, OddsSummary::Verdict verdict =
                                             OddsSummary::Verdict::kRefused) {
  OddsSummary summary;
  summary.verdict = verdict;
  summary.refusal = message;
  return summary;
}

}  // namespace

OddsSummary SummariseOdds(const std::string& request, int64_t workDivisor) {
  try {
    std::vector<char> buffer(request.begin(), request.end());
    buffer.push_back('\0');
    Rollwright parsed(buffer.data());
    Odds odds(parsed.Expression(), workDivisor);
    if (odds.Totals().TotalMass() <= 0 && odds.Errors().size() == 1) {
      return Refused(ErrorMessage(odds.Errors().begin()->first));
    }
    OddsSummary summary;
    summary.sets = parsed.Sets();
    summary.skill = parsed.Skill();
    summary.expression = parsed.Expression().Text();
    summary.comment = parsed.Comment().Text();
    Summarise(odds, summary);
    return summary;
  } catch (const Rollwright::DiceError& error) {
    return Refused(ErrorMessage(error.code));
  } catch (const Distribution::TooManyOutcomes&) {
    return Refused(kTooManyOutcomesMessage,
                   OddsSummary::Verdict::kTooManyOutcomes);
  } catch (const std::bad_alloc&) {
    return Refused(kOddsOutOfMemoryMessage, OddsSummary::Verdict::kOutOfMemory);
  } catch (const std::length_error&) {
    return Refused(kOddsOutOfMemoryMessage, OddsSummary::Verdict::kOutOfMemory);
  }
}

}  // namespace rollwright
