// SPDX-License-Identifier: MIT
#include "tests/test_support.h"

#include <cmath>
#include <vector>

#include "api/request_buffer.h"
#include "dice/random.h"
#include "rollwright.h"

namespace rollwright {

std::string Ask(const std::string& request) {
  std::vector<char> buffer = RequestBuffer(request);
  DiceMain(0, 0, buffer.data(), 0, 0, 0);
  return std::string(buffer.data());
}

std::string AskSeeded(uint32_t seed, const std::string& request) {
  RandomSeed(seed);
  return Ask(request);
}

double ChiSquareQuantile(double degrees, double z) {
  double a = 2.0 / (9.0 * degrees);
  return degrees * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

}  // namespace rollwright
