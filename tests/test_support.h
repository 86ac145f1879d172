// SPDX-License-Identifier: MIT
// Helpers shared by the tests: calling DiceMain as a host does, the
// generator's exact face chances, and the chi-square test's critical values.
#ifndef ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
#define ROLLWRIGHT_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <string>

#include "dice/random.h"

namespace rollwright {

// The reply to request, from a heap buffer of exactly
// max(ReplyCapacity, request length + 1) bytes, so that the address sanitizer
// sees any write past it.
std::string Ask(const std::string& request);

// The same, with the calling thread's generator seeded first.
std::string AskSeeded(uint32_t seed, const std::string& request);

// The generator's outputs that show face f of an s-sided die, reckoned here
// apart from the odds' own tables: those whose remainder by s is f - 1, so
// that faces 1 to kGeneratorOutputs % s have one more than the others.
constexpr int32_t FaceOutputs(int32_t sides, int32_t face) {
  return kGeneratorOutputs / sides +
         (face - 1 < kGeneratorOutputs % sides ? 1 : 0);
}

// So many of the generator's outputs, as a chance.
constexpr double OutputsChance(double outputs) {
  return outputs / kGeneratorOutputs;
}

constexpr double FaceChance(int32_t sides, int32_t face) {
  return OutputsChance(FaceOutputs(sides, face));
}

// The standard normal quantile of 0.999.
inline constexpr double kNormalQuantile999 = 3.0902;

// The chi-square distribution's quantile for these degrees of freedom at the
// standard normal quantile z (Wilson-Hilferty): z = kNormalQuantile999 gives
// the upper 0.001 tail, -kNormalQuantile999 the lower.
double ChiSquareQuantile(double degrees, double z);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
