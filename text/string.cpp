// SPDX-License-Identifier: MIT
#include "text/string.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace rollwright {
namespace {

// A length that an int32_t cannot hold (with room for the NUL) is treated as
// an allocation that cannot be made.
int32_t CheckedLength(size_t count) {
  if (count >= static_cast<size_t>(INT32_MAX)) throw std::bad_alloc();
  return static_cast<int32_t>(count);
}

char* NewBlock(const char* text, int32_t count) {
  char* block = new char[static_cast<size_t>(count) + 1];
  std::memcpy(block, text, static_cast<size_t>(count));
  block[count] = '\0';
  return block;
}

}  // namespace

String::String() : length(0), chars(NewBlock("", 0)) {}

String::String(const char* text)
    : String(text, CheckedLength(std::strlen(text))) {}

String::String(const char* text, int32_t count)
    : length(count), chars(NewBlock(text, count)) {}

String::String(const String& other) : String(other.chars, other.length) {}

String& String::operator=(const String& other) {
  if (this == &other) return *this;
  char* block = NewBlock(other.chars, other.length);
  delete[] chars;
  chars = block;
  length = other.length;
  return *this;
}

String& String::operator=(String&& other) noexcept {
  std::swap(length, other.length);
  std::swap(chars, other.chars);
  return *this;
}

String::~String() { delete[] chars; }

void String::Append(const char* text, size_t count) {
  if (count == 0) return;  // no change, so no new block
  int32_t total = CheckedLength(static_cast<size_t>(length) + count);
  char* block = new char[static_cast<size_t>(total) + 1];
  std::memcpy(block, chars, static_cast<size_t>(length));
  // text may lie inside the old block, which is still alive here.
  std::memcpy(block + length, text, count);
  block[total] = '\0';
  delete[] chars;
  chars = block;
  length = total;
}

String& String::operator+=(const char* text) {
  Append(text, std::strlen(text));
  return *this;
}

String& String::operator+=(const String& other) {
  Append(other.chars, static_cast<size_t>(other.length));
  return *this;
}

String& String::operator+=(int32_t number) {
  // The magnitude is taken in unsigned arithmetic so that -2147483648 works.
  uint32_t magnitude = number < 0 ? 0U - static_cast<uint32_t>(number)
                                  : static_cast<uint32_t>(number);
  char digits[12];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) *--first = '-';
  Append(first, static_cast<size_t>(digits + sizeof digits - first));
  return *this;
}

String& String::operator+=(char c) {
  Append(&c, 1);
  return *this;
}

String String::From(int32_t position) const {
  if (position >= length) return {};
  return {chars + position, length - position};
}

String String::Mid(int32_t start, int32_t count) const {
  if (start >= length || count <= 0) return {};
  int32_t available = length - start;
  return {chars + start, count < available ? count : available};
}

int32_t String::Find(int32_t start, const char* text) const {
  int32_t size = CheckedLength(std::strlen(text));
  for (int32_t at = start; at >= 0 && at <= length - size; ++at) {
    if (chars[at] == text[0] &&
        std::memcmp(chars + at, text, static_cast<size_t>(size)) == 0) {
      return at;
    }
  }
  return -1;
}

}  // namespace rollwright
