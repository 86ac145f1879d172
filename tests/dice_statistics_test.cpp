// SPDX-License-Identifier: MIT
// The faces the module rolls follow the generator's exact face probabilities:
// a face f of an s-sided die has the share of the generator's outputs whose
// remainder by s is f - 1 (FaceChance), which leans slightly toward low faces
// when s does not divide their number.
//
// Chi-square test, two-sided, each tail at 0.001 (critical values by the
// Wilson-Hilferty approximation). The lower tail matters too: a generator
// that gave the low bits of its state would cycle through every 15-bit value
// in turn and fit far too well.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dice/random.h"
#include "dice/roll_request.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

constexpr double kZ = kNormalQuantile999;

std::vector<int64_t> FaceCounts(int32_t sides, int requests) {
  std::vector<int64_t> counts(static_cast<size_t>(sides) + 1, 0);
  std::string text = "30#d" + std::to_string(sides);
  for (int r = 0; r < requests; ++r) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    Rollwright request(buffer.data());
    request.Roll();
    for (const DiceRoll& roll : request.Rolls()) {
      ++counts.at(static_cast<size_t>(roll.total));
    }
  }
  return counts;
}

double ChiSquare(const std::vector<int64_t>& counts, int32_t sides) {
  double draws = 0;
  for (int64_t count : counts) draws += static_cast<double>(count);
  double chi = 0;
  for (int32_t face = 1; face <= sides; ++face) {
    double expected = draws * FaceChance(sides, face);
    double gap =
        static_cast<double>(counts[static_cast<size_t>(face)]) - expected;
    chi += gap * gap / expected;
  }
  return chi;
}

TEST(DiceStatistics, FacesMatchTheGeneratorsExactProbabilities) {
  for (int32_t sides : {6, 20, 500}) {
    RandomSeed(2026);
    std::vector<int64_t> counts = FaceCounts(sides, 10000);
    EXPECT_EQ(counts[0], 0) << sides;
    double chi = ChiSquare(counts, sides);
    double degrees = sides - 1;
    EXPECT_LT(chi, ChiSquareQuantile(degrees, kZ)) << sides << " sides";
    EXPECT_GT(chi, ChiSquareQuantile(degrees, -kZ)) << sides << " sides";
  }
}

}  // namespace
}  // namespace rollwright
