// SPDX-License-Identifier: MIT
// The generator's per-thread state where the compiler's thread-local storage
// belongs to the module and goes with it when it is unloaded (Windows keeps
// its own in host/).
#include "dice/random.h"

namespace rollwright {
namespace {

thread_local uint32_t threadState = 1;

}  // namespace

uint32_t LoadRandomState() { return threadState; }

void StoreRandomState(uint32_t state) { threadState = state; }

}  // namespace rollwright
