// SPDX-License-Identifier: MIT
#include "dice/random.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/test_support.h"

namespace rollwright {
namespace {

// The next count values of the calling thread's generator, drawn as a dice
// group draws them.
std::vector<int32_t> Draw(int count) {
  std::vector<int32_t> values;
  uint32_t state = LoadRandomState();
  for (int i = 0; i < count; ++i) {
    state = NextState(state);
    values.push_back(static_cast<int32_t>(OutputOf(state)));
  }
  StoreRandomState(state);
  return values;
}

TEST(Random, GivesTheKnownSequenceOfASeed) {
  struct Case {
    uint32_t seed;
    std::vector<int32_t> values;
  };
  const Case cases[] = {
      {1, {346, 130, 10982, 1090, 11656}},
      {12345, {15301, 24996, 10921, 23577, 19316}},
      {0, {0, 346, 130}},
      {4294967295u, {32421, 561, 22046}},
  };
  for (const Case& c : cases) {
    RandomSeed(c.seed);
    EXPECT_EQ(Draw(static_cast<int>(c.values.size())), c.values) << c.seed;
  }
}

TEST(Random, AnUnseededThreadStartsAtOne) {
  std::vector<int32_t> values;
  std::thread fresh([&values] { values = Draw(2); });
  fresh.join();
  EXPECT_EQ(values, (std::vector<int32_t>{346, 130}));
}

TEST(Random, ThreadsSeededAlikeGiveTheSameSequence) {
  RandomSeed(777);  // this thread's state must not leak into the others
  std::vector<int32_t> first;
  std::vector<int32_t> second;
  std::thread a([&first] {
    RandomSeed(12345);
    first = Draw(1000);
  });
  std::thread b([&second] {
    RandomSeed(12345);
    second = Draw(1000);
  });
  a.join();
  b.join();
  EXPECT_EQ(first, second);
  EXPECT_EQ(std::vector<int32_t>(first.begin(), first.begin() + 2),
            (std::vector<int32_t>{15301, 24996}));
}

TEST(Random, DiceMainContinuesTheThreadsSequence) {
  std::vector<std::string> replies;
  std::thread fresh([&replies] {
    replies.push_back(Ask("d500"));
    replies.push_back(Ask("d500"));
  });
  fresh.join();
  EXPECT_EQ(replies, (std::vector<std::string>{"rolls a d500 and gets 347",
                                               "rolls a d500 and gets 131"}));
}

}  // namespace
}  // namespace rollwright
