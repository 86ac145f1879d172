// SPDX-License-Identifier: MIT
#include "api/json_text.h"

#include <cmath>
#include <cstdio>

#include "api/rollwright_api.h"
#include "dice/characters.h"

namespace rollwright {
namespace {

// The length of the UTF-8 character that a byte leads, or 0 when it leads
// none.
size_t LeadLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// Whether a byte may follow lead in a well-formed character: after these
// leads only some continuation bytes may, or the character would be an
// overlong form, a surrogate or past U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
  switch (lead) {
    case 0xE0:
      return second >= 0xA0;
    case 0xED:
      return second <= 0x9F;
    case 0xF0:
      return second >= 0x90;
    case 0xF4:
      return second <= 0x8F;
    default:
      return true;
  }
}

// The length of the well-formed UTF-8 character that starts text, or 0 when
// it starts with none.
size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const size_t length = LeadLength(lead);
  if (length == 0 || length > text.size()) return 0;
  if (length > 1 &&
      !SecondByteFits(lead, static_cast<unsigned char>(text[1]))) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if (!IsUtf8Continuation(text[i])) return 0;
  }
  return length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const size_t length = Utf8Length(text);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    } else {
      out.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return out;
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : ValidUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
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
