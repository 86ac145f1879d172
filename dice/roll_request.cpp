// SPDX-License-Identifier: MIT
// Construction: reading a request.
//
//   request    = [ sets separator ] expression [ " " comment ]
//              | [ sets separator ] expression any "skill" any level comment
//   sets       = digit { digit }         a count from 1 to 30
//   separator  = " " | "#"               exactly one is skipped
//   expression = { digit | "d" | "+" | "-" | "*" }
//   level      = { digit }               no digits: no skill test
//
// Digits followed by a separator are always a set count. Only the first
// "skill" counts, wherever it stands (inside a longer word too); the one
// character before it and the one after it are dropped unseen. The comment
// after "skill" keeps the level's digits. Without "skill" the expression ends
// at the first space and everything after that space is the comment.
#include "dice/roll_request.h"

#include <cstring>

#include "dice/saturating.h"

namespace rollwright {

Rollwright::Rollwright(char* buffer) {
  ParseSets(buffer);
  ParseInput(buffer);
}

void Rollwright::ParseSets(char* buffer) {
  int32_t count = 0;
  char* at = buffer;
  for (; IsDigit(*at); ++at) count = AppendDigit(count, *at);
  if (*at != ' ' && *at != '#') {
    sets = 1;  // any digits read belong to the expression
    return;
  }
  if (count > kMaxSets) throw DiceError(DiceError::TooManySets);
  if (count == 0) throw DiceError(DiceError::InvalidOperand);
  sets = count;
  const char* rest = at + 1;
  std::memmove(buffer, rest, std::strlen(rest) + 1);
}

void Rollwright::ParseInput(const char* buffer) {
  skill = 0;
  expression = String(buffer);
  int32_t k = expression.Find(0, "skill");
  if (k == -1) {
    int32_t space = expression.Find(0, " ");
    int32_t end = space == -1 ? expression.Length() : space;
    comment = expression.From(end + 1);
    if (end < expression.Length()) expression = expression.Mid(0, end);
  } else {
    SplitAtSkill(k);
  }
  Validate();
}

void Rollwright::SplitAtSkill(int32_t k) {
  int32_t level = k + 6;
  comment = expression.From(level);
  for (int32_t i = level; i < expression.Length() && IsDigit(expression[i]);
       ++i) {
    skill = AppendDigit(skill, expression[i]);
  }
  expression = expression.Mid(0, k - 1);
}

void Rollwright::Validate() const {
  for (int32_t i = 0; i < expression.Length(); ++i) {
    if (!IsLegal(expression[i])) throw DiceError(DiceError::IllegalCharacter);
  }
}

}  // namespace rollwright
