#include "tools/odds_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "dice/rules.h"
#include "host/error_messages.h"
#include "odds/odds.h"
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
void PrintGrades(std::ostream& out, const Odds& odds, int32_t skill,
                 OddsStyle style) {
  static const char* const kWords[] = {"Amazing Success", "Good Success",
                                       "Ordinary Success", "Failing"};
  std::array<double, 4> grades{};
  double critical = 0;
  for (const auto& [total, mass] : odds.Totals().Totals()) {
    grades[GradeOf(skill, total)] += mass.plain;
    critical += mass.critical;
  }
  Lines lines(
      out, style,
      std::max(critical, *std::max_element(grades.begin(), grades.end())));
  for (size_t grade = 0; grade < grades.size(); ++grade) {
    lines.Print(Label(kWords[grade]), grades[grade],
                GradeColour(static_cast<Grade>(grade)));
  }
  lines.Print(Label("Critical Failure"), critical, kCriticalColour);
}

// The smallest total whose cumulative chance reaches share of the alive mass.
int32_t Percentile(const Distribution& totals, double alive, double share) {
  double sum = 0;
  for (const auto& [total, mass] : totals.Totals()) {
    sum += mass.Both();
    if (sum >= alive * share - 1e-12) return total;
  }
  return totals.Totals().rbegin()->first;
}

void PrintPercentiles(std::ostream& out, const Distribution& totals,
                      double alive) {
  out << "  percentile  total\n";
  for (int share : {1, 5, 10, 25, 50, 75, 90, 95, 99}) {
    char line[64];
    std::snprintf(line, sizeof line, "  %9d%%  %5d\n", share,
                  Percentile(totals, alive, share / 100.0));
    out << line;
  }
}

// kRanges ranges of equal width from the 0.1st to the 99.9th percentile; the
// first and the last also hold the rare totals beyond, up to the lowest and
// the highest.
void PrintRanges(std::ostream& out, const Distribution& totals, double alive,
                 OddsStyle style) {
  const int64_t lowest = totals.Totals().begin()->first;
  const int64_t highest = totals.Totals().rbegin()->first;
  const int64_t low = Percentile(totals, alive, 0.001);
  const int64_t width =
      (Percentile(totals, alive, 0.999) - low + kRanges) / kRanges;
  std::vector<double> chances(kRanges);
  for (const auto& [total, mass] : totals.Totals()) {
    int64_t range = std::clamp<int64_t>((total - low) / width, 0, kRanges - 1);
    chances[static_cast<size_t>(range)] += mass.Both();
  }
  Lines lines(out, style, *std::max_element(chances.begin(), chances.end()));
  out << "  totals            chance\n";
  for (int64_t i = 0; i < kRanges; ++i) {
    int64_t first = i == 0 ? lowest : low + i * width;
    int64_t last = i == kRanges - 1 ? highest : low + (i + 1) * width - 1;
    char label[64];
    std::snprintf(label, sizeof label, "  %7lld..%-7lld ",
                  static_cast<long long>(first), static_cast<long long>(last));
    lines.Print(label, chances[static_cast<size_t>(i)]);
  }
}

void PrintEachTotal(std::ostream& out, const Distribution& totals,
                    OddsStyle style) {
  double largest = 0;
  for (const auto& [total, mass] : totals.Totals()) {
    largest = std::max(largest, mass.Both());
  }
  Lines lines(out, style, largest);
  out << "  total  chance\n";
  for (const auto& [total, mass] : totals.Totals()) {
    char label[32];
    std::snprintf(label, sizeof label, "  %5d ", total);
    lines.Print(label, mass.Both());
  }
}

void PrintTotals(std::ostream& out, const Odds& odds, OddsStyle style) {
  const Distribution& totals = odds.Totals();
  double alive = totals.TotalMass();
  double sum = 0;
  double critical = 0;
  for (const auto& [total, mass] : totals.Totals()) {
    sum += total * mass.Both();
    critical += mass.critical;
  }
  char line[96];
  std::snprintf(line, sizeof line, "  lowest %d, highest %d, mean %.2f\n",
                totals.Totals().begin()->first, totals.Totals().rbegin()->first,
                sum / alive);
  out << line;
  if (odds.HasTwentySidedGroup()) {
    Lines(out, {}, 0).Print(Label("Critical Failure"), critical);
  }
  if (totals.Totals().size() <= kListedTotals) {
    PrintEachTotal(out, totals, style);
    return;
  }
  PrintPercentiles(out, totals, alive);
  if (style.bars) PrintRanges(out, totals, alive, style);
}

void PrintReport(std::ostream& out, const std::string& request,
                 const Rollwright& parsed, const Odds& odds, OddsStyle style) {
  out << "odds of " << request;
  if (parsed.Sets() > 1) out << ", each of " << parsed.Sets() << " sets";
  out << ":\n";
  if (odds.Totals().TotalMass() > 0) {
    if (parsed.Skill() != 0) {
      PrintGrades(out, odds, parsed.Skill(), style);
    } else {
      PrintTotals(out, odds, style);
    }
  }
  for (const auto& [code, chance] : odds.Errors()) {
    Lines(out, {}, 0).Print(Label(ErrorMessage(code)), chance);
  }
}

}  // namespace

bool PrintOdds(const std::string& request, std::ostream& out, OddsStyle style) {
  std::vector<char> buffer(request.begin(), request.end());
  buffer.push_back('\0');
  try {
    Rollwright parsed(buffer.data());
    Odds odds(parsed.Expression());
    if (odds.Totals().TotalMass() <= 0 && odds.Errors().size() == 1) {
      out << ErrorMessage(odds.Errors().begin()->first) << '\n';
      return false;
    }
    PrintReport(out, request, parsed, odds, style);
    return true;
  } catch (const Rollwright::DiceError& error) {
    out << ErrorMessage(error.code) << '\n';
  } catch (const Distribution::TooManyOutcomes&) {
    out << "odds of " << request << ": too many outcomes to compute exactly\n";
  }
  return false;
}

}  // namespace rollwright
