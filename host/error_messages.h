// The fixed replies that stand in for a sentence when a request fails.
#ifndef ROLLWRIGHT_HOST_ERROR_MESSAGES_H_
#define ROLLWRIGHT_HOST_ERROR_MESSAGES_H_

#include "dice/rollwright.h"

namespace rollwright {

inline constexpr char kOutOfMemoryMessage[] = "Dice Error: Out of memory!";

// The reply for a DiceError of this code.
const char* ErrorMessage(Rollwright::DiceError::Code code);

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_ERROR_MESSAGES_H_
