// SPDX-License-Identifier: MIT
#include "dice/answer.h"

#include <cstring>

#include "dice/roll_request.h"

namespace rollwright {
namespace {

void RollAndReply(char* buffer, RollObserver* observer) {
  Rollwright request(buffer);
  if (observer != nullptr) request.Observe(*observer);
  request.Roll();
  request.WriteResult(buffer);
}

// Every message is far shorter than ReplyCapacity.
void Reply(char* buffer, const char* message) { std::strcpy(buffer, message); }

}  // namespace

void Answer(char* buffer, RollObserver* observer) noexcept {
  try {
    RollAndReply(buffer, observer);
  } catch (const Rollwright::DiceError& error) {
    Reply(buffer, ErrorMessage(error.code));
  } catch (...) {
    // Running out of memory is the only other failure a request can meet.
    Reply(buffer, kOutOfMemoryMessage.chars);
  }
}

}  // namespace rollwright
