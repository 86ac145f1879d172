// SPDX-License-Identifier: MIT
#include "api/roll_report.h"

#include "api/fold_text.h"
#include "api/json_text.h"
#include "api/rollwright_api.h"
#include "dice/outcome_texts.h"
#include "dice/rules.h"

namespace rollwright {
namespace {

// A set's faces group by group, in the order rolled, each group once.
class FacesWriter {
 public:
  explicit FacesWriter(const SetRecord& rolled) : set(rolled) {}

  std::string NextGroup() {
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

 private:
  const SetRecord& set;
  size_t nextGroup = 0;
  int32_t twentySidedGroups = 0;
};

// The expression with each group as its faces and each number as its
// value: «10-2d6+5» becomes «10 -([3 5] +5)».
std::string DiceLine(const RequestReading& reading, const SetRecord& set) {
  FacesWriter faces(set);
  const FoldStyle style{
      " ",
      [](int32_t value, std::string_view) { return std::to_string(value); },
      [&faces](std::string_view, std::string_view) {
        return faces.NextGroup();
      }};
  return reading.expression + "  " + FoldText(reading.expression, style) +
         " = " + std::to_string(set.outcome.total) + "\n";
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
  if (const char* grade = GradeName(skill, set.outcome.total)) {
    AppendJsonString(out, grade);
  } else {
    out += "null";
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
