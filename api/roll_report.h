// SPDX-License-Identifier: MIT
// A roll's record shown to people and to programs: a line of dice per set,
// and (api/rollwright_api.h) one JSON object per request.
#ifndef ROLLWRIGHT_API_ROLL_REPORT_H_
#define ROLLWRIGHT_API_ROLL_REPORT_H_

#include <string>

#include "api/roll_record.h"

namespace rollwright {

// One line per set rolled, each the expression as read, then its faces in
// the expression's own shape and the total: «3d6+2  [4 2 6] +2 = 14». Where
// rolling's fold differs from ordinary precedence, parentheses show it
// (api/fold_text.h), so the line read as arithmetic gives the total:
// «10-2d6+5  10 -([1 2] +5) = 2». The twenty that makes a Critical Failure
// is marked «20!».
std::string DiceLines(const RollRecord& record);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_ROLL_REPORT_H_
