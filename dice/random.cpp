#include "dice/random.h"

namespace rollwright {
namespace {

thread_local uint32_t state = 1;

}  // namespace

void RandomSeed(uint32_t value) { state = value; }

int32_t RandomNext() {
  state = state * 22695477u + 1u;  // wraps modulo 2^32
  return static_cast<int32_t>((state >> 16) & 32767u);
}

}  // namespace rollwright
