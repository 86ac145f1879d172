// SPDX-License-Identifier: MIT
// The two exported procedures. DiceMain answers each request inside the
// frame of its call (dice/answer.h): nothing thrown inside escapes into the
// host.
#include "dice/answer.h"
#include "dice/random.h"
#include "host/runtime/call_frame.h"
#include "rollwright.h"

namespace {

// What every call returns, whatever the reply: hosts are written to expect
// this value, which carries nothing of the request.
constexpr int32_t kResult = 3;

}  // namespace

extern "C" ROLLWRIGHT_API int32_t ROLLWRIGHT_CALL
DiceMain(int32_t /*unused1*/, int32_t /*unused2*/, char* buffer,
         int32_t /*unused4*/, int32_t /*unused5*/, int32_t /*unused6*/) {
  if (buffer == nullptr) return kResult;
  [[maybe_unused]] rollwright::CallFrame frame;  // for the whole call
  rollwright::Answer(buffer, nullptr);
  return kResult;
}

extern "C" ROLLWRIGHT_API void ROLLWRIGHT_CALL LoadDll(int32_t /*unused*/) {
  rollwright::RandomSeed(rollwright::ClockSeed());
}
