// SPDX-License-Identifier: MIT
#include "api/reading_hint.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string_view>

#include "api/fold_text.h"
#include "dice/characters.h"

namespace rollwright {
namespace {

// What each rule of the table below looks at.
struct Asked {
  const std::string& request;
  const std::optional<RequestReading>& reading;
  bool isError;
};
using Hint = std::optional<std::string>;

std::string Quoted(std::string_view text) {
  return "\xC2\xAB" + std::string(text) + "\xC2\xBB";  // «text»
}

bool SameWord(std::string_view text, std::string_view word) {
  return text.size() == word.size() &&
         std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// Where the expression starts: after a set count and its separator.
size_t ExpressionStart(const std::string& request) {
  size_t start = 0;
  while (start < request.size() && IsDigit(request[start])) ++start;
  if (start == 0 || start == request.size() ||
      (request[start] != '#' && request[start] != ' ')) {
    return 0;
  }
  return start + 1;
}

// The request up to the end of its expression's word.
std::string FirstWord(const std::string& request) {
  return request.substr(0, request.find(' ', ExpressionStart(request)));
}

// «3D6» → «3d6»: the first word with each of the characters in from written
// as to, when that leaves its expression only legal characters.
Hint Corrected(const std::string& request, std::string_view from, char to) {
  const std::string word = FirstWord(request);
  std::string meant = word;
  const size_t start = ExpressionStart(request);
  for (size_t at = start; at < meant.size(); ++at) {
    if (from.find(meant[at]) != std::string_view::npos) meant[at] = to;
  }
  const bool legal = std::all_of(
      meant.begin() + static_cast<std::ptrdiff_t>(start), meant.end(), IsLegal);
  if (meant == word || !legal) return std::nullopt;
  return Quoted(word) + " \xE2\x86\x92 " + Quoted(meant);  // →
}

// «kh3», «kl», «dh1», «dl»: a keep or drop code, in words.
std::optional<std::string> KeepOrDrop(std::string_view code) {
  const std::pair<std::string_view, const char*> codes[] = {
      {"kh", "keep the highest"},
      {"kl", "keep the lowest"},
      {"k", "keep the highest"},
      {"dh", "drop the highest"},
      {"dl", "drop the lowest"}};
  for (const auto& [prefix, words] : codes) {
    if (code.substr(0, prefix.size()) != prefix) continue;
    const std::string_view count = code.substr(prefix.size());
    if (!std::all_of(count.begin(), count.end(), IsDigit)) return std::nullopt;
    return words + (count.empty() ? "" : " " + std::string(count));
  }
  return std::nullopt;
}

std::string KeepEveryDie(std::string_view roll, const std::string& code) {
  return "rollwright keeps every die; roll " + Quoted(roll) + " and " + code +
         " yourself";
}

// Error replies: a character or a space the request language does not have.

Hint LeadingSpace(const Asked& asked) {
  if (!asked.isError || asked.request.empty() || asked.request[0] != ' ') {
    return std::nullopt;
  }
  return "a space at the start is read as the separator of a set count, "
         "and there is none: write " +
         Quoted(asked.request.substr(asked.request.find_first_not_of(' ')));
}

Hint UpperCaseDie(const Asked& asked) {
  if (!asked.isError) return std::nullopt;
  const Hint corrected = Corrected(asked.request, "D", 'd');
  if (!corrected) return std::nullopt;
  return "write \xC2\xAB"
         "d\xC2\xBB in lower case: " +
         *corrected;
}

Hint PercentileDie(const Asked& asked) {
  if (!asked.isError ||
      FirstWord(asked.request).find("d%") == std::string::npos) {
    return std::nullopt;
  }
  return "write \xC2\xAB"
         "d100\xC2\xBB for a percentile die";
}

// «4d6kh3»: a group followed by a keep or drop code.
Hint KeepOrDropInExpression(const Asked& asked) {
  if (!asked.isError) return std::nullopt;
  const std::string word = FirstWord(asked.request);
  for (size_t at = 1; at < word.size(); ++at) {
    if (!IsDigit(word[at - 1])) continue;
    if (auto code = KeepOrDrop(std::string_view(word).substr(at))) {
      return KeepEveryDie(word.substr(0, at), *code);
    }
  }
  return std::nullopt;
}

Hint Division(const Asked& asked) {
  if (!asked.isError ||
      FirstWord(asked.request).find('/') == std::string::npos) {
    return std::nullopt;
  }
  return "rollwright has no division: its operators are \xC2\xAB+\xC2\xBB, "
         "\xC2\xAB-\xC2\xBB and \xC2\xAB*\xC2\xBB";
}

Hint LetterTimes(const Asked& asked) {
  if (!asked.isError) return std::nullopt;
  const Hint corrected = Corrected(asked.request, "xX", '*');
  if (!corrected) return std::nullopt;
  return "write \xC2\xAB*\xC2\xBB to multiply: " + *corrected;
}

// Readings: a request that rolls, but maybe not what was meant.

Hint EmptyRequest(const Asked& asked) {
  if (!asked.request.empty()) return std::nullopt;
  return "an empty request rolls nothing and totals 0";
}

// «3 d6»: digits and a space before a group are a set count.
Hint SetCount(const Asked& asked) {
  const std::string& request = asked.request;
  size_t digits = 0;
  while (digits < request.size() && IsDigit(request[digits])) ++digits;
  if (digits == 0 || request.compare(digits, 2, " d") != 0) return std::nullopt;
  const std::string count = request.substr(0, digits);
  return "read as " + count + " sets of " + Quoted(request.substr(digits + 1)) +
         "; for " + count + " dice in one set write " +
         Quoted(count + request.substr(digits + 1));
}

// "skill" drops the one character on each side of it unseen.
Hint SkillSpacing(const Asked& asked) {
  const std::string& request = asked.request;
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
  if (const auto& reading = asked.reading) {
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

Hint ZeroLevel(const Asked& asked) {
  const auto& reading = asked.reading;
  if (!reading || reading->skill != 0 ||
      asked.request.find("skill") == std::string::npos) {
    return std::nullopt;
  }
  return "a skill level of 0 makes no skill test: read as " +
         Quoted(reading->expression) + " with the comment " +
         Quoted(reading->comment);
}

// The digits at the start of text.
size_t LeadingDigits(std::string_view text) {
  return static_cast<size_t>(
      std::find_if_not(text.begin(), text.end(), IsDigit) - text.begin());
}

// «1d20 adv», «2d20 dis»: one d20 in each of two sets.
Hint Advantage(const std::string& word, const std::string& expression) {
  const bool higher = SameWord(word, "adv") || SameWord(word, "advantage");
  if (!higher && !SameWord(word, "dis") && !SameWord(word, "disadvantage")) {
    return std::nullopt;
  }
  const size_t count = LeadingDigits(expression);
  const bool d20 =
      expression.compare(count, 3, "d20") == 0 &&
      (count + 3 == expression.size() || !IsDigit(expression[count + 3]));
  const std::string once = d20 ? expression.substr(count) : expression;
  return std::string("rollwright has no ") +
         (higher ? "advantage" : "disadvantage") + "; roll " +
         Quoted("2#" + once) + " and take the " + (higher ? "higher" : "lower");
}

// «3d6 vs 12», «3d6 Skill 12»: a skill test asked for in other words; rest
// is the comment after the word.
Hint SkillInOtherWords(const Asked& asked, const std::string& word,
                       const std::string& rest) {
  if (rest.size() < 2 || !IsDigit(rest[1])) return std::nullopt;
  if (!SameWord(word, "skill") && !SameWord(word, "vs") &&
      !SameWord(word, "versus") && !SameWord(word, "dc") &&
      !SameWord(word, "against")) {
    return std::nullopt;
  }
  const std::string& request = asked.request;
  const size_t commentAt = request.size() - asked.reading->comment.size();
  return "no skill test; for one (a total of " +
         rest.substr(1, LeadingDigits(rest.substr(1))) +
         " or less succeeds) write " +
         Quoted(request.substr(0, commentAt) + "skill" + rest);
}

// A comment, without "skill" in the request, whose first word asks for
// something rollwright does not do: advantage, keep or drop, a target
// number, or a skill test spelt otherwise.
Hint CommentWord(const Asked& asked) {
  const auto& reading = asked.reading;
  if (!reading || reading->comment.empty() ||
      asked.request.find("skill") != std::string::npos) {
    return std::nullopt;
  }
  const std::string& comment = reading->comment;
  const std::string word = comment.substr(0, comment.find(' '));
  const std::string& expression = reading->expression;
  Hint advice = Advantage(word, expression);
  if (auto code = KeepOrDrop(word); !advice && code) {
    advice = KeepEveryDie(expression, *code);
  }
  if (!advice)
    advice = SkillInOtherWords(asked, word, comment.substr(word.size()));
  if (!advice) return std::nullopt;
  return "read as " + Quoted(expression) + " with the comment " +
         Quoted(comment) + ": " + *advice;
}

// «2d6 + 3», «1d6 1d6»: the expression ends at the first space.
Hint ArithmeticComment(const Asked& asked) {
  const auto& reading = asked.reading;
  if (!reading || reading->skill != 0) return std::nullopt;
  const std::string& comment = reading->comment;
  const size_t count = LeadingDigits(comment);
  const bool group = count < comment.size() && comment[count] == 'd' &&
                     count + 1 < comment.size() && IsDigit(comment[count + 1]);
  const bool arithmetic =
      !comment.empty() &&
      (comment[0] == '+' || comment[0] == '-' || comment[0] == '*' || group);
  if (!arithmetic) return std::nullopt;
  // The comment's arithmetic, its spaces dropped, joined to the expression.
  std::string meant = reading->expression + (group ? "+" : "");
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

// «0d6»: a group whose count is written as 0.
Hint ZeroCount(const Asked& asked) {
  if (!asked.reading ||
      asked.reading->expression.find('0') == std::string::npos) {
    return std::nullopt;
  }
  const std::string& expression = asked.reading->expression;
  std::string meant;
  bool zero = false;
  for (size_t at = 0; at < expression.size();) {
    size_t end = at;
    while (end < expression.size() && IsDigit(expression[end])) ++end;
    const bool zeros = end > at && expression.find_first_not_of('0', at) >= end;
    if (zeros && end < expression.size() && expression[end] == 'd') {
      zero = true;
    } else {
      meant.append(expression, at, end - at);
    }
    if (end < expression.size()) meant += expression[end];
    at = end + 1;
  }
  if (!zero) return std::nullopt;
  return "a count of 0 rolls one die: write " + Quoted(meant);
}

// «1+2*3d6» is (1+2)*3d6: left to right, each group opening a term.
Hint Precedence(const Asked& asked) {
  // Sums alone read the same either way.
  if (!asked.reading ||
      asked.reading->expression.find_first_of("-*") == std::string::npos) {
    return std::nullopt;
  }
  const std::string folded = FoldedExpression(asked.reading->expression);
  if (folded == asked.reading->expression) return std::nullopt;
  return "read as " + Quoted(folded) +
         ": rollwright works left to right, and each dice group opens a "
         "term";
}

// Every slip a hint names, the first that matches speaking for the request.
constexpr Hint (*kSlips[])(const Asked&) = {
    LeadingSpace, UpperCaseDie, PercentileDie, KeepOrDropInExpression,
    Division,     LetterTimes,  EmptyRequest,  SetCount,
    SkillSpacing, ZeroLevel,    CommentWord,   ArithmeticComment,
    ZeroCount,    Precedence,
};

}  // namespace

std::optional<std::string> ReadingHint(
    const std::string& request, const std::optional<RequestReading>& reading,
    bool isError) {
  const Asked asked{request, reading, isError};
  for (const auto slip : kSlips) {
    // The first slip's hint is the answer, not whether there is one.
    // cppcheck-suppress useStlAlgorithm
    if (Hint hint = slip(asked)) return hint;
  }
  return std::nullopt;
}

}  // namespace rollwright
