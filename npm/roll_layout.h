// SPDX-License-Identifier: MIT
// A roll laid out for JavaScript to read straight from the module's memory,
// the same facts as the tool's --json object without writing and parsing
// JSON: 32-bit words, and the texts in one block beside them, which one
// decoding reads whole. Each offset is into the texts, in bytes; a missing
// text has offset -1.
//
//   words[0]        the texts' length in bytes, the reply first
//   words[1]        1 when every text is ASCII, so that an offset in bytes
//                   is one in characters too, else 0
//   words[2..3]     the reply's offset (0) and length
//   words[4]        1 when the request was read, else 0
//   words[5..6]     sets, skill, as read
//   words[7..8]     the expression's offset and length, as read
//   words[9..10]    the comment's offset and length, as read
//   words[11..12]   the hint's offset and length
//   words[13..14]   the error's stable name's offset and length (a sentence
//                   has none)
//   words[15]       the sets rolled (0 for an error), then for each set:
//                   total, critical (0 or 1), grade (-1 for none, else by
//                   Grade), groups; and for each group: sides, faces, then
//                   each face.
#ifndef ROLLWRIGHT_NPM_ROLL_LAYOUT_H_
#define ROLLWRIGHT_NPM_ROLL_LAYOUT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "api/rollwright_api.h"

namespace rollwright {

struct RollLayout {
  std::vector<int32_t> words;
  std::string texts;
  RollResult result;  // the roll laid out
};

// Rolls the request in buffer as DiceMain does (buffer holds at least the
// reply's capacity and the request's length plus one) and lays it out in
// layout, whose storage is reused from call to call.
void LayOutRoll(char* buffer, RollLayout& layout);

}  // namespace rollwright

#endif  // ROLLWRIGHT_NPM_ROLL_LAYOUT_H_
