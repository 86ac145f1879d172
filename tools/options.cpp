// SPDX-License-Identifier: MIT
#include "tools/options.h"

#include "dice/random.h"
#include "text/fixed_text.h"

namespace rollwright {
namespace {

constexpr auto kSeedRange =
    FixedText("a number from 0 to ") + Decimal<kMaxSeed>();

// A seed is a decimal number from 0 to kMaxSeed, nothing else.
std::optional<uint32_t> ReadSeed(const std::string& text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > kMaxSeed) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool option = argument.rfind("--", 0) == 0 || argument == "-h";
    if (optionsEnded || !option) {
      options.requests.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--odds") {
      options.odds = true;
    } else if (argument == "--dice") {
      options.dice = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "--seed" || argument.rfind("--seed=", 0) == 0) {
      bool joined = argument.size() > 6;
      if (!joined && i + 1 == arguments.size()) {
        options.error = "--seed needs " + std::string(kSeedRange.View());
        return options;
      }
      std::string text = joined ? argument.substr(7) : arguments[++i];
      options.seed = ReadSeed(text);
      if (!options.seed) {
        options.error = "bad seed '" + text + "': use " + kSeedRange.chars;
        return options;
      }
    } else {
      options.error = "unknown option '" + argument + "' (see --help)";
      return options;
    }
  }
  if (options.odds && (options.dice || options.json)) {
    options.error =
        "--odds computes the odds and rolls nothing: it does not go "
        "with --dice or --json";
  }
  return options;
}

}  // namespace rollwright
