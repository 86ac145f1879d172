// SPDX-License-Identifier: MIT
// Replies are exact because the generator is seeded: from state 1 the d6
// faces are 5, 5, 3, 5, 5, 2; seed 19 gives a first d20 of 20; seed 15 gives
// d20 faces 15, 20.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dice/random.h"
#include "rollwright.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

struct Exchange {
  uint32_t seed;
  std::string request;
  std::string reply;
};

void ExpectReplies(const std::vector<Exchange>& cases) {
  for (const Exchange& c : cases) {
    EXPECT_EQ(AskSeeded(c.seed, c.request), c.reply) << c.request;
  }
}

TEST(Reply, RestatesTheRequest) {
  ExpectReplies({
      {1, "3d6", "rolls 3d6 and gets 13"},
      {1, "d6", "rolls a d6 and gets 5"},
      {1, "1#d6", "rolls a d6 and gets 5"},
      {1, "3#d6", "rolls 3#d6 and gets 5, 5, 3"},
      {1, "3 2d6", "rolls 3#2d6 and gets 10, 8, 7"},
      {1, "2#d6+1", "rolls 2#d6+1 and gets 6, 6"},
      {1, "2d6 to hit", "rolls 2d6 to hit and gets 10"},
      {1, "2d6  to hit", "rolls 2d6  to hit and gets 10"},
      {1, "d6 ", "rolls a d6 and gets 5"},
      {1, "3d6 skill 0", "rolls 3d6 0 and gets 13"},
      {1, "", "rolls  and gets 0"},
      {1, "3#", "rolls 3# and gets 0, 0, 0"},
      {1, "2d6-3d6", "rolls 2d6-3d6 and gets -3"},
      {1, "5", "rolls 5 and gets 5"},
  });
}

TEST(Reply, GradesEachTotalAgainstTheSkill) {
  ExpectReplies({
      {1, "3d6 skill 12 sword",
       "rolls 3d6 against 12 sword and gets 13 Failing"},
      {1, "skill 14", "rolls  against 14 and gets 0 for an Amazing Success"},
      {1, "1+2 skill 12",
       "rolls 1+2 against 12 and gets 3 for an Amazing Success"},
      {1, "2+2 skill 12", "rolls 2+2 against 12 and gets 4 for a Good Success"},
      {1, "2+4 skill 12", "rolls 2+4 against 12 and gets 6 for a Good Success"},
      {1, "2+5 skill 12",
       "rolls 2+5 against 12 and gets 7 for an Ordinary Success"},
      {1, "2+10 skill 12",
       "rolls 2+10 against 12 and gets 12 for an Ordinary Success"},
      {1, "2+11 skill 12", "rolls 2+11 against 12 and gets 13 Failing"},
      {1, "1-2 skill 12",
       "rolls 1-2 against 12 and gets -1 for an Amazing Success"},
      {1, "1-1 skill 3",
       "rolls 1-1 against 3 and gets 0 for an Amazing Success"},
      {1, "1*1 skill 3", "rolls 1*1 against 3 and gets 1 for a Good Success"},
      {1, "1*2 skill 3",
       "rolls 1*2 against 3 and gets 2 for an Ordinary Success"},
      {1, "1+3 skill 3", "rolls 1+3 against 3 and gets 4 Failing"},
      {1, "1*1 skill 1",
       "rolls 1*1 against 1 and gets 1 for an Ordinary Success"},
      {1, "3#d6 skill 4",
       "rolls 3#d6 against 4 and gets 5 Failing, 5 Failing, "
       "3 for an Ordinary Success"},
  });
}

TEST(Reply, ReportsACriticalFailureInPlaceOfTheGrade) {
  ExpectReplies({
      {19, "d20", "rolls a d20 and gets 20 with a Critical Failure"},
      {19, "d20 skill 14 dodge",
       "rolls a d20 against 14 dodge and gets 20 with a Critical Failure"},
      {19, "d20-19 skill 14",
       "rolls a d20-19 against 14 and gets 1 with a Critical Failure"},
      {15, "2#d20+2 skill 14 dodge",
       "rolls 2#d20+2 against 14 dodge and gets 17 Failing, "
       "22 with a Critical Failure"},
  });
}

TEST(Reply, ErrorsReplaceTheWholeRequest) {
  ExpectReplies({
      {1, "31#d6", "Dice Error: Maximum of 30 sets of dice!"},
      {1, "#d6", "Dice Error: Invalid operand in dice commands!"},
      {1, "2d6/2", "Dice Error: Illegal characters in input!"},
      {1, "101d6", "Dice Error: Maximum of 100 dice per dice group!"},
      {1, "2d501", "Dice Error: Maximum of 500 sides per die!"},
      {1, "101d501", "Dice Error: Maximum of 100 dice per dice group!"},
      {1, "12 fire", "Dice Error: Illegal characters in input!"},
  });
}

std::string Repeat(const std::string& text, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += text;
  return s;
}

// times copies of entry, joined by ", ".
std::string Entries(const std::string& entry, int times) {
  return entry + Repeat(", " + entry, times - 1);
}

// 899 characters are the most a reply holds; "\xF0\x9F\x98\x80" is a 4-byte
// UTF-8 character.
TEST(Reply, ALongSentenceShortensItsCommentToKeepItsTotals) {
  const std::string amazing3 = "3 for an Amazing Success";
  const std::string amazing12345 = "12345 for an Amazing Success";
  const std::string wide = "\xF0\x9F\x98\x80";
  const std::string ones = std::string(878, '1');
  const std::string sum = "1" + Repeat("+1", 500);
  ExpectReplies({
      {1, "d6 " + std::string(877, 'x'),
       "rolls a d6 " + std::string(877, 'x') + " and gets 5"},
      {1, "30#1+2 skill 12 " + std::string(300, 'c'),
       "rolls 30#1+2 against 12 " + std::string(84, 'c') + "... and gets " +
           Entries(amazing3, 30)},
      {1, "d6 " + Repeat(wide, 500),
       "rolls a d6 " + Repeat(wide, 218) + "... and gets 5"},
      {1, "30#12345 skill 99999 " + std::string(100, 'c'),
       "rolls 30#12345 against 99999... and gets " + Entries(amazing12345, 28)},
      {1, "d6 skill " + ones + " " + Repeat("\xC3\xA9", 10),
       "rolls a d6 against " + ones + ".."},
      {1, sum, ("rolls " + sum + " and gets 501").substr(0, 899)},
  });
}

TEST(Reply, NothingIsWrittenPastTheBoundOfALongRequest) {
  std::string request = "d6 " + std::string(2000, 'x');
  std::vector<char> buffer(request.begin(), request.end());
  buffer.push_back('\0');
  RandomSeed(1);
  EXPECT_EQ(DiceMain(0, 0, buffer.data(), 0, 0, 0), 3);
  EXPECT_EQ(std::string(buffer.data()),
            "rolls a d6 " + std::string(874, 'x') + "... and gets 5");
  EXPECT_EQ(std::string(buffer.begin() + 900, buffer.end() - 1),
            request.substr(900));
}

TEST(Reply, ThirtyGradedSetsFitInABufferOfExactlyTheBound) {
  RandomSeed(1);
  std::string reply = Ask("30#100d500+100d500 skill 99999 long sword");
  EXPECT_LE(reply.size(), 899u);
  EXPECT_EQ(
      reply.rfind("rolls 30#100d500+100d500 against 99999... and gets ", 0),
      0u);
  EXPECT_TRUE(reply.ends_with(" Success") || reply.ends_with(" Failing"))
      << reply;
}

}  // namespace
}  // namespace rollwright
