// SPDX-License-Identifier: MIT
// Calls on different threads share nothing but each thread's own generator:
// threads that start fresh get exactly the replies a single thread gets.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/test_support.h"

namespace rollwright {
namespace {

const char* const kRequests[] = {
    "3d6",
    "3d6 skill 12 sword",
    "2#d20+2 skill 14 dodge",
    "30#3d6 skill 12",
    "100d500",
    "2d6/2",
    "d20",
    "5#2d6+1 fire",
};

std::vector<std::string> RollAll(int rounds) {
  std::vector<std::string> replies;
  for (int round = 0; round < rounds; ++round) {
    for (const char* request : kRequests) replies.push_back(Ask(request));
  }
  return replies;
}

TEST(Concurrency, FreshThreadsGetTheRepliesOfASingleThread) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 50;
  std::vector<std::string> single;
  std::thread alone([&single] { single = RollAll(kRounds); });
  alone.join();

  std::vector<std::vector<std::string>> results(kThreads);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&result] { result = RollAll(kRounds); });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& result : results) EXPECT_EQ(result, single);
}

}  // namespace
}  // namespace rollwright
