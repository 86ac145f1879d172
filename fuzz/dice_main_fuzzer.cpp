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

#include "rollwright.h"

namespace {

constexpr std::string_view kErrors[] = {
    "Dice Error: Maximum of 30 sets of dice!",
    "Dice Error: Maximum of 100 dice per dice group!",
    "Dice Error: Maximum of 500 sides per die!",
    "Dice Error: Illegal characters in input!",
    "Dice Error: Invalid operand in dice commands!",
    "Dice Error: Out of memory!",
};

bool IsAnswer(std::string_view reply) {
  if (reply.starts_with("rolls ")) return true;
  for (std::string_view error : kErrors) {
    if (reply == error) return true;
  }
  return false;
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
  if (!IsAnswer(buffer)) std::abort();
  delete[] buffer;
  return 0;
}
