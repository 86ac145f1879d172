// SPDX-License-Identifier: MIT
// Feeds arbitrary requests to the odds and checks what the tool and the page
// rely on: an answer of the known kinds, never an abort, a leak or a run past
// the budget (libFuzzer's -rss_limit_mb and -timeout), and chances that are
// chances: none below 0, none summing past 1, each at-least and at-most tail
// agreeing with the bars and buckets; when the figures are only bounded, no
// lower bound above its upper one.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dice/dice_error.h"
#include "odds/odds_summary.h"

namespace {

constexpr double kRounding = 1e-9;

// Sanitizers and coverage counters make the odds ten to twenty times slower
// than in a plain build: a fiftieth of the work budget keeps each input well
// within the time that the budget promises the plain builds, and the runs
// many. Each step's own bounds stay as they are; terms of 100 dice of up to
// about 100 sides still reach them, and the ends of the 32-bit range.
constexpr int64_t kInstrumentedWorkDivisor = 50;

void Check(bool holds) {
  if (!holds) std::abort();
}

bool IsChance(double chance) {
  return chance >= -kRounding && chance <= 1 + kRounding;
}

using Bars = std::vector<rollwright::OddsSummary::Bar>;

// In order, from the lowest to the highest total; exact tails sum up.
void CheckBars(const rollwright::OddsSummary& summary, const Bars& bars,
               const Bars& highs) {
  double below = 0;
  for (size_t i = 0; i < bars.size(); ++i) {
    const rollwright::OddsSummary::Bar& bar = bars[i];
    Check(bar.first <= bar.last && IsChance(bar.chance));
    Check(IsChance(bar.atLeast) && IsChance(bar.atMost));
    Check(i == 0 || bars[i - 1].last < bar.first);
    below += bar.chance;
    if (summary.exact) {
      Check(std::fabs(bar.atMost - below) < kRounding);
    } else {
      const rollwright::OddsSummary::Bar& high = highs.at(i);
      Check(bar.chance <= high.chance + kRounding);
      Check(bar.atMost <= high.atMost + kRounding);
      Check(bar.atLeast <= high.atLeast + kRounding);
    }
  }
  if (!bars.empty()) {
    Check(!summary.exact ||
          std::fabs(bars.front().atLeast - below) < kRounding);
    Check(bars.front().first == summary.lowest);
    Check(bars.back().last == summary.highest);
  }
}

void CheckOdds(const rollwright::OddsSummary& summary) {
  // A total's chance holds its critical outcomes; a grade's does not.
  double sum = 0;
  for (const auto& error : summary.errors) sum += error.chance;
  if (summary.skill != 0) {
    sum += summary.critical;
    for (double grade : summary.grades) sum += grade;
  } else {
    for (const auto& bar : summary.bars) sum += bar.chance;
  }
  Check(IsChance(sum) && summary.lowest <= summary.highest);
  CheckBars(summary, summary.bars, summary.upper.bars);
  CheckBars(summary, summary.buckets, summary.upper.buckets);
  if (!summary.exact) {
    for (size_t i = 0; i < summary.grades.size(); ++i) {
      Check(summary.grades[i] <= summary.upper.grades[i] + kRounding);
    }
    Check(summary.mean <= summary.upper.mean);
  }
  double successes = 0;
  for (double chance : summary.successes) successes += chance;
  Check(IsChance(successes) && IsChance(summary.anyCritical));
  Check(summary.successes.empty() ||
        summary.successes.size() == static_cast<size_t>(summary.sets) + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The request is text: it ends at the first NUL of the input.
  const char* text = reinterpret_cast<const char*>(data);
  rollwright::OddsSummary summary = rollwright::SummariseOdds(
      std::string(text, strnlen(text, size)), kInstrumentedWorkDivisor);
  switch (summary.verdict) {
    case rollwright::OddsSummary::Verdict::kOdds:
      CheckOdds(summary);
      break;
    case rollwright::OddsSummary::Verdict::kRefused:
      Check(std::string_view(summary.refusal)
                .starts_with(rollwright::kErrorPrefix));
      break;
    case rollwright::OddsSummary::Verdict::kOutOfMemory:
      Check(summary.refusal != nullptr);
      break;
  }
  return 0;
}
