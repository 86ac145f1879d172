// SPDX-License-Identifier: MIT
// The reply sentence:
//
//   "rolls " [ sets "#" | "a " ] expression
//     [ " against " comment | " " comment ] " and gets " entry { ", " entry }
//   entry = total [ " with a Critical Failure" | grade ]
//
// A sentence longer than the host's buffer allows is cut after the last whole
// entry that fits, so a host never shows a number cut in half; when not even
// the first entry fits, it is cut at the last character that fits.
#include <cstring>

#include "dice/outcome_texts.h"
#include "dice/roll_request.h"

namespace rollwright {

inline constexpr int32_t kMaxReplyLength = ReplyCapacity - 1;

void Rollwright::WriteResult(char* buffer) const {
  int32_t cut = 0;
  String s = Sentence(cut);
  int32_t size = s.Length() <= kMaxReplyLength ? s.Length() : cut;
  std::memcpy(buffer, s.Text(), static_cast<size_t>(size));
  buffer[size] = '\0';
}

String Rollwright::Sentence(int32_t& cut) const {
  String s("rolls ");
  if (sets > 1) {
    (s += sets) += '#';
  } else if (expression[0] == 'd') {
    s += "a ";
  }
  s += expression;
  if (skill != 0) {
    s += " against ";
  } else if (comment.Length() > 0) {
    s += ' ';
  }
  (s += comment) += " and gets ";
  cut = kMaxReplyLength;
  for (size_t i = 0; i < rolls.size(); ++i) {
    if (i > 0) s += ", ";
    AppendTotal(s, rolls[i]);
    if (s.Length() <= kMaxReplyLength) cut = s.Length();
  }
  return s;
}

void Rollwright::AppendTotal(String& s, const DiceRoll& roll) const {
  s += roll.total;
  if (roll.criticalFailure) {
    s += kCriticalFailureText.inReply;
  } else if (skill != 0) {
    s += kGradeTexts[GradeOf(skill, roll.total)].inReply;
  }
}

}  // namespace rollwright
