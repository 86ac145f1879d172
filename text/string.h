// SPDX-License-Identifier: MIT
// An owning string of 8-bit characters with no spare capacity: every change
// builds a fresh block of exactly length + 1 bytes and frees the old one.
// Value semantics: a copy owns its own block. Allocation failure throws
// std::bad_alloc and leaves the string unchanged.
#ifndef ROLLWRIGHT_TEXT_STRING_H_
#define ROLLWRIGHT_TEXT_STRING_H_

#include <cstddef>
#include <cstdint>

namespace rollwright {

class String {
 public:
  String();
  explicit String(const char* text);
  String(const String& other);
  String& operator=(const String& other);
  // Takes over the other's block; the other keeps this one's old block, so
  // both still own one.
  String& operator=(String&& other) noexcept;
  ~String();

  // No bound is tested: index 0 to Length() is valid (Length() is the NUL).
  char& operator[](int32_t index) { return chars[index]; }
  const char& operator[](int32_t index) const { return chars[index]; }
  int32_t Length() const { return length; }
  // Valid until this string is next changed or destroyed.
  const char* Text() const { return chars; }

  String& operator+=(const char* text);
  String& operator+=(const String& other);
  String& operator+=(int32_t number);
  String& operator+=(char c);

  // The characters from position to the end; empty when position >= Length().
  String From(int32_t position) const;
  // Up to count characters from start; empty when start >= Length() or
  // count <= 0.
  String Mid(int32_t start, int32_t count) const;
  // Index of the first occurrence of text at or after start, or -1.
  int32_t Find(int32_t start, const char* text) const;

 private:
  String(const char* text, int32_t count);
  void Append(const char* text, size_t count);

  int32_t length;
  char* chars;
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_TEXT_STRING_H_
