// SPDX-License-Identifier: MIT
#include "text/string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace rollwright {
namespace {

std::string Of(const String& s) { return std::string(s.Text()); }

TEST(String, KeepsLengthAndTextTogether) {
  String empty;
  EXPECT_EQ(empty.Length(), 0);
  EXPECT_EQ(Of(empty), "");
  String text("2d6 fire");
  EXPECT_EQ(text.Length(), 8);
  EXPECT_EQ(text[8], '\0');
  EXPECT_EQ(text[2], '6');
}

TEST(String, FromCutsAtItsBoundaries) {
  struct Case {
    const char* text;
    int32_t position;
    const char* expected;
  };
  const Case cases[] = {
      {"2d6 fire", 0, "2d6 fire"}, {"2d6 fire", 4, "fire"},
      {"2d6 fire", 7, "e"},        {"2d6 fire", 8, ""},
      {"2d6 fire", 13, ""},        {"", 0, ""},
  };
  for (const Case& c : cases) {
    String s(c.text);
    EXPECT_EQ(Of(s.From(c.position)), c.expected)
        << c.text << " " << c.position;
    EXPECT_EQ(Of(s), c.text);
  }
}

TEST(String, MidCutsAtItsBoundaries) {
  struct Case {
    int32_t start;
    int32_t count;
    const char* expected;
  };
  const Case cases[] = {
      {0, 0, ""},          {0, -1, ""},  {0, 3, "2d6"}, {0, 8, "2d6 fire"},
      {0, 20, "2d6 fire"}, {4, 2, "fi"}, {8, 1, ""},    {9, 1, ""},
  };
  const String s("2d6 fire");
  for (const Case& c : cases) {
    EXPECT_EQ(Of(s.Mid(c.start, c.count)), c.expected)
        << c.start << " " << c.count;
  }
}

TEST(String, FindIsCaseSensitiveAndStaysInside) {
  struct Case {
    const char* text;
    int32_t start;
    const char* needle;
    int32_t expected;
  };
  const Case cases[] = {
      {"2d6 skill 5", 0, "skill", 4}, {"2d6 Skill 5", 0, "skill", -1},
      {"skillful", 0, "skill", 0},    {"2d6 skil", 0, "skill", -1},
      {"skill", 1, "skill", -1},      {"a skill skill", 3, "skill", 8},
      {"2d6 to hit", 0, " ", 3},      {"", 0, " ", -1},
      {"sskill", 0, "skill", 1},      {"2d6", 5, "d", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(String(c.text).Find(c.start, c.needle), c.expected)
        << c.text << " " << c.start;
  }
}

TEST(String, AppendsNumbersInDecimal) {
  struct Case {
    int32_t number;
    const char* expected;
  };
  const Case cases[] = {
      {7, "gets 7"},
      {-7, "gets -7"},
      {0, "gets 0"},
      {-12, "gets -12"},
      {INT32_MAX, "gets 2147483647"},
      {INT32_MIN, "gets -2147483648"},
  };
  for (const Case& c : cases) {
    String s("gets ");
    s += c.number;
    EXPECT_EQ(Of(s), c.expected);
    EXPECT_EQ(s.Length(), static_cast<int32_t>(std::string(c.expected).size()));
  }
}

TEST(String, AppendsTextStringsAndCharactersInChains) {
  String s("rolls ");
  String expression("3d6");
  (((s += expression) += ' ') += "fire") += s;
  EXPECT_EQ(Of(s), "rolls 3d6 firerolls 3d6 fire");
  EXPECT_EQ(s.Length(), 28);
}

TEST(String, AppendingItselfDoublesIt) {
  String s("ab");
  s += s;
  EXPECT_EQ(Of(s), "abab");
}

TEST(String, SelfAssignmentKeepsTheText) {
  String s("3d6 fire");
  const String& same = s;
  s = same;
  EXPECT_EQ(Of(s), "3d6 fire");
  EXPECT_EQ(s.Length(), 8);
}

TEST(String, CopiesAreIndependent) {
  String original("3d6");
  String copy(original);
  String assigned;
  assigned = original;
  copy += "+1";
  assigned[0] = '4';
  EXPECT_EQ(Of(original), "3d6");
  EXPECT_EQ(Of(copy), "3d6+1");
  EXPECT_EQ(Of(assigned), "4d6");
}

TEST(String, MoveAssignmentLeavesBothOwningABlock) {
  String target("old");
  String source("new text");
  target = std::move(source);
  EXPECT_EQ(Of(target), "new text");
  EXPECT_EQ(target.Length(), 8);
  source += "!";  // the moved-from string is still a usable string
  EXPECT_EQ(source[source.Length()], '\0');
}

}  // namespace
}  // namespace rollwright
