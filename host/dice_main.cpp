// SPDX-License-Identifier: MIT
// The two exported procedures and the frame of one request: build, roll,
// write, destroy. Nothing thrown inside escapes into the host.
#include <cstring>

#include "dice/random.h"
#include "dice/roll_request.h"
#include "host/runtime/call_frame.h"
#include "rollwright.h"

namespace {

// What every call returns, whatever the reply: hosts are written to expect
// this value, which carries nothing of the request.
constexpr int32_t kResult = 3;

void RollAndReply(char* buffer) {
  rollwright::Rollwright request(buffer);
  request.Roll();
  request.WriteResult(buffer);
}

// Every message is far shorter than ReplyCapacity.
void Reply(char* buffer, const char* message) { std::strcpy(buffer, message); }

}  // namespace

extern "C" ROLLWRIGHT_API int32_t ROLLWRIGHT_CALL
DiceMain(int32_t /*unused1*/, int32_t /*unused2*/, char* buffer,
         int32_t /*unused4*/, int32_t /*unused5*/, int32_t /*unused6*/) {
  if (buffer == nullptr) return kResult;
  [[maybe_unused]] rollwright::CallFrame frame;  // for the whole call
  try {
    RollAndReply(buffer);
  } catch (const rollwright::Rollwright::DiceError& error) {
    Reply(buffer, rollwright::ErrorMessage(error.code));
  } catch (...) {
    // Running out of memory is the only other failure a request can meet.
    Reply(buffer, rollwright::kOutOfMemoryMessage.chars);
  }
  return kResult;
}

extern "C" ROLLWRIGHT_API void ROLLWRIGHT_CALL LoadDll(int32_t /*unused*/) {
  rollwright::RandomSeed(rollwright::ClockSeed());
}
