// SPDX-License-Identifier: MIT
// Helpers shared by the tests: calling DiceMain as a host does, and the
// chi-square test's critical values.
#ifndef ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
#define ROLLWRIGHT_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <string>

namespace rollwright {

// The reply to request, from a heap buffer of exactly
// max(ReplyCapacity, request length + 1) bytes, so that the address sanitizer
// sees any write past it.
std::string Ask(const std::string& request);

// The same, with the calling thread's generator seeded first.
std::string AskSeeded(uint32_t seed, const std::string& request);

// The standard normal quantile of 0.999.
inline constexpr double kNormalQuantile999 = 3.0902;

// The chi-square distribution's quantile for these degrees of freedom at the
// standard normal quantile z (Wilson-Hilferty): z = kNormalQuantile999 gives
// the upper 0.001 tail, -kNormalQuantile999 the lower.
double ChiSquareQuantile(double degrees, double z);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
