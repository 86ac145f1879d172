// SPDX-License-Identifier: MIT
#include "api/chi_square.h"

#include <cmath>
#include <limits>
#include <string>

namespace rollwright {
namespace {

constexpr double kTiny = 1e-300;
constexpr double kPrecision = 1e-15;
constexpr int kMaxTerms = 10000;

// The regularised lower incomplete gamma function P(a, x), by its series,
// for x < a + 1.
double LowerGammaSeries(double a, double x) {
  double term = 1 / a;
  double sum = term;
  for (int n = 1; n < kMaxTerms; ++n) {
    term *= x / (a + n);
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * kPrecision) break;
  }
  return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// The regularised upper incomplete gamma function Q(a, x), by its continued
// fraction (modified Lentz), for x >= a + 1.
double UpperGammaFraction(double a, double x) {
  double b = x + 1 - a;
  double c = 1 / kTiny;
  double d = 1 / b;
  double h = d;
  for (int i = 1; i < kMaxTerms; ++i) {
    const double an = -i * (i - a);
    b += 2;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const double step = d * c;
    h *= step;
    if (std::fabs(step - 1) < kPrecision) break;
  }
  return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// A label's first and last outcome: a range's are "first..last", so that
// merged ranges run from the first's first to the last's last.
std::string FirstOf(const std::string& label) {
  return label.substr(0, label.find(".."));
}

std::string LastOf(const std::string& label) {
  const size_t at = label.rfind("..");
  return at == std::string::npos ? label : label.substr(at + 2);
}

}  // namespace

double ChiSquarePValue(double statistic, int degrees) {
  if (degrees <= 0 || statistic <= 0) return 1;
  if (std::isinf(statistic)) return 0;
  const double a = degrees / 2.0;
  const double x = statistic / 2;
  return x < a + 1 ? 1 - LowerGammaSeries(a, x) : UpperGammaFraction(a, x);
}

ChiSquareTest TestCounts(const std::vector<CountedOutcome>& outcomes,
                         int64_t samples) {
  ChiSquareTest test;
  const auto n = static_cast<double>(samples);
  std::vector<std::string> lastLabels;
  for (const CountedOutcome& outcome : outcomes) {
    // An outcome that cannot come up, and did not, says nothing.
    if (outcome.chance <= 0 && outcome.observed == 0) continue;
    if (test.bins.empty() || test.bins.back().expected >= kMinExpected) {
      test.bins.push_back({outcome.label, 0, 0});
      lastLabels.emplace_back();
    }
    test.bins.back().observed += outcome.observed;
    test.bins.back().expected += outcome.chance * n;
    lastLabels.back() = outcome.label;
  }
  // A last bin that expects too little joins the one before it.
  if (test.bins.size() > 1 && test.bins.back().expected < kMinExpected) {
    test.bins[test.bins.size() - 2].observed += test.bins.back().observed;
    test.bins[test.bins.size() - 2].expected += test.bins.back().expected;
    lastLabels[test.bins.size() - 2] = lastLabels.back();
    test.bins.pop_back();
  }
  for (size_t i = 0; i < test.bins.size(); ++i) {
    ChiSquareBin& bin = test.bins[i];
    if (lastLabels[i] != bin.label) {
      bin.label = FirstOf(bin.label) + ".." + LastOf(lastLabels[i]);
    }
    const double gap = static_cast<double>(bin.observed) - bin.expected;
    if (bin.expected > 0) {
      test.statistic += gap * gap / bin.expected;
    } else if (bin.observed > 0) {
      test.statistic = std::numeric_limits<double>::infinity();
    }
  }
  test.degrees = static_cast<int>(test.bins.size()) - 1;
  test.pValue = ChiSquarePValue(test.statistic, test.degrees);
  return test;
}

}  // namespace rollwright
