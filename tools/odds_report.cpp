#include "tools/odds_report.h"

#include <array>
#include <cstdio>
#include <vector>

#include "odds/odds.h"
#include "host/error_messages.h"

namespace rollwright {
namespace {

std::string Percent(double chance) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f%%", 100.0 * chance);
  return text;
}

void PrintLine(std::ostream& out, const std::string& label, double chance) {
  out << "  " << label
      << std::string(label.size() < 18 ? 18 - label.size() : 1, ' ')
      << Percent(chance) << '\n';
}

// The grades in the reply's words and order, then the critical failures.
void PrintGrades(std::ostream& out, const Odds& odds, int32_t skill) {
  static const char* const kWords[] = {"Amazing Success", "Good Success",
                                       "Ordinary Success", "Failing"};
  std::array<double, 4> grades{};
  double critical = 0;
  for (const auto& [total, mass] : odds.Totals().Totals()) {
    grades[GradeOf(skill, total)] += mass.plain;
    critical += mass.critical;
  }
  for (size_t grade = 0; grade < grades.size(); ++grade) {
    PrintLine(out, kWords[grade], grades[grade]);
  }
  PrintLine(out, "Critical Failure", critical);
}

// Smallest total whose cumulative chance reaches share of the alive mass.
void PrintPercentiles(std::ostream& out, const Distribution& totals,
                      double alive) {
  out << "  percentile  total\n";
  for (int share : {1, 5, 10, 25, 50, 75, 90, 95, 99}) {
    double sum = 0;
    for (const auto& [total, mass] : totals.Totals()) {
      sum += mass.Both();
      if (sum >= alive * share / 100.0 - 1e-12) {
        char line[64];
        std::snprintf(line, sizeof line, "  %9d%%  %5d\n", share, total);
        out << line;
        break;
      }
    }
  }
}

void PrintTotals(std::ostream& out, const Odds& odds) {
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
  if (odds.HasTwentySidedGroup()) PrintLine(out, "Critical Failure", critical);
  if (totals.Totals().size() > kListedTotals) {
    PrintPercentiles(out, totals, alive);
    return;
  }
  out << "  total  chance\n";
  for (const auto& [total, mass] : totals.Totals()) {
    std::snprintf(line, sizeof line, "  %5d %s\n", total,
                  Percent(mass.Both()).c_str());
    out << line;
  }
}

void PrintReport(std::ostream& out, const std::string& request,
                 const Rollwright& parsed, const Odds& odds) {
  out << "odds of " << request;
  if (parsed.Sets() > 1) out << ", each of " << parsed.Sets() << " sets";
  out << ":\n";
  if (odds.Totals().TotalMass() > 0) {
    if (parsed.Skill() != 0) {
      PrintGrades(out, odds, parsed.Skill());
    } else {
      PrintTotals(out, odds);
    }
  }
  for (const auto& [code, chance] : odds.Errors()) {
    PrintLine(out, ErrorMessage(code), chance);
  }
}

}  // namespace

bool PrintOdds(const std::string& request, std::ostream& out) {
  std::vector<char> buffer(request.begin(), request.end());
  buffer.push_back('\0');
  try {
    Rollwright parsed(buffer.data());
    Odds odds(parsed.Expression());
    if (odds.Totals().TotalMass() <= 0 && odds.Errors().size() == 1) {
      out << ErrorMessage(odds.Errors().begin()->first) << '\n';
      return false;
    }
    PrintReport(out, request, parsed, odds);
    return true;
  } catch (const Rollwright::DiceError& error) {
    out << ErrorMessage(error.code) << '\n';
  } catch (const Distribution::TooManyOutcomes&) {
    out << "odds of " << request << ": too many outcomes to compute exactly\n";
  }
  return false;
}

}  // namespace rollwright
