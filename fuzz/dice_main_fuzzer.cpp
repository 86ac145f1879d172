// SPDX-License-Identifier: MIT
// Feeds arbitrary requests to the exported DiceMain, each in a heap buffer of
// exactly max(ReplyCapacity, length + 1) bytes so that the address sanitizer
// sees any access past it, and checks what a host relies on: result 3, a NUL
// within the first ReplyCapacity bytes, and a reply that is one of the fixed
// error messages or a sentence.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "dice/dice_error.h"
#include "rollwright.h"

namespace {

bool IsReply(std::string_view reply) {
  return reply.starts_with("rolls ") || rollwright::IsErrorMessage(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The request is text: it ends at the first NUL of the input.
  const char* text = reinterpret_cast<const char*>(data);
  size_t length = strnlen(text, size);
  size_t capacity = length + 1 > ROLLWRIGHT_REPLY_CAPACITY
                        ? length + 1
                        : static_cast<size_t>(ROLLWRIGHT_REPLY_CAPACITY);
  char* buffer = new char[capacity];
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  if (DiceMain(0, 0, buffer, 0, 0, 0) != 3) std::abort();
  const void* end = std::memchr(buffer, '\0', ROLLWRIGHT_REPLY_CAPACITY);
  if (end == nullptr) std::abort();
  if (!IsReply(buffer)) std::abort();
  delete[] buffer;
  return 0;
}
