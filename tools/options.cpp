// SPDX-License-Identifier: MIT
#include "tools/options.h"

#include <string_view>
#include <utility>

#include "api/fairness.h"
#include "dice/characters.h"
#include "dice/random.h"
#include "text/fixed_text.h"

namespace rollwright {
namespace {

constexpr auto kSeedRange =
    FixedText("a number from 0 to ") + Decimal<kMaxSeed>();

constexpr auto kFairnessRange =
    FixedText("a number of sets from 1 to ") + Decimal<kMaxFairnessSets>();

// A decimal number from low to high, nothing else.
std::optional<uint64_t> ReadWhole(const std::string& text, uint64_t low,
                                  uint64_t high) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > high) return std::nullopt;
  }
  if (value < low) return std::nullopt;
  return value;
}

// The value of the option "--name" at arguments[i], given as "--name=VALUE"
// or as the next argument (then i moves past it); nothing when it is
// missing.
std::optional<std::string> OptionValue(
    const std::vector<std::string>& arguments, size_t& i,
    const std::string& name) {
  const std::string& argument = arguments[i];
  if (argument.size() > name.size()) return argument.substr(name.size() + 1);
  if (i + 1 == arguments.size()) return std::nullopt;
  return arguments[++i];
}

bool Named(const std::string& argument, const std::string& name) {
  return argument == name || argument.rfind(name + "=", 0) == 0;
}

// Reads the option at arguments[i] that takes a value (--seed, --fairness,
// --format) into options, moving i past its value; false when it is none of
// them. An unusable value sets options.error.
bool ReadValueOption(const std::vector<std::string>& arguments, size_t& i,
                     Options& options) {
  const std::string& argument = arguments[i];
  if (Named(argument, "--seed")) {
    std::optional<std::string> text = OptionValue(arguments, i, "--seed");
    auto seed = text ? ReadWhole(*text, 0, kMaxSeed) : std::nullopt;
    if (!text) {
      options.error = "--seed needs " + std::string(kSeedRange.View());
    } else if (!seed) {
      options.error = "bad seed '" + *text + "': use " + kSeedRange.chars;
    } else {
      options.seed = static_cast<uint32_t>(*seed);
    }
    return true;
  }
  if (Named(argument, "--fairness")) {
    std::optional<std::string> text = OptionValue(arguments, i, "--fairness");
    auto sets = text ? ReadWhole(*text, 1, kMaxFairnessSets) : std::nullopt;
    if (sets) {
      options.fairness = static_cast<int64_t>(*sets);
    } else {
      options.error = "--fairness needs " + std::string(kFairnessRange.View());
    }
    return true;
  }
  if (Named(argument, "--format")) {
    std::optional<std::string> text = OptionValue(arguments, i, "--format");
    const std::pair<const char*, OddsFormat> formats[] = {
        {"text", OddsFormat::kText},
        {"json", OddsFormat::kJson},
        {"csv", OddsFormat::kCsv}};
    for (const auto& [name, format] : formats) {
      if (text == name) options.format = format;
    }
    if (!options.format) options.error = "--format needs text, json or csv";
    return true;
  }
  return false;
}

// Whether the option of this name was given.
bool Given(const Options& options, std::string_view name) {
  if (name == "--odds") return options.odds;
  if (name == "--dice") return options.dice;
  if (name == "--json") return options.json;
  if (name == "--fairness") return options.fairness.has_value();
  return false;
}

// The options that go together, or options.error naming the two that do
// not.
void CheckCombination(Options& options) {
  struct Clash {
    const char* first;
    const char* second;
    const char* why;
  };
  static constexpr Clash kClashes[] = {
      {"--odds", "--dice", "--odds computes the odds and rolls nothing"},
      {"--odds", "--json",
       "--odds computes the odds and rolls nothing (the odds as JSON: "
       "--format=json)"},
      {"--fairness", "--odds", "--fairness tests rolls against the odds"},
      {"--fairness", "--dice", "--fairness shows counts, not each set"},
      {"--dice", "--json", "--json holds each set's dice already"},
  };
  for (const Clash& clash : kClashes) {
    // Each clash found writes its own words; a search would only find it.
    // cppcheck-suppress useStlAlgorithm
    if (Given(options, clash.first) && Given(options, clash.second)) {
      options.error = std::string(clash.first) + " does not go with " +
                      clash.second + ": " + clash.why;
      return;
    }
  }
  if (options.format && !options.odds) {
    options.error = "--format is the form of the odds: it goes with --odds";
  }
}

// An option: "--" and more, or '-' and a letter («-h»). '-' and anything
// else («-5», «-», «-+3») is a request.
bool LooksLikeOption(const std::string& argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  const char second = argument[1];
  return second == '-' || (second >= 'a' && second <= 'z') ||
         (second >= 'A' && second <= 'Z');
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || !LooksLikeOption(argument)) {
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
    } else if (!ReadValueOption(arguments, i, options)) {
      options.error = "unknown option '" + argument +
                      "' (a request that starts with '-': put -- before it)";
    }
  }
  if (options.error.empty()) CheckCombination(options);
  return options;
}

}  // namespace rollwright
