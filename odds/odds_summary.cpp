// SPDX-License-Identifier: MIT
#include "odds/odds_summary.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "dice/roll_request.h"
#include "dice/rules.h"
#include "odds/fold_query.h"
#include "odds/odds.h"

namespace rollwright {
namespace {

using Bound = FoldQuery::Bound;

// The queries a summary makes: the bars and buckets, and by bisection over
// the 32-bit range each percentile (both bounds of the nine shown, and the
// ends of the bars and of the buckets).
constexpr int64_t kQueries = kBuckets + kRanges + (9 * 2 + 4) * 33;

// The smallest total whose chance of at most it reaches share of the alive
// mass; with upper, by the lower bounds of the chances (the percentile's
// upper bound).
int32_t PercentileOf(const FoldQuery& query, double share, bool upper) {
  const double target = query.TotalMass().Both() * share - 1e-12;
  int64_t low = query.Lowest();
  int64_t high = query.Highest();
  while (low < high) {
    const int64_t middle = low + (high - low) / 2;
    const Bound chance = query.AtMost(middle);
    const double reached = (upper ? chance.low : chance.high).Both();
    if (reached >= target) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return static_cast<int32_t>(low);
}

void SummariseGrades(const FoldQuery& query, OddsSummary& summary) {
  const int32_t skill = summary.skill;
  const int32_t amazing = skill / 4;
  const int32_t good = std::max(amazing, skill / 2);
  const int32_t ordinary = std::max(good, skill);
  const Bound a = query.AtMost(amazing);
  const Bound g = query.AtMost(good);
  const Bound o = query.AtMost(ordinary);
  const double all = query.TotalMass().plain;
  auto set = [&summary](Grade grade, double low, double high) {
    summary.grades[grade] = std::max(low, 0.0);
    summary.upper.grades[grade] = std::max(high, 0.0);
  };
  set(Amazing, a.low.plain, a.high.plain);
  set(Good, g.low.plain - a.high.plain, g.high.plain - a.low.plain);
  set(Ordinary, o.low.plain - g.high.plain, o.high.plain - g.low.plain);
  set(Failing, all - o.high.plain, all - o.low.plain);
}

// The sets are independent: a set succeeds, fails (Failing or a Critical
// Failure), or ends in an error. The chances grow with success and failure,
// so bounds on those give bounds on them.
std::vector<double> SetsThatSucceed(double success, double failure,
                                    int32_t sets) {
  std::vector<double> chances{1.0};
  for (int32_t set = 0; set < sets; ++set) {
    std::vector<double> next(chances.size() + 1, 0.0);
    for (size_t k = 0; k < chances.size(); ++k) {
      next[k] += chances[k] * failure;
      next[k + 1] += chances[k] * success;
    }
    chances = std::move(next);
  }
  return chances;
}

// Of the sets, at least one a Critical Failure and none an error: a set is
// a Critical Failure or not whatever bounds the grades have, so the chance
// comes from exact masses (plain: of the totals that are not critical).
void SummariseAnyCritical(double plain, OddsSummary& summary) {
  summary.anyCritical = summary.upper.anyCritical =
      std::pow(plain + summary.critical, summary.sets) -
      std::pow(plain, summary.sets);
}

void SummariseSets(OddsSummary& summary) {
  const int32_t sets = summary.sets;
  const double critical = summary.critical;
  auto success = [](const std::array<double, 4>& grades) {
    return grades[Amazing] + grades[Good] + grades[Ordinary];
  };
  summary.successes = SetsThatSucceed(success(summary.grades),
                                      summary.grades[Failing] + critical, sets);
  summary.upper.successes =
      SetsThatSucceed(success(summary.upper.grades),
                      summary.upper.grades[Failing] + critical, sets);
}

// count ranges of equal width from the 0.1st to the 99.9th percentile, and
// none past it; the first and the last also hold the rare totals beyond,
// down to the lowest and up to the highest, or with tails those are ranges of
// their own. Each with its chance and those of at least and at most it; the
// upper bounds into upper.
std::vector<OddsSummary::Bar> RangesOf(const FoldQuery& query, int count,
                                       bool tails,
                                       std::vector<OddsSummary::Bar>& upper) {
  const int64_t low = PercentileOf(query, 0.001, false);
  const int64_t high = PercentileOf(query, 0.999, false);
  const int64_t span = high - low + 1;
  const int64_t width = (span + count - 1) / count;
  const int64_t ranges = (span + width - 1) / width;
  std::vector<std::pair<int64_t, int64_t>> layout;
  if (tails && query.Lowest() < low)
    layout.emplace_back(query.Lowest(), low - 1);
  for (int64_t i = 0; i < ranges; ++i) {
    const bool first = i == 0 && !tails;
    const bool last = i == ranges - 1 && !tails;
    layout.emplace_back(
        first ? query.Lowest() : low + i * width,
        last ? query.Highest() : std::min(high, low + (i + 1) * width - 1));
  }
  if (tails && high < query.Highest()) {
    layout.emplace_back(high + 1, query.Highest());
  }
  const double all = query.TotalMass().Both();
  std::vector<OddsSummary::Bar> bars;
  Bound before{};
  for (const auto& [first, last] : layout) {
    const Bound through = query.AtMost(last);
    bars.push_back({first, last,
                    std::max(through.low.Both() - before.high.Both(), 0.0),
                    all - before.high.Both(), through.low.Both()});
    upper.push_back({first, last, through.high.Both() - before.low.Both(),
                     all - before.low.Both(), through.high.Both()});
    before = through;
  }
  return bars;
}

// The sum of total times chance is highest * all less the sum of the
// chances of at most t for t from the lowest to below the highest, and over a
// range those are between the chance before it and the chance through it.
void SummariseMeanOfRanges(OddsSummary& summary, double all) {
  double least = -all;
  double most = least;
  for (size_t i = 0; i < summary.buckets.size(); ++i) {
    const OddsSummary::Bar& high = summary.upper.buckets[i];
    const auto width = static_cast<double>(high.last - high.first + 1);
    least += width * std::max(all - high.atLeast, 0.0);
    most += width * high.atMost;
  }
  const auto lowest = static_cast<double>(summary.lowest);
  const auto highest = static_cast<double>(summary.highest);
  summary.mean = std::clamp(highest - most / all, lowest, highest);
  summary.upper.mean = std::clamp(highest - least / all, lowest, highest);
}

void SummariseEveryTotal(const Distribution& totals, OddsSummary& summary) {
  double sum = 0;
  for (const auto& [total, mass] : totals) {
    sum += total * mass.Both();
    summary.totals.push_back({total, total, mass.Both(), 0, 0});
  }
  summary.mean = sum / totals.TotalMass();
  double atMost = 0;
  for (OddsSummary::Bar& bar : summary.totals)
    bar.atMost = atMost += bar.chance;
  double atLeast = 0;
  for (size_t i = summary.totals.size(); i-- > 0;) {
    summary.totals[i].atLeast = atLeast += summary.totals[i].chance;
  }
}

// Listed one by one, or in ranges with the percentiles.
void SummariseBars(const FoldQuery& query, OddsSummary& summary) {
  summary.eachTotal =
      !summary.totals.empty() && summary.totals.size() <= kListedTotals;
  if (summary.eachTotal) {
    summary.bars = summary.totals;
    return;
  }
  for (int share : {1, 5, 10, 25, 50, 75, 90, 95, 99}) {
    summary.percentiles.push_back(
        {share, PercentileOf(query, share / 100.0, false)});
    summary.upper.percentiles.push_back(
        {share, query.Exact() ? summary.percentiles.back().total
                              : PercentileOf(query, share / 100.0, true)});
  }
  summary.bars = RangesOf(query, kRanges, false, summary.upper.bars);
}

void SummariseTotals(const Odds& odds, const FoldQuery& query,
                     int64_t evaluations, OddsSummary& summary) {
  summary.lowest = query.Lowest();
  summary.highest = query.Highest();
  const double all = query.TotalMass().Both();
  if (odds.Whole() && odds.Totals().Count() <= kMostTotalsListed) {
    SummariseEveryTotal(odds.Totals(), summary);
  } else {
    summary.eachTotal = false;
    summary.buckets = RangesOf(query, kBuckets, true, summary.upper.buckets);
    std::optional<double> moment = query.Moment(evaluations / 4);
    if (moment) {
      summary.mean = summary.upper.mean = *moment / all;
    } else {
      SummariseMeanOfRanges(summary, all);
      summary.exact = false;
    }
  }
  if (summary.skill == 0) SummariseBars(query, summary);
}

void Summarise(const Odds& odds, int64_t evaluations, OddsSummary& summary) {
  summary.twentySided = odds.HasTwentySidedGroup();
  for (const auto& [code, chance] : odds.Errors()) {
    summary.errors.push_back({ErrorMessage(code), chance});
  }
  FoldQuery query(odds.Totals(), odds.Steps());
  summary.anyTotal = query.TotalMass().Both() > 0;
  if (!summary.anyTotal) return;
  summary.critical = query.TotalMass().critical;
  if (summary.twentySided) {
    SummariseAnyCritical(query.TotalMass().plain, summary);
  }
  // A skill test's grades take half the budget: three chances, as closely
  // bounded as it allows.
  int64_t left = evaluations;
  if (summary.skill != 0) {
    left -= 3 * query.Plan(evaluations / 2 / 3);
    SummariseGrades(query, summary);
    summary.exact = query.Exact();
    if (summary.sets > 1) SummariseSets(summary);
  }
  query.Plan(left / kQueries);
  summary.exact = summary.exact && query.Exact();
  SummariseTotals(odds, query, evaluations, summary);
  if (summary.exact) summary.upper = {};
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
    if (odds.TotalMass() <= 0 && odds.Errors().size() == 1) {
      return Refused(ErrorMessage(odds.Errors().begin()->first));
    }
    OddsSummary summary;
    summary.sets = parsed.Sets();
    summary.skill = parsed.Skill();
    summary.expression = parsed.Expression().Text();
    summary.comment = parsed.Comment().Text();
    Summarise(odds, Odds::kMaxEvaluations / workDivisor, summary);
    return summary;
  } catch (const Rollwright::DiceError& error) {
    return Refused(ErrorMessage(error.code));
  } catch (const std::bad_alloc&) {
    return Refused(kOddsOutOfMemoryMessage, OddsSummary::Verdict::kOutOfMemory);
  } catch (const std::length_error&) {
    return Refused(kOddsOutOfMemoryMessage, OddsSummary::Verdict::kOutOfMemory);
  }
}

}  // namespace rollwright
