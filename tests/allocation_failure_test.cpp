// SPDX-License-Identifier: MIT
// Every allocation a request makes can fail: with the k-th allocation made to
// throw std::bad_alloc, for every k until the request completes without
// reaching k, DiceMain still returns 3 with "Dice Error: Out of memory!",
// leaks nothing (LeakSanitizer and valgrind watch this program), and the next
// call on the thread works normally.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dice/random.h"
#include "odds/odds_summary.h"
#include "rollwright.h"
#include "tests/counting_new.h"
#include "tools/request_buffer.h"

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
