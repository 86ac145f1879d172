// SPDX-License-Identifier: MIT
// Feeds arbitrary requests to the exported DiceMain, each in a heap buffer of
// exactly max(ReplyCapacity, length + 1) bytes so that the address sanitizer
// sees any access past it, and checks what a host relies on: result 3, a NUL
// within the first ReplyCapacity bytes, a reply that is one of the fixed
// error messages or a sentence, and, for a request in UTF-8 without "skill"
// (which drops the byte on each side of it, whole character or not), a reply
// in UTF-8: no cut splits a character.
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

// Well-formed UTF-8 as far as cutting goes: each lead byte is followed by as
// many continuation bytes as it announces, and none stands alone.
bool IsWholeUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    size_t more = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    if (lead >= 0x80 && lead < 0xC0) return false;
    for (; more > 0; --more, ++i) {
      if (i == text.size() ||
          (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        return false;
      }
    }
  }
  return true;
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
  const std::string_view request(text, length);
  const bool wholeRequest =
      IsWholeUtf8(request) && request.find("skill") == std::string_view::npos;
  if (DiceMain(0, 0, buffer, 0, 0, 0) != 3) std::abort();
  const void* end = std::memchr(buffer, '\0', ROLLWRIGHT_REPLY_CAPACITY);
  if (end == nullptr) std::abort();
  if (!IsReply(buffer)) std::abort();
  if (wholeRequest && !IsWholeUtf8(buffer)) std::abort();
  delete[] buffer;
  return 0;
}
