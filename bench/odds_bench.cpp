// SPDX-License-Identifier: MIT
// Times the odds of the requests that stress them: large products, long
// chains and the ends of the 32-bit range, each answered once, in seconds,
// of the processor and of the clock (the two differ on a busy machine), with
// how it was answered (every total listed, exact figures without the list,
// figures between bounds, or refused).
// Built for every platform, so that the 32-bit Windows tool under Wine and
// the native one can be set side by side; the largest memory is what
// /usr/bin/time -v reports for the run.
//
//   rollwright_odds_bench [REQUEST ...]   (default: the list below)
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "odds/odds_summary.h"

namespace {

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// Different 100-dice groups, more than the work budget builds: the last
// ones are coarse.
std::string Groups(int count, const char* op) {
  std::string groups = "100d500";
  for (int i = 1; i < count; ++i) groups += op + std::to_string(500 - i);
  return groups;
}

std::vector<std::string> Requests() {
  return {"100d500+100d500",
          "20d30*2d100*3+2d10",
          "20d100*5*4d10+6+4-3-d20",
          "50d100*50d100",
          "50d100*50d100 skill 6000000",
          "100d500*100d500 skill 1000000",
          "100d500*100d500",
          "d100*d100*d100*d100",
          "100d20*100d20*100d20",
          "100d500*65536-100d500",
          "100d500+100d500*40000",
          "100d500+100d300+13d483+1d4+100d500",
          "1-2*100d500*100d500 skill 1000",
          "100d500*100d500+100d500*100d500 skill 1300000000",
          "100d500*100d500*100d500",
          "30#100d500-100d500 skill 2147483647",
          "100d500" + Repeat("+1d1", 20000),
          "100d500" + Repeat("*1", 20000),
          Groups(90, "*100d") + "+100d400-20050*3*100d399-20000",
          Groups(90, "+100d") + " skill 22000000"};
}

const char* HowAnswered(const rollwright::OddsSummary& summary) {
  if (summary.verdict != rollwright::OddsSummary::Verdict::kOdds) {
    return "refused";
  }
  if (!summary.exact) return "bounds";
  return summary.anyTotal && summary.totals.empty() ? "exact" : "listed";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> requests(argv + 1, argv + argc);
  if (requests.empty()) requests = Requests();
  std::printf("processor   clock   answered request\n");
  for (const std::string& request : requests) {
    const std::clock_t processor = std::clock();
    const auto start = std::chrono::steady_clock::now();
    const rollwright::OddsSummary summary = rollwright::SummariseOdds(request);
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    const double used =
        static_cast<double>(std::clock() - processor) / CLOCKS_PER_SEC;
    std::printf("%7.3f s  %7.3f s  %-7s  %.60s\n", used, took.count(),
                HowAnswered(summary), request.c_str());
  }
  return 0;
}
