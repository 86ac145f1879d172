// SPDX-License-Identifier: MIT
// Everything one roll showed (dice/roll_observer.h): how its request was
// read and, for each set, its groups' faces in the order rolled and its
// outcome. Filled by the roll it is handed to; a plain value afterwards.
#ifndef ROLLWRIGHT_API_ROLL_RECORD_H_
#define ROLLWRIGHT_API_ROLL_RECORD_H_

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dice/roll_observer.h"

namespace rollwright {

struct RequestReading {
  int32_t sets = 0;
  std::string expression;
  int32_t skill = 0;
  std::string comment;
};

struct GroupFaces {
  int32_t sides = 0;
  std::vector<int32_t> faces;
};

struct SetRecord {
  std::vector<GroupFaces> groups;
  DiceRoll outcome;
};

class RollRecord : public RollObserver {
 public:
  RollRecord() = default;
  // Once its roll is over, a record moves as the plain value it then is.
  RollRecord(RollRecord&& other) noexcept
      : reading(std::move(other.reading)), sets(std::move(other.sets)) {}
  RollRecord& operator=(RollRecord&& other) noexcept {
    reading = std::move(other.reading);
    sets = std::move(other.sets);
    return *this;
  }

  // Nothing when the request could not be read.
  const std::optional<RequestReading>& Reading() const { return reading; }
  // The sets rolled, the last one unfinished when an error ended it.
  const std::vector<SetRecord>& Sets() const { return sets; }

  void Read(int32_t setCount, const String& expression, int32_t skill,
            const String& comment) override;
  void SetStarted() override { sets.emplace_back(); }
  void GroupStarted(int32_t sides, int32_t count) override;
  void Face(int32_t face) override {
    sets.back().groups.back().faces.push_back(face);
  }
  void SetEnded(const DiceRoll& roll) override { sets.back().outcome = roll; }

 private:
  std::optional<RequestReading> reading;
  std::vector<SetRecord> sets;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_ROLL_RECORD_H_
