// SPDX-License-Identifier: MIT
#include "api/fold_text.h"

#include <utility>

#include "dice/expression_walk.h"

namespace rollwright {
namespace {

char SymbolOf(Operator op) {
  switch (op) {
    case OpDice:
      return 'd';
    case OpMinus:
      return '-';
    case OpTimes:
      return '*';
    default:
      return '+';
  }
}

// Some text of the expression, and whether its outermost operator is '+' or
// '-', which binds less tightly than '*'.
struct Part {
  std::string text;
  bool sum = false;
};

// Walks the expression as rolling does, reading each number's digits from
// the text in the order the walk meets them.
class FoldWriter {
 public:
  FoldWriter(const std::string& expression, const FoldStyle& written)
      : text(expression), style(written) {
    const char first = expression.empty() ? '\0' : expression[0];
    skipFirstTerm = first != '\0' && first != 'd' && !IsDigit(first);
  }

  Part Number(int32_t value) {
    const std::string_view written = NextDigits();
    return {style.number(value, written), false};
  }

  void ApplyOperator(Part& acc, int32_t right, Operator op) {
    // Only a term's count comes before 'd': the digits read last.
    const std::string_view count = lastDigits;
    const std::string_view written = NextDigits();
    if (op == OpDice) {
      acc = {style.group(count, written), false};
    } else {
      Join(acc, op, {style.number(right, written), false});
    }
  }

  void AddToTotal(const Part& term, Operator sign) {
    if (terms++ == 0) {
      // «-2d6» opens with an empty term, which rolling counts as 0.
      if (!skipFirstTerm) total = term;
      return;
    }
    Join(total, sign, term);
  }

  const std::string& Text() const { return total.text; }

 private:
  // The next run of digits, and the operator after it passed over.
  std::string_view NextDigits() {
    const size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    lastDigits = std::string_view(text).substr(start, at - start);
    if (at < text.size()) ++at;
    return lastDigits;
  }

  void Join(Part& left, Operator op, Part right) const {
    if (op == OpTimes && left.sum) left.text = "(" + left.text + ")";
    if ((op == OpTimes || op == OpMinus) && right.sum) {
      right.text = "(" + right.text + ")";
    }
    if (!left.text.empty()) left.text += style.space;
    left.text += SymbolOf(op);
    left.text += right.text;
    left.sum = op == OpPlus || op == OpMinus;
  }

  const std::string& text;
  const FoldStyle& style;
  bool skipFirstTerm = false;
  size_t at = 0;
  std::string_view lastDigits;
  int terms = 0;
  Part total;
};

}  // namespace

std::string FoldText(const std::string& expression, const FoldStyle& style) {
  FoldWriter writer(expression, style);
  const String walked(expression.c_str());
  WalkExpression(walked, writer);
  return writer.Text();
}

std::string FoldedExpression(const std::string& expression) {
  const FoldStyle asWritten{
      "",
      [](int32_t, std::string_view written) { return std::string(written); },
      [](std::string_view count, std::string_view sides) {
        return std::string(count) + 'd' + std::string(sides);
      }};
  return FoldText(expression, asWritten);
}

}  // namespace rollwright
