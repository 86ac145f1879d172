// SPDX-License-Identifier: MIT
#include "api/reading_hint.h"

#include <gtest/gtest.h>

#include <string>

#include "api/request_buffer.h"
#include "dice/answer.h"
#include "dice/dice_error.h"

namespace rollwright {
namespace {

// The hint for request as the module reads it; empty for none.
std::string HintFor(const std::string& request) {
  std::vector<char> buffer = RequestBuffer(request);
  RollRecord record;
  Answer(buffer.data(), &record);
  return ReadingHint(request, record.Reading(), IsErrorMessage(buffer.data()))
      .value_or("");
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
      {"1d6 1d6",
       "read as «1d6» with the comment «1d6»: the expression ends at "
       "the first space; write «1d6+1d6»"},
      {"1d20 adv",
       "read as «1d20» with the comment «adv»: rollwright has no advantage; "
       "roll «2#d20» and take the higher"},
      {"2d20 dis",
       "read as «2d20» with the comment «dis»: rollwright has no "
       "disadvantage; roll «2#d20» and take the lower"},
      {"d20+3 advantage",
       "read as «d20+3» with the comment «advantage»: rollwright has no "
       "advantage; roll «2#d20+3» and take the higher"},
      {"4d6 kh3",
       "read as «4d6» with the comment «kh3»: rollwright keeps every die; "
       "roll «4d6» and keep the highest 3 yourself"},
      {"3d6 Skill 12",
       "read as «3d6» with the comment «Skill 12»: no skill test; for one (a "
       "total of 12 or less succeeds) write «3d6 skill 12»"},
      {"2#3d6 SKILL 12 sword",
       "read as «3d6» with the comment «SKILL 12 sword»: no skill test; for "
       "one (a total of 12 or less succeeds) write «2#3d6 skill 12 sword»"},
      {"3d6 vs 12",
       "read as «3d6» with the comment «vs 12»: no skill test; for one (a "
       "total of 12 or less succeeds) write «3d6 skill 12»"},
      {"d20 dc 15",
       "read as «d20» with the comment «dc 15»: no skill test; for one (a "
       "total of 15 or less succeeds) write «d20 skill 15»"},
      {"0d6", "a count of 0 rolls one die: write «d6»"},
      {"2+00d4*2", "a count of 0 rolls one die: write «2+d4*2»"},
      {"", "an empty request rolls nothing and totals 0"},
      {"1+2*3d6",
       "read as «(1+2)*3d6»: rollwright works left to right, and each dice "
       "group opens a term"},
      {"2d6+3*2",
       "read as «(2d6+3)*2»: rollwright works left to right, and each dice "
       "group opens a term"},
      {"10-2d6+5",
       "read as «10-(2d6+5)»: rollwright works left to right, and each dice "
       "group opens a term"},
      {"3D6", "write «d» in lower case: «3D6» → «3d6»"},
      {"2#3D6 fire", "write «d» in lower case: «2#3D6» → «2#3d6»"},
      {"d%", "write «d100» for a percentile die"},
      {"4d6kh3",
       "rollwright keeps every die; roll «4d6» and keep the highest 3 "
       "yourself"},
      {"2d20kl1",
       "rollwright keeps every die; roll «2d20» and keep the "
       "lowest 1 yourself"},
      {"2d6/2",
       "rollwright has no division: its operators are «+», «-» and «*»"},
      {"2x3", "write «*» to multiply: «2x3» → «2*3»"},
      {" 2d6",
       "a space at the start is read as the separator of a set count, and "
       "there is none: write «2d6»"},
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
      {"2#d20+2 skill 14 dodge", ""},
      {"3d6 to hit", ""},
      {"d20 adv skill 14", ""},
      {"2*3d6", ""},
      {"d6 vs orcs", ""},
      {"2d6*", ""},
      {"30d6 x", ""},
      {"DANGER", ""},
      {"fox", ""},
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
