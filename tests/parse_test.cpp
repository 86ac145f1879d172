// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dice/roll_request.h"

namespace rollwright {
namespace {

using Code = Rollwright::DiceError::Code;

std::vector<char> BufferOf(const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  return buffer;
}

TEST(Parse, ReadsSetsExpressionSkillAndComment) {
  struct Case {
    const char* request;
    const char* bufferAfter;
    int32_t sets;
    const char* expression;
    const char* comment;
    int32_t skill;
  };
  const Case cases[] = {
      {"2d6", "2d6", 1, "2d6", "", 0},
      {"3#2d6+1 fire", "2d6+1 fire", 3, "2d6+1", "fire", 0},
      {"3 d20", "d20", 3, "d20", "", 0},
      {"30#d6", "d6", 30, "d6", "", 0},
      {"1#d6", "d6", 1, "d6", "", 0},
      {"007#d6", "d6", 7, "d6", "", 0},
      {"3#", "", 3, "", "", 0},
      {"", "", 1, "", "", 0},
      {"3d6 skill 12 sword", "3d6 skill 12 sword", 1, "3d6", "12 sword", 12},
      {"skill 14", "skill 14", 1, "", "14", 14},
      {"3d6 skill 0", "3d6 skill 0", 1, "3d6", "0", 0},
      {"2d6 Skill 12", "2d6 Skill 12", 1, "2d6", "Skill 12", 0},
      {"2d6 skill", "2d6 skill", 1, "2d6", "", 0},
      {"2d6 skill ", "2d6 skill ", 1, "2d6", "", 0},
      {"3d6 skill14", "3d6 skill14", 1, "3d6", "4", 4},
      {"3d6 skillful 9", "3d6 skillful 9", 1, "3d6", "ul 9", 0},
      {"2d6+skill 5", "2d6+skill 5", 1, "2d6", "5", 5},
      {"3d6 skill 12x", "3d6 skill 12x", 1, "3d6", "12x", 12},
      {"3d6 skill 12 skill 5", "3d6 skill 12 skill 5", 1, "3d6", "12 skill 5",
       12},
      {"2d6 to hit", "2d6 to hit", 1, "2d6", "to hit", 0},
      {"2d6  to hit", "2d6  to hit", 1, "2d6", " to hit", 0},
      {"2d6 ", "2d6 ", 1, "2d6", "", 0},
      {"4#d20 skill 14 dodge", "d20 skill 14 dodge", 4, "d20", "14 dodge", 14},
      {"3d6 skill 99999999999", "3d6 skill 99999999999", 1, "3d6",
       "99999999999", 2147483647},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer = BufferOf(c.request);
    Rollwright request(buffer.data());
    EXPECT_STREQ(buffer.data(), c.bufferAfter) << c.request;
    EXPECT_EQ(request.Sets(), c.sets) << c.request;
    EXPECT_STREQ(request.Expression().Text(), c.expression) << c.request;
    EXPECT_STREQ(request.Comment().Text(), c.comment) << c.request;
    EXPECT_EQ(request.Skill(), c.skill) << c.request;
    EXPECT_TRUE(request.Rolls().empty()) << c.request;
  }
}

TEST(Parse, RejectsBadSetCountsAndCharacters) {
  struct Case {
    const char* request;
    Code expected;
  };
  const Case cases[] = {
      {"31#d6", Code::TooManySets},
      {"31 d6", Code::TooManySets},
      {"4294967297#d6", Code::TooManySets},
      {"99999999999999999999#d6", Code::TooManySets},
      {"0#d6", Code::InvalidOperand},
      {"#d6", Code::InvalidOperand},
      {" d6", Code::InvalidOperand},
      {"#", Code::InvalidOperand},
      {"2D6", Code::IllegalCharacter},
      {"2d6+(1)", Code::IllegalCharacter},
      {"2d6/2", Code::IllegalCharacter},
      {"12 fire", Code::IllegalCharacter},
      {"3#3#d6", Code::IllegalCharacter},
      {"2d6 to hit skill 5", Code::IllegalCharacter},
      {"d6\tfire", Code::IllegalCharacter},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer = BufferOf(c.request);
    try {
      Rollwright request(buffer.data());
      ADD_FAILURE() << c.request << " was accepted";
    } catch (const Rollwright::DiceError& error) {
      EXPECT_EQ(error.code, c.expected) << c.request;
    }
  }
}

TEST(Parse, DropsTheCharacterBeforeSkillWhateverItIs) {
  std::vector<char> buffer = BufferOf("2d6skill 5");
  Rollwright request(buffer.data());
  EXPECT_STREQ(request.Expression().Text(), "2d");
  EXPECT_EQ(request.Skill(), 5);
}

TEST(Parse, KeepsThePrefixRemovalWhenALaterStepFails) {
  std::vector<char> buffer = BufferOf("12 fire");
  EXPECT_THROW(Rollwright request(buffer.data()), Rollwright::DiceError);
  EXPECT_STREQ(buffer.data(), "fire");
}

}  // namespace
}  // namespace rollwright
