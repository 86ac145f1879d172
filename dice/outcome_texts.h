// SPDX-License-Identifier: MIT
// The words of each outcome of a set: how a reply names it after the total,
// and the name the odds and the screens give it. One table that the reply
// sentence, the tool's colours and odds report, and the page (through its
// bindings) all read.
#ifndef ROLLWRIGHT_DICE_OUTCOME_TEXTS_H_
#define ROLLWRIGHT_DICE_OUTCOME_TEXTS_H_

#include "dice/rules.h"

namespace rollwright {

struct OutcomeText {
  const char* inReply;  // follows the total in the reply sentence
  const char* name;
};

// Indexed by Grade.
inline constexpr OutcomeText kGradeTexts[] = {
    {" for an Amazing Success", "Amazing Success"},
    {" for a Good Success", "Good Success"},
    {" for an Ordinary Success", "Ordinary Success"},
    {" Failing", "Failing"},
};
static_assert(sizeof kGradeTexts / sizeof kGradeTexts[0] == Failing + 1);

inline constexpr OutcomeText kCriticalFailureText = {" with a Critical Failure",
                                                     "Critical Failure"};

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_OUTCOME_TEXTS_H_
