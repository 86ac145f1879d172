// SPDX-License-Identifier: MIT
#include "api/json_text.h"

#include <cmath>
#include <cstdio>

#include "dice/characters.h"

namespace rollwright {
namespace {

// The length of the UTF-8 character that starts text, or 0 when it starts
// with none.
size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = lead < 0x80   ? 1
                  : lead < 0xC2 ? 0
                  : lead < 0xE0 ? 2
                  : lead < 0xF0 ? 3
                  : lead < 0xF5 ? 4
                                : 0;
  if (length == 0 || length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if (!IsUtf8Continuation(text[i])) return 0;
  }
  return length;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text[0]);
    size_t length = Utf8Length(text);
    if (c == '"' || c == '\\') {
      (out += '\\') += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no character
      length = 1;
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  out += text;
}

void AppendJsonName(std::string& out, const char* name) {
  if (!out.empty() && out.back() != '{') out += ',';
  ((out += '"') += name) += "\":";
}

void AppendJsonText(std::string& out, const char* name, std::string_view text) {
  AppendJsonName(out, name);
  AppendJsonString(out, text);
}

}  // namespace rollwright
