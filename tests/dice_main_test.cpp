// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dice/random.h"
#include "rollwright.h"

namespace rollwright {
namespace {

TEST(DiceMain, ReturnsThreeForEveryReply) {
  for (const char* request : {"3d6", "31#d6", "2d6/2", "", "d", "2d6 fire"}) {
    std::vector<char> buffer(900, 'z');
    std::strcpy(buffer.data(), request);
    EXPECT_EQ(DiceMain(0, 0, buffer.data(), 0, 0, 0), 3) << request;
  }
}

TEST(DiceMain, LeavesANullBufferAlone) {
  EXPECT_EQ(DiceMain(0, 0, nullptr, 0, 0, 0), 3);
}

TEST(DiceMain, IgnoresTheOtherArguments) {
  std::vector<char> a(900);
  std::vector<char> b(900);
  std::strcpy(a.data(), "3#2d6 fire");
  std::strcpy(b.data(), "3#2d6 fire");
  RandomSeed(5);
  DiceMain(0, 0, a.data(), 0, 0, 0);
  RandomSeed(5);
  DiceMain(-1, 123456, b.data(), INT32_MIN, INT32_MAX, 7);
  EXPECT_STREQ(a.data(), b.data());
}

TEST(DiceMain, AnErrorMessageIsTheWholeReply) {
  struct Case {
    const char* request;
    const char* reply;
  };
  const Case cases[] = {
      {"2d6/2 a long comment after the fault that is longer than the message",
       "Dice Error: Illegal characters in input!"},
      {"29#d6+101d6 the fault is found while rolling the first set",
       "Dice Error: Maximum of 100 dice per dice group!"},
      {"4294967297#d6", "Dice Error: Maximum of 30 sets of dice!"},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer(900, 'z');
    std::strcpy(buffer.data(), c.request);
    DiceMain(0, 0, buffer.data(), 0, 0, 0);
    EXPECT_STREQ(buffer.data(), c.reply) << c.request;
  }
}

TEST(DiceMain, LoadDllSeedsFromTheClock) {
  // Two loads in different seconds seed differently; within one second the
  // same. Either way the reply continues from a seeded, not a fixed, state.
  RandomSeed(1);
  LoadDll(0);
  std::vector<char> buffer(900);
  std::strcpy(buffer.data(), "30#d500");
  DiceMain(0, 0, buffer.data(), 0, 0, 0);
  std::vector<char> fromOne(900);
  std::strcpy(fromOne.data(), "30#d500");
  RandomSeed(1);
  DiceMain(0, 0, fromOne.data(), 0, 0, 0);
  EXPECT_STRNE(buffer.data(), fromOne.data());
}

}  // namespace
}  // namespace rollwright
