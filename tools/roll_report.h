// SPDX-License-Identifier: MIT
// A roll's record shown to people and to programs: a line of dice per set,
// and one JSON object per request.
#ifndef ROLLWRIGHT_TOOLS_ROLL_REPORT_H_
#define ROLLWRIGHT_TOOLS_ROLL_REPORT_H_

#include <string>
#include <string_view>

#include "tools/roll_record.h"

namespace rollwright {

// One line per set rolled, each the expression as read, then its faces in
// the expression's own shape and the total: «3d6+2  [4 2 6] +2 = 14». The
// twenty that makes a Critical Failure is marked «20!».
std::string DiceLines(const RollRecord& record);

// The request, the reply, how the request was read and each set's outcome
// and dice, as one line of JSON:
//
//   {"request": s, "reply": s,
//    "read": {"sets": n, "expression": s, "skill": n, "comment": s},
//    "sets": [{"total": n, "grade": s | null, "critical": b,
//              "dice": [{"sides": n, "faces": [n, ...]}, ...]}, ...]}
//
// An error reply has "error" (the message) in place of "sets", and "read"
// only when the request was read before the error. Strings are UTF-8, any
// byte that is not written as U+FFFD.
std::string RollJson(std::string_view request, std::string_view reply,
                     bool isError, const RollRecord& record);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_ROLL_REPORT_H_
