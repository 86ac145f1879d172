// SPDX-License-Identifier: MIT
// A word on how a request was read, when the reading is likely a slip: the
// request language is fixed, and some of its readings surprise players
// («2d6 + 3» rolls 2d6 with the comment «+ 3»). The reply never changes; the
// hint says how the request was read and how to write what was probably
// meant.
#ifndef ROLLWRIGHT_API_READING_HINT_H_
#define ROLLWRIGHT_API_READING_HINT_H_

#include <optional>
#include <string>

#include "api/roll_record.h"

namespace rollwright {

// The hint for request, which the module read as reading (nothing when it
// could not read it) and answered with an error reply when isError, or
// nothing when the request reads as it looks. One table in reading_hint.cpp
// holds every slip, the first that matches speaking:
// - an error reply's likely cause: a space before the request, an upper-case
//   «D», «d%», a keep or drop code («4d6kh3»), '/' or 'x';
// - an empty request, which rolls nothing;
// - a set count from digits and a space before a group («3 d6»);
// - "skill" without a space on each side («3d6 skill12», «d20skill 14»), or
//   with two before it;
// - a skill level of 0, which makes no skill test;
// - a comment whose first word asks for what rollwright does not do:
//   advantage («1d20 adv», «2d20 dis»), keep or drop («4d6 kh3»), a skill
//   test spelt otherwise («3d6 Skill 12», «3d6 vs 12», «d20 dc 15»);
// - a comment that begins like arithmetic («2d6 + 3», «2d6 *2», «1d6 1d6»);
// - a group with a count of 0, which rolls one die («0d6»);
// - an expression whose fold differs from ordinary precedence («1+2*3d6» is
//   «(1+2)*3d6»).
std::optional<std::string> ReadingHint(
    const std::string& request, const std::optional<RequestReading>& reading,
    bool isError);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_READING_HINT_H_
