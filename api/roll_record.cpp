// SPDX-License-Identifier: MIT
#include "api/roll_record.h"

namespace rollwright {

void RollRecord::Read(int32_t setCount, const String& expression, int32_t skill,
                      const String& comment) {
  reading = RequestReading{setCount, expression.Text(), skill, comment.Text()};
}

void RollRecord::GroupStarted(int32_t sides, int32_t count) {
  sets.back().groups.push_back(GroupFaces{sides, {}});
  sets.back().groups.back().faces.reserve(static_cast<size_t>(count));
}

}  // namespace rollwright
