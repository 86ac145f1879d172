// SPDX-License-Identifier: MIT
// A text joined at compile time from literals and numbers, held in an array
// of exactly its length and a NUL, so that a fixed reply can be written from
// the facts it states (a limit, a prefix) instead of repeating them.
#ifndef ROLLWRIGHT_TEXT_FIXED_TEXT_H_
#define ROLLWRIGHT_TEXT_FIXED_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rollwright {

template <size_t N>
struct FixedText {
  constexpr FixedText() = default;
  // From a literal, or any NUL-terminated char array of N bytes.
  explicit constexpr FixedText(const char (&text)[N]) {
    for (size_t i = 0; i < N; ++i) chars[i] = text[i];
  }
  constexpr std::string_view View() const { return {chars, N - 1}; }

  char chars[N] = {};
};

template <size_t A, size_t B>
constexpr FixedText<A + B - 1> operator+(const FixedText<A>& a,
                                         const FixedText<B>& b) {
  FixedText<A + B - 1> joined;
  for (size_t i = 0; i < A - 1; ++i) joined.chars[i] = a.chars[i];
  for (size_t i = 0; i < B; ++i) joined.chars[A - 1 + i] = b.chars[i];
  return joined;
}

template <size_t A, size_t B>
constexpr FixedText<A + B - 1> operator+(const FixedText<A>& a,
                                         const char (&b)[B]) {
  return a + FixedText<B>(b);
}

// The decimal digits of a value of 0 or more.
template <int64_t Value>
constexpr auto Decimal() {
  static_assert(Value >= 0);
  constexpr size_t kDigits = [] {
    size_t digits = 1;
    for (int64_t rest = Value; rest >= 10; rest /= 10) ++digits;
    return digits;
  }();
  FixedText<kDigits + 1> text;
  int64_t rest = Value;
  for (size_t i = kDigits; i-- > 0; rest /= 10) {
    text.chars[i] = static_cast<char>('0' + rest % 10);
  }
  return text;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_TEXT_FIXED_TEXT_H_
