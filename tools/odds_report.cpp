// SPDX-License-Identifier: MIT
#include "tools/odds_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "dice/characters.h"
#include "dice/outcome_texts.h"
#include "dice/rules.h"
#include "odds/odds_summary.h"
#include "tools/terminal.h"

namespace rollwright {
namespace {

// A chance in 7 columns.
std::string Percent(double chance) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f%%", 100.0 * chance);
  return text;
}

// A chance known only between low and high (high < 0: exactly low): one
// figure when both print alike, else the range, «12.31–12.36%».
std::string Percent(double low, double high) {
  std::string text = Percent(low);
  if (high < 0 || Percent(high) == text) return text;
  char range[64];
  std::snprintf(range, sizeof range, "%.2f\u2013%.2f%%", 100.0 * low,
                100.0 * high);
  return range;
}

// The upper bound of a figure of summary at index i of highs, or -1 when the
// figures are exact.
template <class Highs>
double High(const OddsSummary& summary, const Highs& highs, size_t i) {
  return summary.exact || i >= highs.size() ? -1.0 : highs[i];
}

std::string RightAligned(const std::string& text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// Lines of text of textColumns columns each, and in the bar style a bar of
// each line's chance against the largest, so that the line fills the width
// but its last column.
class Lines {
 public:
  Lines(std::ostream& into, OddsStyle dressed, double largestChance,
        size_t textColumns)
      : out(into),
        style(dressed),
        largest(largestChance),
        barColumns(std::max(dressed.width, kNarrowestWidth) - 2 -
                   static_cast<int>(textColumns)) {}

  void Print(const std::string& text, double chance,
             const char* colour = nullptr) {
    out << text;
    std::string bar = style.bars && largest > 0 && barColumns > 0
                          ? Bar(chance / largest, barColumns)
                          : std::string();
    if (!bar.empty()) {
      bool coloured = style.colour && colour != nullptr;
      out << ' ' << (coloured ? colour : "") << bar
          << (coloured ? kPlainColour : "");
    }
    out << '\n';
  }

 private:
  std::ostream& out;
  OddsStyle style;
  double largest;
  int barColumns;
};

// At least 20 columns.
std::string Label(const std::string& words) {
  return "  " + words +
         std::string(words.size() < 18 ? 18 - words.size() : 1, ' ');
}

// A line of a table of totals: the chance of the label's totals, of those or
// more and of those or fewer.
struct Row {
  std::string label;
  double chance;
  double atLeast;
  double atMost;
  // Their upper bounds, when they are not exact.
  double chanceHigh = -1;
  double atLeastHigh = -1;
  double atMostHigh = -1;
};

// The labels right-aligned under the heading, as wide as the widest.
void PrintTable(std::ostream& out, const char* heading,
                const std::vector<Row>& rows, OddsStyle style) {
  size_t width = std::strlen(heading);
  double largest = 0;
  for (const Row& row : rows) {
    width = std::max(width, row.label.size());
    largest = std::max(largest, row.chance);
  }
  out << "  " << RightAligned(heading, width) << "  chance at least at most\n";
  Lines lines(out, style, largest, width + 27);
  for (const Row& row : rows) {
    lines.Print("  " + RightAligned(row.label, width) + " " +
                    Percent(row.chance, row.chanceHigh) + "  " +
                    Percent(row.atLeast, row.atLeastHigh) + " " +
                    Percent(row.atMost, row.atMostHigh),
                row.chance);
  }
}

// Over the sets: how many succeed, and whether any is a Critical Failure.
void PrintSets(std::ostream& out, const OddsSummary& summary, OddsStyle style) {
  const std::vector<double>& highs = summary.upper.successes;
  const bool exact = summary.exact;
  std::vector<Row> rows;
  double atMost = 0;
  double atMostHigh = 0;
  for (size_t k = 0; k < summary.successes.size(); ++k) {
    atMost += summary.successes[k];
    atMostHigh += exact ? 0 : highs[k];
    rows.push_back({std::to_string(k), summary.successes[k], 0, atMost,
                    High(summary, highs, k), -1,
                    exact ? -1 : std::min(atMostHigh, 1.0)});
  }
  double atLeast = 0;
  double atLeastHigh = 0;
  for (size_t k = rows.size(); k-- > 0;) {
    atLeast += rows[k].chance;
    atLeastHigh += exact ? 0 : highs[k];
    rows[k].atLeast = atLeast;
    rows[k].atLeastHigh = exact ? -1 : std::min(atLeastHigh, 1.0);
  }
  PrintTable(out, "sets that succeed", rows, style);
  out << Label(std::string("at least one ") + kCriticalFailureText.name)
      << Percent(summary.anyCritical, exact ? -1 : summary.upper.anyCritical)
      << '\n';
}

// The grades in the reply's words and order, then the critical failures.
void PrintGrades(std::ostream& out, const OddsSummary& summary,
                 OddsStyle style) {
  const std::array<double, 4>& grades = summary.grades;
  Lines lines(out, style,
              std::max(summary.critical,
                       *std::max_element(grades.begin(), grades.end())),
              Label("").size() + Percent(0).size());
  for (size_t grade = 0; grade < grades.size(); ++grade) {
    lines.Print(
        Label(kGradeTexts[grade].name) +
            Percent(grades[grade], High(summary, summary.upper.grades, grade)),
        grades[grade], GradeColour(static_cast<Grade>(grade)));
  }
  lines.Print(Label(kCriticalFailureText.name) + Percent(summary.critical),
              summary.critical, kCriticalColour);
  if (!summary.successes.empty()) PrintSets(out, summary, style);
}

// A percentile's total, or the range it is known to be in.
std::string PercentileText(const OddsSummary& summary, size_t i) {
  std::string text = std::to_string(summary.percentiles[i].total);
  if (summary.exact || i >= summary.upper.percentiles.size()) return text;
  const int32_t high = summary.upper.percentiles[i].total;
  if (high == summary.percentiles[i].total) return text;
  return text + "\u2013" + std::to_string(high);
}

void PrintPercentiles(std::ostream& out, const OddsSummary& summary) {
  size_t width = std::strlen("total");
  for (size_t i = 0; i < summary.percentiles.size(); ++i) {
    width = std::max(width, PercentileText(summary, i).size());
  }
  out << "  percentile  " << RightAligned("total", width) << '\n';
  for (size_t i = 0; i < summary.percentiles.size(); ++i) {
    out << "  "
        << RightAligned(std::to_string(summary.percentiles[i].share) + "%", 10)
        << "  " << RightAligned(PercentileText(summary, i), width) << '\n';
  }
}

// A bar per total, or past kListedTotals totals (and only with bars) per
// range of totals.
void PrintBars(std::ostream& out, const OddsSummary& summary, OddsStyle style) {
  std::vector<Row> rows;
  for (size_t i = 0; i < summary.bars.size(); ++i) {
    const OddsSummary::Bar& bar = summary.bars[i];
    std::string label = std::to_string(bar.first);
    if (!summary.eachTotal) label += ".." + std::to_string(bar.last);
    rows.push_back({label, bar.chance, bar.atLeast, bar.atMost});
    if (!summary.exact && i < summary.upper.bars.size()) {
      const OddsSummary::Bar& high = summary.upper.bars[i];
      rows.back().chanceHigh = high.chance;
      rows.back().atLeastHigh = high.atLeast;
      rows.back().atMostHigh = high.atMost;
    }
  }
  PrintTable(out, summary.eachTotal ? "total" : "totals", rows, style);
}

void PrintTotals(std::ostream& out, const OddsSummary& summary,
                 OddsStyle style) {
  char mean[64];
  std::snprintf(mean, sizeof mean, "%.2f", summary.mean);
  char high[64];
  std::snprintf(high, sizeof high, "%.2f", summary.upper.mean);
  out << "  lowest " << summary.lowest << ", highest " << summary.highest
      << ", mean " << mean;
  if (!summary.exact && std::strcmp(mean, high) != 0) out << "\u2013" << high;
  out << '\n';
  if (summary.twentySided) {
    out << Label(kCriticalFailureText.name) << Percent(summary.critical)
        << '\n';
  }
  if (!summary.eachTotal) PrintPercentiles(out, summary);
  if (summary.eachTotal || style.bars) PrintBars(out, summary, style);
}

// text, or its first bytes up to a whole character and "...", in at most
// kLongestEcho bytes.
std::string Echo(const std::string& text) {
  if (text.size() <= kLongestEcho) return text;
  size_t end = kLongestEcho - 3;
  while (end > 0 && IsUtf8Continuation(text[end])) --end;
  return text.substr(0, end) + "...";
}

// How the module read the request, in the reply's words for a skill test
// («d20+2 against 14 dodge, each of 2 sets»), else with its comment named
// («2d6 (comment «+ 3»)»).
std::string Reading(const OddsSummary& summary) {
  std::string reading = Echo(summary.expression);
  if (summary.skill != 0) {
    reading.append(" against ").append(Echo(summary.comment));
  } else if (!summary.comment.empty()) {
    reading.append(" (comment \xC2\xAB").append(Echo(summary.comment));
    reading += "\xC2\xBB)";
  }
  if (summary.sets > 1) {
    reading.append(", each of ").append(std::to_string(summary.sets));
    reading += " sets";
  }
  return reading;
}

void PrintReport(std::ostream& out, const OddsSummary& summary,
                 OddsStyle style) {
  out << "odds of " << Reading(summary) << ":\n";
  if (summary.skill != 0) {
    if (summary.anyTotal) PrintGrades(out, summary, style);
  } else if (summary.anyTotal) {
    PrintTotals(out, summary, style);
  }
  for (const OddsSummary::ErrorChance& error : summary.errors) {
    out << Label(error.message) << Percent(error.chance) << '\n';
  }
}

}  // namespace

std::string OddsRefusal(const std::string& request, const char* why) {
  std::string line = "odds of ";
  line += Echo(request);
  return line.append(": ").append(why);
}

bool PrintOdds(const std::string& request, std::ostream& out, OddsStyle style) {
  try {
    OddsSummary summary = SummariseOdds(request);
    if (summary.verdict != OddsSummary::Verdict::kOdds) {
      out << OddsRefusal(request, summary.refusal) << '\n';
      return false;
    }
    PrintReport(out, summary, style);
    return true;
  } catch (const std::bad_alloc&) {
    out << OddsRefusal(request, kOddsOutOfMemoryMessage) << '\n';
    return false;
  }
}

}  // namespace rollwright
