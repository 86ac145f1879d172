// SPDX-License-Identifier: MIT
#include "npm/roll_layout.h"

#include <algorithm>
#include <string_view>

#include "api/roll_record.h"
#include "dice/rules.h"

namespace rollwright {
namespace {

constexpr int32_t kNone = -1;

int32_t Size(size_t size) { return static_cast<int32_t>(size); }

// Appends text to the texts and its offset and length to the words.
void AddText(RollLayout& layout, std::string_view text) {
  layout.words.push_back(Size(layout.texts.size()));
  layout.words.push_back(Size(text.size()));
  layout.texts += text;
}

void AddNoText(RollLayout& layout) {
  layout.words.push_back(kNone);
  layout.words.push_back(0);
}

void AddReading(RollLayout& layout, const RollRecord& record) {
  const std::optional<RequestReading>& reading = record.Reading();
  layout.words.push_back(reading ? 1 : 0);
  layout.words.push_back(reading ? reading->sets : 0);
  layout.words.push_back(reading ? reading->skill : 0);
  if (reading) {
    AddText(layout, reading->expression);
    AddText(layout, reading->comment);
  } else {
    AddNoText(layout);
    AddNoText(layout);
  }
}

void AddSets(RollLayout& layout, const RollRecord& record) {
  const int32_t skill = record.Reading() ? record.Reading()->skill : 0;
  layout.words.push_back(Size(record.Sets().size()));
  for (const SetRecord& set : record.Sets()) {
    layout.words.push_back(set.outcome.total);
    layout.words.push_back(set.outcome.criticalFailure ? 1 : 0);
    layout.words.push_back(skill == 0 ? kNone
                                      : GradeOf(skill, set.outcome.total));
    layout.words.push_back(Size(set.groups.size()));
    for (const GroupFaces& group : set.groups) {
      layout.words.push_back(group.sides);
      layout.words.push_back(Size(group.faces.size()));
      layout.words.insert(layout.words.end(), group.faces.begin(),
                          group.faces.end());
    }
  }
}

}  // namespace

void LayOutRoll(char* buffer, RollLayout& layout) {
  RollResult& result = layout.result;
  Roll(buffer, result);
  layout.words.assign(2, 0);  // the texts' length and whether all are ASCII
  layout.texts.clear();
  AddText(layout, result.reply);
  AddReading(layout, result.record);
  if (result.hint) {
    AddText(layout, *result.hint);
  } else {
    AddNoText(layout);
  }
  if (result.isError) {
    AddText(layout, ErrorCodeName(result.reply));
    layout.words.push_back(0);
  } else {
    AddNoText(layout);
    AddSets(layout, result.record);
  }
  layout.words[0] = Size(layout.texts.size());
  layout.words[1] = std::all_of(layout.texts.begin(), layout.texts.end(),
                                [](char c) { return (c & 0x80) == 0; })
                        ? 1
                        : 0;
}

}  // namespace rollwright
