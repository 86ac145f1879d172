// SPDX-License-Identifier: MIT
#include "api/roll_report.h"

#include "api/json_text.h"
#include "api/rollwright_api.h"
#include "dice/expression_walk.h"
#include "dice/outcome_texts.h"
#include "dice/rules.h"

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

// Walks the expression as rolling does, writing each number as written and
// each group as its faces: «10-2d6+5» becomes «10 -[3 5] +5».
class ShapeWriter {
 public:
  ShapeWriter(const SetRecord& rolled, bool startsWithSign)
      : set(rolled), skipFirstTerm(startsWithSign) {}

  // A member, as the walk asks each evaluator for its numbers.
  // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
  std::string Number(int32_t value) { return std::to_string(value); }

  void ApplyOperator(std::string& acc, int32_t right, Operator op) {
    if (op == OpDice) {
      acc = Faces();
    } else {
      (acc += ' ') += SymbolOf(op);
      acc += std::to_string(right);
    }
  }

  void AddToTotal(const std::string& term, Operator sign) {
    if (terms++ == 0) {
      // «-2d6» opens with an empty term, which rolling counts as 0.
      if (!skipFirstTerm) shape = term;
      return;
    }
    if (!shape.empty()) shape += ' ';
    (shape += SymbolOf(sign)) += term;
  }

  const std::string& Shape() const { return shape; }

 private:
  std::string Faces() {
    if (nextGroup >= set.groups.size()) return "[]";
    const GroupFaces& group = set.groups[nextGroup++];
    const bool criticalGroup =
        CountCriticalGroup(group.sides, twentySidedGroups);
    std::string text = "[";
    for (size_t i = 0; i < group.faces.size(); ++i) {
      if (i > 0) text += ' ';
      text += std::to_string(group.faces[i]);
      if (i == 0 && set.outcome.criticalFailure && criticalGroup &&
          group.faces[0] == kCriticalFace) {
        text += '!';
      }
    }
    return text + "]";
  }

  const SetRecord& set;
  bool skipFirstTerm;
  size_t nextGroup = 0;
  int32_t twentySidedGroups = 0;
  int terms = 0;
  std::string shape;
};

std::string DiceLine(const RequestReading& reading, const SetRecord& set) {
  const String expression(reading.expression.c_str());
  const char first = expression[0];
  ShapeWriter writer(set, first != '\0' && first != 'd' && !IsDigit(first));
  WalkExpression(expression, writer);
  return reading.expression + "  " + writer.Shape() + " = " +
         std::to_string(set.outcome.total) + "\n";
}

void AppendInteger(std::string& out, const char* name, int32_t value) {
  AppendJsonName(out, name);
  out += std::to_string(value);
}

void AppendReading(std::string& out, const RequestReading& reading) {
  AppendJsonName(out, "read");
  out += '{';
  AppendInteger(out, "sets", reading.sets);
  AppendJsonText(out, "expression", reading.expression);
  AppendInteger(out, "skill", reading.skill);
  AppendJsonText(out, "comment", reading.comment);
  out += '}';
}

void AppendGroup(std::string& out, const GroupFaces& group) {
  out += '{';
  AppendInteger(out, "sides", group.sides);
  AppendJsonName(out, "faces");
  AppendJsonList(out, group.faces,
                 [&out](int32_t face) { out += std::to_string(face); });
  out += '}';
}

void AppendSet(std::string& out, const SetRecord& set, int32_t skill) {
  out += '{';
  AppendInteger(out, "total", set.outcome.total);
  AppendJsonName(out, "grade");
  if (skill == 0) {
    out += "null";
  } else {
    AppendJsonString(out, kGradeTexts[GradeOf(skill, set.outcome.total)].name);
  }
  AppendJsonName(out, "critical");
  out += set.outcome.criticalFailure ? "true" : "false";
  AppendJsonName(out, "dice");
  AppendJsonList(out, set.groups,
                 [&out](const GroupFaces& group) { AppendGroup(out, group); });
  out += '}';
}

}  // namespace

std::string DiceLines(const RollRecord& record) {
  std::string lines;
  if (!record.Reading()) return lines;
  for (const SetRecord& set : record.Sets()) {
    lines += DiceLine(*record.Reading(), set);
  }
  return lines;
}

std::string RollJson(const RollResult& result) {
  const RollRecord& record = result.record;
  std::string out = "{";
  AppendJsonText(out, "request", result.request);
  AppendJsonText(out, "reply", result.reply);
  if (record.Reading()) AppendReading(out, *record.Reading());
  if (result.isError) {
    AppendJsonText(out, "error", result.reply);
    AppendJsonText(out, "code", ErrorCodeName(result.reply));
  } else {
    const int32_t skill = record.Reading() ? record.Reading()->skill : 0;
    AppendJsonName(out, "sets");
    AppendJsonList(out, record.Sets(), [&out, skill](const SetRecord& set) {
      AppendSet(out, set, skill);
    });
  }
  AppendJsonName(out, "hint");
  if (result.hint) {
    AppendJsonString(out, *result.hint);
  } else {
    out += "null";
  }
  return out + "}";
}

}  // namespace rollwright
