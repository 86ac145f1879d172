// SPDX-License-Identifier: MIT
// The random source: a linear congruential generator with one 32-bit state
// per thread. A thread that never seeds starts at state 1. No locks are taken
// and no state is shared between threads.
//
// Reading a thread's state costs a look-up, so a run of draws (one dice
// group) loads the state once into a local, steps it with NextState and
// stores it back once.
#ifndef ROLLWRIGHT_DICE_RANDOM_H_
#define ROLLWRIGHT_DICE_RANDOM_H_

#include <cstdint>

namespace rollwright {

// One step of the generator, modulo 2^32.
constexpr uint32_t NextState(uint32_t state) { return state * 22695477U + 1U; }

// The generator's outputs are 15 bits: this many values, 0 to one less.
inline constexpr int32_t kGeneratorOutputs = 32768;

// The value a fresh state gives: bits 16 to 30.
constexpr uint32_t OutputOf(uint32_t state) {
  return (state >> 16) & (static_cast<uint32_t>(kGeneratorOutputs) - 1U);
}

// The calling thread's state: 1 on a thread that never stored one. Each
// platform keeps it its own way (dice/random_state.cpp; on Windows
// host/runtime/random_state_windows.cpp).
uint32_t LoadRandomState();
void StoreRandomState(uint32_t state);

// A seed is a state, any from 0 to kMaxSeed: the next draw steps from it.
inline constexpr uint32_t kMaxSeed = UINT32_MAX;
inline void RandomSeed(uint32_t value) { StoreRandomState(value); }

// Folds a reading of the clock and the identity of a thread into one seed,
// so that two threads or two processes that read the clock at the same
// moment seed differently, and so do two readings a tick apart on one
// thread. Every bit of each input moves about half the seed's bits.
constexpr uint32_t MixSeed(uint64_t clockTicks, uint64_t threadIdentity) {
  uint64_t x = clockTicks ^ (threadIdentity * 0x9E3779B97F4A7C15ULL);
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  x ^= x >> 31;
  return static_cast<uint32_t>(x ^ (x >> 32));
}

// The seed LoadDll gives the calling thread: the clock at its finest
// resolution mixed with the thread's and the process's identity. Each
// platform reads them its own way (dice/clock_seed.cpp; on Windows
// host/runtime/clock_seed_windows.cpp).
uint32_t ClockSeed();

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_RANDOM_H_
