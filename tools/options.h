// SPDX-License-Identifier: MIT
// The command line of the rollwright tool:
//
//   rollwright [--seed N] [--dice | --json | --odds [--format=F] |
//              --fairness N [--json]] [-h | --help] [--version] [--]
//              [REQUEST ...]
//
// where F, the odds' form, is text (the default), json or csv.
//
// Until a lone "--", an argument that starts with "--", or with '-' and a
// letter, is an option, and one the tool does not know is an error; every
// other argument («-5», «-2+d6») is a request, and after "--" every one is
// («-- -d6»). Options that do not go together are an error that names both.
#ifndef ROLLWRIGHT_TOOLS_OPTIONS_H_
#define ROLLWRIGHT_TOOLS_OPTIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rollwright {

enum class OddsFormat { kText, kJson, kCsv };

struct Options {
  bool help = false;
  bool version = false;
  bool odds = false;
  std::optional<OddsFormat> format;  // of the odds
  bool dice = false;                 // shows each set's dice under the reply
  bool json = false;  // writes each roll as JSON in place of the reply
  std::optional<int64_t> fairness;  // sets to roll for a check of the dice
  std::optional<uint32_t> seed;
  std::vector<std::string> requests;
  std::string error;  // not empty when the command line is unusable
};

Options ParseOptions(const std::vector<std::string>& arguments);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_OPTIONS_H_
