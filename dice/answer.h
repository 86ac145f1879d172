// SPDX-License-Identifier: MIT
// One request answered, as DiceMain answers it: built from the buffer,
// rolled, and replaced in the buffer by the sentence or by the message of
// the error that ended it. Nothing thrown inside escapes.
#ifndef ROLLWRIGHT_DICE_ANSWER_H_
#define ROLLWRIGHT_DICE_ANSWER_H_

#include "dice/roll_observer.h"

namespace rollwright {

// buffer holds the request and at least ReplyCapacity bytes (or the
// request's length plus one, if more). observer, when not null, sees how the
// request was read and the dice behind the reply; what it throws ends the
// request as running out of memory does.
void Answer(char* buffer, RollObserver* observer) noexcept;

}  // namespace rollwright

#endif  // ROLLWRIGHT_DICE_ANSWER_H_
