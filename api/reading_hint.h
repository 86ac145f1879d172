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
// could not read it), or nothing when the request reads as it looks:
// - a set count from digits and a space before a group («3 d6»);
// - "skill" without a space on each side («3d6 skill12», «d20skill 14»), or
//   with two before it;
// - a skill level of 0, which makes no skill test;
// - a comment that begins like arithmetic («2d6 + 3», «2d6 *2», «2d6 d4»).
std::optional<std::string> ReadingHint(
    const std::string& request, const std::optional<RequestReading>& reading);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_READING_HINT_H_
