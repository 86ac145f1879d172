// SPDX-License-Identifier: MIT
#include "api/reading_hint.h"

#include <string_view>

#include "dice/characters.h"

namespace rollwright {
namespace {

std::string Quoted(std::string_view text) {
  return "\xC2\xAB" + std::string(text) + "\xC2\xBB";  // «text»
}

// «3 d6»: digits and a space before a group are a set count.
std::optional<std::string> SetCountHint(const std::string& request) {
  size_t digits = 0;
  while (digits < request.size() && IsDigit(request[digits])) ++digits;
  if (digits == 0 || request.compare(digits, 2, " d") != 0) return std::nullopt;
  const std::string count = request.substr(0, digits);
  return "read as " + count + " sets of " + Quoted(request.substr(digits + 1)) +
         "; for " + count + " dice in one set write " +
         Quoted(count + request.substr(digits + 1));
}

// "skill" drops the one character on each side of it unseen.
std::optional<std::string> SkillSpacingHint(
    const std::string& request, const std::optional<RequestReading>& reading) {
  const size_t k = request.find("skill");
  if (k == std::string::npos || k == 0 || k + 5 == request.size()) {
    return std::nullopt;
  }
  const char before = request[k - 1];
  const char after = request[k + 5];
  const bool gluedToExpression = IsDigit(before) || before == 'd';
  const bool twoSpacesBefore = before == ' ' && k > 1 && request[k - 2] == ' ';
  if (!gluedToExpression && !twoSpacesBefore && !IsDigit(after)) {
    return std::nullopt;
  }
  size_t start = k;
  while (start > 0 && request[start - 1] == ' ') --start;
  size_t end = k + 5;
  while (end < request.size() && request[end] == ' ') ++end;
  const std::string meant =
      request.substr(0, start) + " skill " + request.substr(end);
  std::string how;
  if (reading) {
    how = "read as " + Quoted(reading->expression) +
          (reading->skill != 0 ? " against " + std::to_string(reading->skill)
                               : " with no skill test") +
          ": ";
  }
  return how +
         "\"skill\" takes the one character on each side of it as a space; "
         "write " +
         Quoted(meant);
}

std::optional<std::string> ZeroLevelHint(
    const std::string& request, const std::optional<RequestReading>& reading) {
  if (!reading || reading->skill != 0 ||
      request.find("skill") == std::string::npos) {
    return std::nullopt;
  }
  return "a skill level of 0 makes no skill test: read as " +
         Quoted(reading->expression) + " with the comment " +
         Quoted(reading->comment);
}

// «2d6 + 3»: the expression ends at the first space.
std::optional<std::string> ArithmeticCommentHint(
    const std::optional<RequestReading>& reading) {
  if (!reading || reading->skill != 0) return std::nullopt;
  const std::string& comment = reading->comment;
  const bool arithmetic =
      !comment.empty() &&
      (comment[0] == '+' || comment[0] == '-' || comment[0] == '*' ||
       (comment[0] == 'd' && comment.size() > 1 && IsDigit(comment[1])));
  if (!arithmetic) return std::nullopt;
  // The comment's arithmetic, its spaces dropped, joined to the expression.
  std::string meant = reading->expression + (comment[0] == 'd' ? "+" : "");
  size_t i = 0;
  for (; i < comment.size(); ++i) {
    const char c = comment[i];
    if (c == ' ') continue;
    if (!IsLegal(c)) break;
    meant += c;
  }
  if (i < comment.size()) meant.append(" ").append(comment, i);
  return "read as " + Quoted(reading->expression) + " with the comment " +
         Quoted(comment) + ": the expression ends at the first space; write " +
         Quoted(meant);
}

}  // namespace

std::optional<std::string> ReadingHint(
    const std::string& request, const std::optional<RequestReading>& reading) {
  if (auto hint = SetCountHint(request)) return hint;
  if (auto hint = SkillSpacingHint(request, reading)) return hint;
  if (auto hint = ZeroLevelHint(request, reading)) return hint;
  return ArithmeticCommentHint(reading);
}

}  // namespace rollwright
