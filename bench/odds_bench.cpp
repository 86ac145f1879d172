// SPDX-License-Identifier: MIT
// Times the odds of the requests that stress them: large products, long
// chains and the ends of the 32-bit range, each answered once, in seconds,
// of the processor and of the clock (the two differ on a busy machine), with
// how it was answered (every total listed, the totals built whole but too
// many to list or trimmed of negligible tails, exact figures by questions
// about the totals, figures between bounds, or refused).
// Built for every platform, so that the 32-bit Windows tool under Wine and
// the native one can be set side by side; the largest memory is what
// /usr/bin/time -v reports for the run.
//
//   rollwright_odds_bench [REQUEST ...]   (default: the list below)
//   rollwright_odds_bench --hostile       (the table of 120, with a count
//                                         of each way of answering)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
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

// 120 requests built from large groups, sums, differences and products, as
// a player who tests the odds' limits types them.
std::vector<std::string> HostileTable() {
  const std::vector<std::string> groups = {
      "100d500", "50d100", "20d30",   "2d100",  "d100",
      "100d20",  "4d10",   "100d300", "10d500", "100d6"};
  std::vector<std::string> table;
  for (size_t i = 0; i < groups.size(); ++i) {
    for (size_t j = i; j < groups.size(); ++j) {
      table.push_back(groups[i] + "*" + groups[j]);  // 55
    }
  }
  for (size_t i = 0; i < groups.size(); ++i) {
    const std::string& a = groups[i];
    const std::string& b = groups[(i + 3) % groups.size()];
    const std::string& c = groups[(i + 7) % groups.size()];
    table.push_back(a + "*" + b + "*" + c);            // 10
    table.push_back(a + "*" + b + "*3+" + c);          // 10
    table.push_back("1-2*" + a + "*" + b + "-" + c);   // 10
    table.push_back(a + "*" + b + "+" + c + "*" + a);  // 10
    table.push_back(a + "*" + b + " skill 1000000");   // 10
  }
  for (int terms : {5, 10, 30, 60, 90}) {
    std::string sum = "100d500";
    for (int k = 1; k < terms; ++k) sum += "+100d" + std::to_string(500 - k);
    table.push_back(sum);  // 5
  }
  table.insert(table.end(),
               {"d100*d100*d100*d100", "100d500*100d500*100d500*100d500",
                "50d100*50d100 skill 6000000", "20d100*5*4d10+6+4-3-d20",
                "100d500*65536-100d500", "100d500*100d500 skill 2147483647",
                "1-1*100d500", "100d500-100d500*100d500 skill 100",
                "30#100d500*100d500 skill 62750000",
                "100d20*100d20*100d20*100d20"});  // 10
  return table;
}

const char* HowAnswered(const rollwright::OddsSummary& summary) {
  if (summary.verdict != rollwright::OddsSummary::Verdict::kOdds) {
    return "refused";
  }
  if (!summary.exact) return "bounds";
  if (summary.queried) return "queries";
  return summary.anyTotal && summary.totals.empty() ? "whole" : "listed";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> requests(argv + 1, argv + argc);
  const bool hostile = argc == 2 && std::strcmp(argv[1], "--hostile") == 0;
  if (hostile) requests = HostileTable();
  if (requests.empty()) requests = Requests();
  std::map<std::string, int> answered;
  double slowest = 0;
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
    ++answered[HowAnswered(summary)];
    slowest = std::max(slowest, used);
  }
  std::printf("%zu requests:", requests.size());
  for (const auto& [how, count] : answered) {
    std::printf(" %s %d", how.c_str(), count);
  }
  std::printf("; the slowest %.3f s of the processor\n", slowest);
  return 0;
}
