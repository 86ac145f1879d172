// The random source: a linear congruential generator with one 32-bit state
// per thread. A thread that never seeds starts at state 1. No locks are taken
// and no state is shared between threads.
#ifndef ROLLWRIGHT_DICE_RANDOM_H_
#define ROLLWRIGHT_DICE_RANDOM_H_

#include <cstdint>

namespace rollwright {

// Sets the calling thread's state.
void RandomSeed(uint32_t value);

// Advances the calling thread's state and returns a value from 0 to 32767.
int32_t RandomNext();

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_RANDOM_H_
