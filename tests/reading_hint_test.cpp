// SPDX-License-Identifier: MIT
#include "api/reading_hint.h"

#include <gtest/gtest.h>

#include <string>

#include "api/request_buffer.h"
#include "dice/answer.h"

namespace rollwright {
namespace {

// The hint for request as the module reads it; empty for none.
std::string HintFor(const std::string& request) {
  std::vector<char> buffer = RequestBuffer(request);
  RollRecord record;
  Answer(buffer.data(), &record);
  return ReadingHint(request, record.Reading()).value_or("");
}

TEST(ReadingHint, NamesLikelySlipsAndLeavesPlainRequestsAlone) {
  struct Case {
    const char* request;
    const char* hint;
  };
  const Case cases[] = {
      {"2d6 + 3",
       "read as «2d6» with the comment «+ 3»: the expression ends at the "
       "first space; write «2d6+3»"},
      {"2d6 *2 fire",
       "read as «2d6» with the comment «*2 fire»: the expression ends at the "
       "first space; write «2d6*2 fire»"},
      {"2d6 d4",
       "read as «2d6» with the comment «d4»: the expression ends at "
       "the first space; write «2d6+d4»"},
      {"3d6 skill12",
       "read as «3d6» against 2: \"skill\" takes the one character on each "
       "side of it as a space; write «3d6 skill 12»"},
      {"d20skill 14",
       "read as «d2» against 14: \"skill\" takes the one character on each "
       "side of it as a space; write «d20 skill 14»"},
      {"3d6  skill 12",
       "\"skill\" takes the one character on each side of it as a space; "
       "write «3d6 skill 12»"},
      {"3 d6", "read as 3 sets of «d6»; for 3 dice in one set write «3d6»"},
      {"3d6 skill 0",
       "a skill level of 0 makes no skill test: read as «3d6» with the "
       "comment «0»"},
      {"3d6 skill 12 sword", ""},
      {"3#d20 to hit", ""},
      {"3 2d6", ""},
      {"2d6-1 fire", ""},
      {"skill 14", ""},
      {"2d6 with skillful hands", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HintFor(c.request), c.hint) << c.request;
  }
}

}  // namespace
}  // namespace rollwright
