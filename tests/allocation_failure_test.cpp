// SPDX-License-Identifier: MIT
// Every allocation a request makes can fail: with the k-th allocation made to
// throw std::bad_alloc, for every k until the request completes without
// reaching k, DiceMain still returns 3 with "Dice Error: Out of memory!",
// leaks nothing (LeakSanitizer and valgrind watch this program), and the next
// call on the thread works normally. And a request makes exactly the
// allocations the README's table gives it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "api/request_buffer.h"
#include "bench/request_mix.h"
#include "dice/random.h"
#include "odds/odds_summary.h"
#include "rollwright.h"
#include "tests/counting_new.h"

namespace {

using rollwright::AllocationsMade;
using rollwright::FailAllocation;
using rollwright::StopFailing;

std::string CallFailingAt(long k, const std::string& request, bool* reached) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  rollwright::RandomSeed(1);
  FailAllocation(k);
  int32_t result = DiceMain(0, 0, buffer.data(), 0, 0, 0);
  StopFailing();
  *reached = AllocationsMade() >= k;
  EXPECT_EQ(result, 3);
  return std::string(buffer.data());
}

std::string CallNormally(const std::string& request) {
  bool reached = false;
  return CallFailingAt(0, request, &reached);
}

// The allocations DiceMain makes for request.
long AllocationsOf(const std::string& request) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  FailAllocation(0);
  DiceMain(0, 0, buffer.data(), 0, 0, 0);
  return AllocationsMade();
}

// The rows of the README's table of allocations per request, in its order:
// «| `3d6` | 9 | ...», or «| `d6 ` + 600-character comment | 13 | ...».
std::vector<std::pair<std::string, long>> ReadmeAllocations() {
  std::ifstream readme(ROLLWRIGHT_README);
  std::string line;
  while (std::getline(readme, line) &&
         line != "| request | allocations | where |") {
  }
  std::getline(readme, line);  // the rule under the heading
  std::vector<std::pair<std::string, long>> rows;
  while (std::getline(readme, line) && line.starts_with("| `")) {
    const size_t close = line.find('`', 3);
    const size_t cell = line.find(" | ", close);
    if (close == std::string::npos || cell == std::string::npos) {
      ADD_FAILURE() << "not a row of the table: " << line;
      continue;
    }
    std::string request = line.substr(3, close - 3);
    const std::string between = line.substr(close + 1, cell - close - 1);
    if (between.starts_with(" + ")) {  // « + 600-character comment»
      request.append(std::stoul(between.substr(3)), 'c');
    }
    rows.emplace_back(request, std::stol(line.substr(cell + 3)));
  }
  return rows;
}

// The README's table holds the benchmark's mix, each request with the
// allocations it makes.
TEST(Allocations, EachRequestMakesWhatTheReadmeSays) {
  std::vector<std::string> rows;
  for (const auto& [request, count] : ReadmeAllocations()) {
    rows.push_back(rollwright::ShortName(request));
    EXPECT_EQ(AllocationsOf(request), count) << rows.back();
  }
  std::vector<std::string> mix;
  for (const std::string& request : rollwright::RequestMix()) {
    mix.push_back(rollwright::ShortName(request));
  }
  EXPECT_EQ(rows, mix);
}

TEST(AllocationFailure, EveryFailureIsAnsweredAndLeavesNothingBehind) {
  const char* const requests[] = {
      "3d6",
      "3d6 skill 12 sword",
      "30#3d6 skill 12 sword",
      "2#d20+2 skill 14 dodge",
      "31#d6",
      "2d6/2",
      "101d6",
      "2d501",
      "2d6+",
      "",
  };
  for (const char* request : requests) {
    const std::string expected = CallNormally(request);
    long k = 1;
    for (;; ++k) {
      bool reached = false;
      std::string reply = CallFailingAt(k, request, &reached);
      if (!reached) {
        EXPECT_EQ(reply, expected) << request << " k=" << k;
        break;
      }
      EXPECT_EQ(reply, "Dice Error: Out of memory!") << request << " k=" << k;
      EXPECT_EQ(CallNormally(request), expected) << request << " after k=" << k;
    }
    if (expected.rfind("rolls ", 0) == 0) {
      EXPECT_GT(k, 1) << request << ": a sentence made no allocation";
    }
  }
}

// The odds likewise: at the k-th allocation (every one at first, then ever
// sparser), a refusal of their own, nothing left behind, and the next call
// answers as before.
TEST(AllocationFailure, TheOddsRefuseWhenMemoryRunsOut) {
  using Verdict = rollwright::OddsSummary::Verdict;
  for (const std::string request :
       {"2d6", "2#d20+2 skill 14", "100d20+100d30"}) {
    bool reached = true;
    for (long k = 1; reached; k += 1 + k / 8) {
      FailAllocation(k);
      rollwright::OddsSummary summary = rollwright::SummariseOdds(request);
      StopFailing();
      reached = AllocationsMade() >= k;
      EXPECT_EQ(summary.verdict,
                reached ? Verdict::kOutOfMemory : Verdict::kOdds)
          << request << " k=" << k;
      if (reached) {
        EXPECT_STREQ(summary.refusal, rollwright::kOddsOutOfMemoryMessage);
        EXPECT_EQ(rollwright::SummariseOdds(request).verdict, Verdict::kOdds);
      }
    }
  }
}

}  // namespace
