#include "tools/odds_report.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "dice/rules.h"
#include "odds/odds_summary.h"
#include "tools/terminal.h"

namespace rollwright {
namespace {

constexpr int kBarWidth =
    50;  // after a label and a chance of 28 columns at most

std::string Percent(double chance) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f%%", 100.0 * chance);
  return text;
}

// One line of a label, a chance and, in the bar style, a bar of the chance
// against the largest.
class Lines {
 public:
  Lines(std::ostream& into, OddsStyle dressed, double largestChance)
      : out(into), style(dressed), largest(largestChance) {}

  void Print(const std::string& label, double chance,
             const char* colour = nullptr) {
    out << label << Percent(chance);
    std::string bar = style.bars && largest > 0
                          ? Bar(chance / largest, kBarWidth)
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
};

std::string Label(const std::string& words) {
  return "  " + words +
         std::string(words.size() < 18 ? 18 - words.size() : 1, ' ');
}

// The grades in the reply's words and order, then the critical failures.
void PrintGrades(std::ostream& out, const OddsSummary& summary,
                 OddsStyle style) {
  static const char* const kWords[] = {"Amazing Success", "Good Success",
                                       "Ordinary Success", "Failing"};
  const std::array<double, 4>& grades = summary.grades;
  Lines lines(out, style,
              std::max(summary.critical,
                       *std::max_element(grades.begin(), grades.end())));
  for (size_t grade = 0; grade < grades.size(); ++grade) {
    lines.Print(Label(kWords[grade]), grades[grade],
                GradeColour(static_cast<Grade>(grade)));
  }
  lines.Print(Label("Critical Failure"), summary.critical, kCriticalColour);
}

void PrintPercentiles(std::ostream& out, const OddsSummary& summary) {
  out << "  percentile  total\n";
  for (const OddsSummary::Percentile& percentile : summary.percentiles) {
    char line[64];
    std::snprintf(line, sizeof line, "  %9d%%  %5d\n", percentile.share,
                  percentile.total);
    out << line;
  }
}

double LargestChance(const OddsSummary& summary) {
  double largest = 0;
  for (const OddsSummary::Bar& bar : summary.bars) {
    largest = std::max(largest, bar.chance);
  }
  return largest;
}

// A bar per total, or past kListedTotals totals (and only with bars) per
// range of totals.
void PrintBars(std::ostream& out, const OddsSummary& summary, OddsStyle style) {
  Lines lines(out, style, LargestChance(summary));
  out << (summary.eachTotal ? "  total  chance\n"
                            : "  totals            chance\n");
  for (const OddsSummary::Bar& bar : summary.bars) {
    char label[64];
    if (summary.eachTotal) {
      std::snprintf(label, sizeof label, "  %5lld ",
                    static_cast<long long>(bar.first));
    } else {
      std::snprintf(label, sizeof label, "  %7lld..%-7lld ",
                    static_cast<long long>(bar.first),
                    static_cast<long long>(bar.last));
    }
    lines.Print(label, bar.chance);
  }
}

void PrintTotals(std::ostream& out, const OddsSummary& summary,
                 OddsStyle style) {
  char line[96];
  std::snprintf(line, sizeof line, "  lowest %d, highest %d, mean %.2f\n",
                summary.lowest, summary.highest, summary.mean);
  out << line;
  if (summary.twentySided) {
    Lines(out, {}, 0).Print(Label("Critical Failure"), summary.critical);
  }
  if (!summary.eachTotal) PrintPercentiles(out, summary);
  if (summary.eachTotal || style.bars) PrintBars(out, summary, style);
}

void PrintReport(std::ostream& out, const std::string& request,
                 const OddsSummary& summary, OddsStyle style) {
  out << "odds of " << request;
  if (summary.sets > 1) out << ", each of " << summary.sets << " sets";
  out << ":\n";
  if (summary.anyTotal) {
    if (summary.skill != 0) {
      PrintGrades(out, summary, style);
    } else {
      PrintTotals(out, summary, style);
    }
  }
  for (const OddsSummary::ErrorChance& error : summary.errors) {
    Lines(out, {}, 0).Print(Label(error.message), error.chance);
  }
}

}  // namespace

bool PrintOdds(const std::string& request, std::ostream& out, OddsStyle style) {
  OddsSummary summary = SummariseOdds(request);
  switch (summary.answer) {
    case OddsSummary::Answer::kRefused:
      out << summary.refusal << '\n';
      return false;
    case OddsSummary::Answer::kTooManyOutcomes:
      out << "odds of " << request << ": " << kTooManyOutcomesMessage << '\n';
      return false;
    case OddsSummary::Answer::kOdds:
      break;
  }
  PrintReport(out, request, summary, style);
  return true;
}

}  // namespace rollwright
