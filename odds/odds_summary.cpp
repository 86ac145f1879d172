// SPDX-License-Identifier: MIT
#include "odds/odds_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
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
// A narrowing's first budget is this share of the whole one, or a larger
// one of at least kLeastBudget evaluations; each next one is kGrowth times
// the one before.
constexpr int64_t kFirstShare = 64;
constexpr int64_t kLeastBudget = 4096;
constexpr int64_t kGrowth = 8;

// Whether low and high print alike with two decimals once multiplied by
// scale (100 for a chance in percent), as the report prints its figures.
bool PrintsAlike(double low, double high, double scale) {
  char lowText[64];
  char highText[64];
  std::snprintf(lowText, sizeof lowText, "%.2f", scale * low);
  std::snprintf(highText, sizeof highText, "%.2f", scale * high);
  return std::strcmp(lowText, highText) == 0;
}

// Whether each chance, and each sum of the first ones and of the last ones
// (of at most and of at least so many), prints alike with its upper bound.
bool ChancesDecided(const std::vector<double>& lows,
                    const std::vector<double>& highs) {
  double lowSum = 0;
  double highSum = 0;
  for (size_t k = 0; k < lows.size(); ++k) {
    lowSum += lows[k];
    highSum += highs[k];
    if (!PrintsAlike(lows[k], highs[k], 100) ||
        !PrintsAlike(lowSum, std::min(highSum, 1.0), 100)) {
      return false;
    }
  }
  lowSum = highSum = 0;
  for (size_t k = lows.size(); k-- > 0;) {
    lowSum += lows[k];
    highSum += highs[k];
    if (!PrintsAlike(lowSum, std::min(highSum, 1.0), 100)) return false;
  }
  return true;
}

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

// Whether the grades, and over several sets the chances of so many
// successes, print alike with their bounds.
bool GradesDecided(const OddsSummary& summary) {
  for (size_t grade = 0; grade < summary.grades.size(); ++grade) {
    if (!PrintsAlike(summary.grades[grade], summary.upper.grades[grade], 100)) {
      return false;
    }
  }
  return ChancesDecided(summary.successes, summary.upper.successes);
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

// Whether the bounds of the mean print alike, as the report prints it.
bool MeanDecided(const OddsSummary& summary) {
  return PrintsAlike(summary.mean, summary.upper.mean, 1);
}

// Whether each percentile is known to its total, and each range's chances
// print alike (a bar per total is exact).
bool BarsDecided(const OddsSummary& summary) {
  for (size_t i = 0; i < summary.percentiles.size(); ++i) {
    if (summary.percentiles[i].total != summary.upper.percentiles[i].total) {
      return false;
    }
  }
  for (size_t i = 0; i < summary.upper.bars.size(); ++i) {
    const OddsSummary::Bar& low = summary.bars[i];
    const OddsSummary::Bar& high = summary.upper.bars[i];
    if (!PrintsAlike(low.chance, high.chance, 100) ||
        !PrintsAlike(low.atLeast, high.atLeast, 100) ||
        !PrintsAlike(low.atMost, high.atMost, 100)) {
      return false;
    }
  }
  return true;
}

void SummariseBuckets(const FoldQuery& query, OddsSummary& summary) {
  summary.upper.buckets.clear();
  summary.buckets = RangesOf(query, kBuckets, true, summary.upper.buckets);
}

// The totals' figures at the query's plan: every total when listed, or the
// mean (from the buckets when moment has not given it); without a skill
// level the bars. Whether the figures shown are decided.
bool SummariseTotals(const Odds& odds, const FoldQuery& query, bool listed,
                     const std::optional<double>& moment,
                     OddsSummary& summary) {
  summary.percentiles.clear();
  summary.upper.percentiles.clear();
  summary.upper.bars.clear();
  if (listed) {
    summary.totals.clear();
    SummariseEveryTotal(odds.Totals(), summary);
    summary.upper.mean = summary.mean;
  } else {
    summary.eachTotal = false;
    summary.buckets.clear();
    if (moment) {
      summary.mean = summary.upper.mean = *moment / query.TotalMass().Both();
    } else {
      SummariseBuckets(query, summary);
      SummariseMeanOfRanges(summary, query.TotalMass().Both());
    }
  }
  if (summary.skill == 0) SummariseBars(query, summary);
  return MeanDecided(summary) && BarsDecided(summary);
}

// Plans query for figures of queries queries each within share evaluations,
// and has summarise find them (it says whether the digits shown are
// decided): at once when the share makes the queries exact, else first with
// budgets kFirstShare and kGrowth times smaller, as most figures are decided
// long before the share is spent; the last attempt has the whole share. The
// attempts before it cost at most 1/(kGrowth - 1) of it. What it spent.
template <class Summarise>
int64_t Narrow(FoldQuery& query, int64_t share, int64_t queries,
               Summarise summarise) {
  const int64_t full = share / queries;
  const int64_t cost = query.Plan(full);
  if (query.Exact()) {
    summarise();
    return queries * cost;
  }
  int64_t divisor = 1;
  while (divisor < kFirstShare && full / divisor / kGrowth >= kLeastBudget) {
    divisor *= kGrowth;
  }
  int64_t spent = 0;
  for (;; divisor /= kGrowth) {
    spent += queries * query.Plan(full / divisor);
    if (summarise() || query.Exact() || divisor == 1) return spent;
  }
}

void Summarise(const Odds& odds, int64_t evaluations, OddsSummary& summary) {
  summary.twentySided = odds.HasTwentySidedGroup();
  summary.queried = !odds.Steps().empty();
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
    left -= Narrow(query, evaluations / 2, 3, [&query, &summary] {
      SummariseGrades(query, summary);
      if (summary.sets > 1) SummariseSets(summary);
      return GradesDecided(summary);
    });
    summary.exact = query.Exact();
  }
  summary.lowest = query.Lowest();
  summary.highest = query.Highest();
  const bool listed =
      odds.Whole() && odds.Totals().Count() <= kMostTotalsListed;
  const std::optional<double> moment =
      listed ? std::nullopt : query.Moment(evaluations / 4);
  Narrow(query, left, kQueries,
         [&] { return SummariseTotals(odds, query, listed, moment, summary); });
  // A mean found from the buckets is bounded even by exact queries.
  summary.exact = summary.exact && query.Exact() && (listed || moment);
  // The buckets, when the mean did not need them, at the last plan.
  if (!listed && summary.buckets.empty()) SummariseBuckets(query, summary);
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
