// SPDX-License-Identifier: MIT
// The pieces of JSON that the tool writes: strings in UTF-8 and numbers that
// read back exactly.
#ifndef ROLLWRIGHT_API_JSON_TEXT_H_
#define ROLLWRIGHT_API_JSON_TEXT_H_

#include <string>
#include <string_view>

namespace rollwright {

// Appends text as a JSON string: quotes, backslashes and control characters
// escaped, and any byte that starts no UTF-8 character written as U+FFFD.
void AppendJsonString(std::string& out, std::string_view text);

// Appends value with 17 significant digits, which read back as the same
// double; "null" for a value JSON has no number for (infinity, NaN).
void AppendJsonNumber(std::string& out, double value);

// Appends the name of an object's member, after a comma unless it is the
// first: «"name":». Names are plain ASCII.
void AppendJsonName(std::string& out, const char* name);

// Appends the member «"name":"text"», text as AppendJsonString writes it.
void AppendJsonText(std::string& out, const char* name, std::string_view text);

// Appends [item, item, ...], each written by appendItem.
template <class Items, class AppendItem>
void AppendJsonList(std::string& out, const Items& items,
                    AppendItem appendItem) {
  out += '[';
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += ',';
    first = false;
    appendItem(item);
  }
  out += ']';
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_JSON_TEXT_H_
