#include "tests/test_support.h"

#include <vector>

#include "dice/random.h"
#include "tools/request_buffer.h"
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

}  // namespace rollwright
