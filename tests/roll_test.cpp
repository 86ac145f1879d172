// SPDX-License-Identifier: MIT
// Totals are exact because the generator is seeded. From state 1 it gives
// 346, 130, 10982, 1090, 11656, ...: d6 faces 5, 5, 3, 5, 5, d4 faces 3, 3,
// 3, ..., d500 face 347. Seed 19 gives a first d20 of 20; seed 15 gives d20
// faces 15, 20 (d6 face 5 first); seed 38 gives d20 faces 20, 20.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "api/request_buffer.h"
#include "api/roll_record.h"
#include "api/roll_report.h"
#include "dice/answer.h"
#include "dice/random.h"
#include "dice/roll_request.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

using Code = Rollwright::DiceError::Code;

std::vector<DiceRoll> RollSeeded(uint32_t seed, const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  Rollwright request(buffer.data());
  RandomSeed(seed);
  request.Roll();
  return request.Rolls();
}

TEST(Roll, EvaluatesLeftToRightWithSignedTerms) {
  struct Case {
    const char* expression;
    int32_t total;
  };
  const Case cases[] = {
      {"3d6", 13},       {"d6", 5},      {"0d6", 5},      {"d500", 347},
      {"1d500", 347},    {"100d1", 100}, {"2+3*4", 20},   {"2+d6", 7},
      {"10-2d6+5", -5},  {"-2d6", -10},  {"2d6-1d6", 7},  {"3d6+2*2", 30},
      {"2d6+1d4*2", 16}, {"3-3", 0},     {"3-3+2d6", 10}, {"", 0},
      {"2d6+0d6", 13},
  };
  for (const Case& c : cases) {
    std::vector<DiceRoll> rolls = RollSeeded(1, c.expression);
    ASSERT_EQ(rolls.size(), 1u) << c.expression;
    EXPECT_EQ(rolls[0].total, c.total) << c.expression;
    EXPECT_FALSE(rolls[0].criticalFailure) << c.expression;
  }
}

TEST(Roll, CountsBareNumbersAndMultipliesByStarTerms) {
  struct Case {
    const char* expression;
    int32_t total;
  };
  const Case cases[] = {
      {"5", 5},        {"1#5", 5},        {"2*3d6", 26}, {"1+2*3d6", 39},
      {"2*3d6+1", 28}, {"2*3d6-1d6", 21}, {"3d6*2", 26},
  };
  for (const Case& c : cases) {
    std::vector<DiceRoll> rolls = RollSeeded(1, c.expression);
    EXPECT_EQ(rolls.back().total, c.total) << c.expression;
  }
}

TEST(Roll, SaturatesInsteadOfOverflowing) {
  struct Case {
    const char* expression;
    int32_t total;
  };
  const Case cases[] = {
      {"99999*99999", 2147483647},
      {"99999999999", 2147483647},
      {"2147483647+1", 2147483647},
      {"2147483647+1d6", 2147483647},
      {"1-99999*99999", -2147483647 - 1},
      {"1-2147483647-2147483647", -2147483647 - 1},
      {"1-2147483647-2147483647-2d6", -2147483647 - 1},
      {"99999*99999*3d6", 2147483647},
      {"1-99999*99999*3d6", -2147483647 - 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RollSeeded(1, c.expression).back().total, c.total)
        << c.expression;
  }
}

TEST(Roll, RaisesTheFirstErrorInOrder) {
  struct Case {
    const char* expression;
    Code expected;
  };
  const Case cases[] = {
      {"101d1", Code::TooManyDice},     {"1d501", Code::TooManySides},
      {"101d501", Code::TooManyDice},   {"4294967297d6", Code::TooManyDice},
      {"2d6d501", Code::TooManySides},  {"2d6d4", Code::InvalidOperand},
      {"dd6", Code::InvalidOperand},    {"2d6+0", Code::InvalidOperand},
      {"2d0", Code::InvalidOperand},    {"2d6+", Code::InvalidOperand},
      {"2d", Code::InvalidOperand},     {"d", Code::InvalidOperand},
      {"2d6++1", Code::InvalidOperand}, {"3-3+1", Code::InvalidOperand},
      {"3-3*2", Code::InvalidOperand},  {"-5", Code::InvalidOperand},
      {"+", Code::InvalidOperand},      {"2d0+101d6", Code::InvalidOperand},
      {"101d6+0", Code::TooManyDice},   {"2d6skill 5", Code::InvalidOperand},
  };
  for (const Case& c : cases) {
    try {
      RollSeeded(1, c.expression);
      ADD_FAILURE() << c.expression << " rolled without an error";
    } catch (const Rollwright::DiceError& error) {
      EXPECT_EQ(error.code, c.expected) << c.expression;
    }
  }
}

TEST(Roll, MarksATwentyOnTheFirstDieOfTheFirstTwentySidedGroup) {
  struct Case {
    uint32_t seed;
    const char* expression;
    std::vector<int32_t> totals;
    std::vector<bool> critical;
  };
  const Case cases[] = {
      {19, "d20", {20}, {true}},
      {19, "2*d20", {40}, {true}},
      {38, "2d20", {40}, {true}},
      {38, "d20+d20", {40}, {true}},
      {15, "2d20", {35}, {false}},     // the twenty is the second die
      {15, "d20+d20", {35}, {false}},  // the twenty is in the second group
      {15, "d6+d20", {25}, {true}},    // the first twenty-sided group
      {15, "2#d20", {15, 20}, {false, true}},
      {19, "d40", {20}, {false}},  // only twenty-sided groups mark
      {1, "3#d6", {5, 5, 3}, {false, false, false}},
      {1, "2#2d6", {10, 8}, {false, false}},
  };
  for (const Case& c : cases) {
    std::vector<DiceRoll> rolls = RollSeeded(c.seed, c.expression);
    ASSERT_EQ(rolls.size(), c.critical.size()) << c.expression;
    for (size_t i = 0; i < rolls.size(); ++i) {
      EXPECT_EQ(rolls[i].total, c.totals[i]) << c.expression << " set " << i;
      EXPECT_EQ(rolls[i].criticalFailure, c.critical[i])
          << c.expression << " set " << i;
    }
  }
}

// A set's total recomputed from its faces, left to right, each group's faces
// summed in its place: the test's own reading of the arithmetic.
int64_t TotalFromFaces(const std::string& e, const SetRecord& set) {
  size_t pos = 0;
  size_t group = 0;
  auto number = [&] {
    int64_t value = 0;
    for (; pos < e.size() && e[pos] >= '0' && e[pos] <= '9'; ++pos) {
      value = value * 10 + (e[pos] - '0');
    }
    return value;
  };
  auto apply = [](int64_t left, char op, int64_t right) {
    return op == '+' ? left + right : op == '-' ? left - right : left * right;
  };
  int64_t total = 0;
  char sign = '+';
  int64_t acc = number();
  while (pos < e.size()) {
    const char op = e[pos++];
    const int64_t right = number();
    if (pos < e.size() && e[pos] == 'd') {  // a group opens the next term
      total = apply(total, sign, acc);
      sign = op;
      acc = right;
    } else if (op == 'd') {
      acc = 0;
      for (int32_t face : set.groups[group++].faces) acc += face;
    } else {
      acc = apply(acc, op, right);
    }
  }
  return apply(total, sign, acc);
}

// A dice line's arithmetic read as anyone reads it: '*' before '+' and '-',
// parentheses first, a group's faces summed («20!» is 20).
class Arithmetic {
 public:
  explicit Arithmetic(const std::string& text) : s(text) {}
  int64_t Value() {
    const int64_t value = Sum();
    Skip();
    return at == s.size() ? value : INT64_MIN;  // all read, or a wrong line
  }

 private:
  void Skip() {
    while (at < s.size() && (s[at] == ' ' || s[at] == '!')) ++at;
  }
  bool Take(char c) {
    Skip();
    if (at >= s.size() || s[at] != c) return false;
    ++at;
    return true;
  }
  int64_t Sum() {
    int64_t value = Product();
    for (;;) {
      if (Take('+')) {
        value += Product();
      } else if (Take('-')) {
        value -= Product();
      } else {
        return value;
      }
    }
  }
  int64_t Product() {
    int64_t value = Factor();
    while (Take('*')) value *= Factor();
    return value;
  }
  int64_t Factor() {
    if (Take('-')) return -Factor();
    if (Take('(')) {
      const int64_t value = Sum();
      return Take(')') ? value : INT64_MIN;
    }
    if (Take('[')) {
      int64_t sum = 0;
      while (!Take(']') && at < s.size()) sum += Number();
      return sum;
    }
    return Number();
  }
  int64_t Number() {
    Skip();
    int64_t value = 0;
    for (; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at) {
      value = value * 10 + (s[at] - '0');
    }
    return value;
  }

  const std::string& s;
  size_t at = 0;
};

TEST(Roll, AnObserverSeesTheFacesBehindEveryTotal) {
  struct Case {
    const char* request;
    uint32_t seed;
  };
  const Case cases[] = {
      {"3d6+2", 1},         {"10-2d6+5", 1},
      {"2*3d6", 1},         {"0d6+d4*2", 1},
      {"-2d6+3", 1},        {"d20+d20", 19},
      {"2#d20+2d20", 38},   {"30#3d6 skill 12 sword", 7},
      {"3#100d500-d4", 2},  {"5#10-2d6+5", 3},
      {"5#2*3d6+1", 4},     {"5#1+2*3d6", 5},
      {"5#2d6+3*2", 6},     {"5#3d6-1d4*2", 8},
      {"4#2+3*4-d6*d4", 9},
  };
  for (const Case& c : cases) {
    const std::string reply = AskSeeded(c.seed, c.request);
    std::vector<char> buffer = RequestBuffer(c.request);
    RollRecord record;
    RandomSeed(c.seed);
    Answer(buffer.data(), &record);
    EXPECT_EQ(buffer.data(), reply) << c.request;
    ASSERT_TRUE(record.Reading()) << c.request;
    EXPECT_EQ(static_cast<int32_t>(record.Sets().size()),
              record.Reading()->sets);
    // Each dice line, read as ordinary arithmetic, gives its set's total.
    std::istringstream lines(DiceLines(record));
    std::string line;
    for (const SetRecord& set : record.Sets()) {
      ASSERT_TRUE(std::getline(lines, line)) << c.request;
      const size_t faces = line.find("  ") + 2;
      const std::string shown = line.substr(faces, line.rfind(" = ") - faces);
      EXPECT_EQ(Arithmetic(shown).Value(), set.outcome.total) << line;
    }
    for (const SetRecord& set : record.Sets()) {
      const std::string& expression = record.Reading()->expression;
      EXPECT_EQ(TotalFromFaces(expression, set), set.outcome.total)
          << c.request;
      const GroupFaces* firstTwenty = nullptr;
      for (const GroupFaces& group : set.groups) {
        if (group.sides == 20 && firstTwenty == nullptr) firstTwenty = &group;
      }
      EXPECT_EQ(set.outcome.criticalFailure,
                firstTwenty != nullptr && firstTwenty->faces[0] == 20)
          << c.request;
    }
  }
}

}  // namespace
}  // namespace rollwright
