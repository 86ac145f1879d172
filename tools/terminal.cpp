// SPDX-License-Identifier: MIT
#include "tools/terminal.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "dice/dice_error.h"
#include "dice/outcome_texts.h"
#include "tools/platform.h"

namespace rollwright {
namespace {

struct Phrase {
  const char* text;
  const char* colour;
};

// The colour of each grade, in Grade order.
constexpr const char* kGradeColours[] = {"\033[1;32m", "\033[32m", "\033[36m",
                                         "\033[33m"};
static_assert(sizeof kGradeColours / sizeof kGradeColours[0] ==
              sizeof kGradeTexts / sizeof kGradeTexts[0]);

// The reply's own words for each grade, in Grade order, then the critical.
constexpr Phrase kPhrases[] = {
    {kGradeTexts[Amazing].inReply, kGradeColours[Amazing]},
    {kGradeTexts[Good].inReply, kGradeColours[Good]},
    {kGradeTexts[Ordinary].inReply, kGradeColours[Ordinary]},
    {kGradeTexts[Failing].inReply, kGradeColours[Failing]},
    {kCriticalFailureText.inReply, kCriticalColour},
};

}  // namespace

bool ColourWanted() {
  const char* noColour = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  bool dumb = term != nullptr && std::strcmp(term, "dumb") == 0;
  return !dumb && (noColour == nullptr || *noColour == '\0') &&
         OutputTakesEscapes();
}

const char* GradeColour(Grade grade) { return kGradeColours[grade]; }

std::string ColourReply(const std::string& reply) {
  if (IsErrorMessage(reply)) return kErrorColour + reply + kPlainColour;
  const std::string gets = " and gets ";
  size_t start = reply.rfind(gets);
  if (start == std::string::npos) return reply;
  std::string coloured = reply.substr(0, start + gets.size());
  for (size_t at = start + gets.size(); at < reply.size();) {
    const Phrase* found = nullptr;
    for (const Phrase& phrase : kPhrases) {
      if (reply.compare(at, std::string::traits_type::length(phrase.text),
                        phrase.text) == 0) {
        found = &phrase;
      }
    }
    if (found == nullptr) {
      coloured += reply[at++];
      continue;
    }
    coloured += ' ';
    coloured += found->colour;
    coloured += found->text + 1;
    coloured += kPlainColour;
    at += std::string::traits_type::length(found->text);
  }
  return coloured;
}

int TerminalWidth() {
  if (!IsTerminal(1)) return kUnknownWidth;
  if (std::optional<int> columns = OutputColumns()) return *columns;
  const char* columns = std::getenv("COLUMNS");
  if (columns == nullptr) return kUnknownWidth;
  char* end = nullptr;
  long width = std::strtol(columns, &end, 10);
  return *end == '\0' && width > 0 && width < 10000 ? static_cast<int>(width)
                                                    : kUnknownWidth;
}

std::string Bar(double fraction, int width) {
  double columns = std::fmax(0.0, std::fmin(fraction, 1.0)) * width;
#if defined(_WIN32)
  return std::string(static_cast<size_t>(std::lround(columns)), '#');
#else
  static const char* const kEighths[] = {"", "▏", "▎", "▍", "▌", "▋", "▊", "▉"};
  auto eighths = static_cast<long>(std::floor(columns * 8));
  std::string bar;
  for (long i = 0; i < eighths / 8; ++i) bar += "█";
  bar += kEighths[eighths % 8];
  return bar;
#endif
}

}  // namespace rollwright
