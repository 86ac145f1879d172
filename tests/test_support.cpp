#include "tests/test_support.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dice/random.h"
#include "dice/rollwright.h"
#include "rollwright.h"

namespace rollwright {

std::string Ask(const std::string& request) {
  size_t size =
      std::max(static_cast<size_t>(ReplyCapacity), request.size() + 1);
  std::vector<char> buffer(size);
  std::memcpy(buffer.data(), request.c_str(), request.size() + 1);
  DiceMain(0, 0, buffer.data(), 0, 0, 0);
  return std::string(buffer.data());
}

std::string AskSeeded(uint32_t seed, const std::string& request) {
  RandomSeed(seed);
  return Ask(request);
}

}  // namespace rollwright
