// SPDX-License-Identifier: MIT
#include "tools/fairness_text.h"

#include <cstdio>

namespace rollwright {
namespace {

constexpr char kPValueMeaning[] =
    "p is the chance that fair dice stray this far or further from the "
    "odds; fair dice give p below 0.01 once in 100 checks.\n";

std::string Fixed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string TestText(const char* heading, const ChiSquareTest& test) {
  std::string text = std::string("  ") + heading + "\n";
  text += "  bin                     observed        expected\n";
  for (const ChiSquareBin& bin : test.bins) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-20s %11lld %15.2f\n",
                  bin.label.c_str(), static_cast<long long>(bin.observed),
                  bin.expected);
    text += line;
  }
  text += "  chi-square " + Fixed("%.4f", test.statistic) + " with " +
          std::to_string(test.degrees) +
          " degrees of freedom: p = " + Fixed("%.4g", test.pValue) + "\n";
  return text;
}

}  // namespace

std::string FairnessText(const std::string& request,
                         const FairnessReport& report) {
  if (report.refusal != nullptr) {
    return "fairness of " + request + ": " + report.refusal + "\n";
  }
  std::string text = "fairness of " + request + ", " +
                     std::to_string(report.sets) + " sets rolled:\n";
  text += TestText("totals", report.totals);
  if (report.grades) text += TestText("grades", *report.grades);
  return text + kPValueMeaning;
}

}  // namespace rollwright
