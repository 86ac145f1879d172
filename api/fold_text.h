// SPDX-License-Identifier: MIT
// An expression written so that ordinary arithmetic (precedence,
// parentheses) reads it as rolling folds it (dice/expression_walk.h):
// «10-2d6+5» is «10-(2d6+5)», «1+2*3d6» is «(1+2)*3d6», «2d6+3*2» is
// «(2d6+3)*2». Parentheses go only where precedence would read it otherwise.
#ifndef ROLLWRIGHT_API_FOLD_TEXT_H_
#define ROLLWRIGHT_API_FOLD_TEXT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rollwright {

struct FoldStyle {
  std::string_view space;  // before each operator
  // A number that is not a dice count: its value and its digits as written.
  std::function<std::string(int32_t value, std::string_view written)> number;
  // A dice group, from its count's and its sides' digits as written.
  std::function<std::string(std::string_view count, std::string_view sides)>
      group;
};

// The expression (legal characters only) in style. An expression that opens
// with a sign («-2d6+3») opens with it, as its empty first term is 0.
std::string FoldText(const std::string& expression, const FoldStyle& style);

// The expression as written, with the parentheses its fold needs.
std::string FoldedExpression(const std::string& expression);

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_FOLD_TEXT_H_
