// SPDX-License-Identifier: MIT
// rollwright: rolls dice requests from the command line or standard input
// through the module's own DiceMain, exactly as a host would.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "api/fairness.h"
#include "api/odds_data.h"
#include "api/roll_report.h"
#include "api/rollwright_api.h"
#include "dice/dice_error.h"
#include "dice/limits.h"
#include "dice/random.h"
#include "odds/odds_summary.h"
#include "rollwright.h"
#include "text/fixed_text.h"
#include "tools/fairness_text.h"
#include "tools/odds_report.h"
#include "tools/options.h"
#include "tools/platform.h"
#include "tools/prompt.h"
#include "tools/terminal.h"

namespace {

constexpr char kSynopsis[] =
    "usage: rollwright [--seed N] [--dice | --json | --odds [--format=F] |\n"
    "                  --fairness N [--json]] [-h | --help] [--version]\n"
    "                  [--] [REQUEST ...]\n";

constexpr char kUsage[] =
    "Rolls each REQUEST, or each line of standard input, and prints the "
    "reply.\n"
    "After --, every argument is a REQUEST, one that starts with '-' too.\n"
    "At a terminal with no REQUEST, asks for requests at a prompt until the\n"
    "end of input, \"quit\" or \"exit\" (\"help\" there shows its keys).\n"
    "\n";

constexpr char kRequestExamples[] =
    "A request: [SETS#] EXPRESSION [skill LEVEL] [COMMENT]\n"
    "  3d6               three six-sided dice (d6 is one die)\n"
    "  3#2d6+1 fire      three sets, each listed; a comment is repeated\n"
    "  2+3*4             left to right, no precedence: 20\n"
    "  10-2d6+5          a dice group opens a term: 10 - (2d6 + 5)\n"
    "  3d6 skill 12      roll-under test: Amazing (<= 12/4), Good (<= 12/2),\n"
    "                    Ordinary (<= 12) or Failing; a 20 on the first d20\n"
    "                    is a Critical Failure\n";

// What "help" at the prompt shows too: the examples, then the limits.
const std::string& RequestSyntax() {
  static const std::string syntax =
      kRequestExamples +
      ("Limits: " + std::to_string(rollwright::kMaxSets) + " sets, " +
       std::to_string(rollwright::kMaxDice) + " dice per group, " +
       std::to_string(rollwright::kMaxSides) + " sides per die.\n");
  return syntax;
}

// With the seed's range as the engine has it.
constexpr auto kOptions =
    rollwright::FixedText("\n  --seed N   start the generator at N (0 to ") +
    rollwright::Decimal<rollwright::kMaxSeed>() +
    "): same replies\n"
    "             every time; without it the system's random source seeds it\n"
    "  --dice     under each reply, a line per set with its dice (and, on\n"
    "             standard error, a hint when the request may be a slip)\n"
    "  --json     one JSON object per request in place of the reply: the\n"
    "             reply, how the request was read, each set's dice\n"
    "  --fairness N\n"
    "             roll N sets of each request (1 to " +
    rollwright::Decimal<rollwright::kMaxFairnessSets>() +
    ") and test the\n"
    "             totals, and a skill test's grades, against the exact odds:\n"
    "             observed and expected counts, chi-square and p-value\n"
    "             (with --json, as JSON)\n"
    "  --odds     print the exact chance of every outcome of one set instead\n"
    "             of rolling: each grade and the Critical Failure with a\n"
    "             skill level, else the lowest, highest and mean total and\n"
    "             the chance of each total\n"
    "  --format=F the odds' form: text (the default), json (every figure at\n"
    "             full precision, every total) or csv (a table of every\n"
    "             total, then of the outcomes of a skill test)\n"
    "  -h, --help show this text\n"
    "  --version  show the version\n"
    "  --         end the options: every argument after it is a request\n"
    "Exit status: 0 all replies were sentences, 1 some were errors (or their\n"
    "odds ran out of memory), 2 bad command line (an unknown option, options\n"
    "that do not go together).\n";

// Without --seed, the system's entropy, which no one can foresee from the
// time a run started; LoadDll's clock only if the system has none to give.
void SeedUnpredictably() {
  if (std::optional<uint32_t> seed = rollwright::EntropySeed()) {
    rollwright::RandomSeed(*seed);
  } else {
    LoadDll(0);
  }
}

// What a roll prints besides, or instead of, its reply.
struct RollShown {
  bool dice = false;   // a line of faces per set under the reply
  bool json = false;   // one JSON object in place of the reply
  bool hints = false;  // a word on standard error when a reading may be a slip
};
RollShown shown;

// Rolls one request; true when the reply is a sentence, not an error. The
// faces come from the very roll that made the reply.
bool RollOne(const std::string& request) {
  if (!shown.dice && !shown.json && !shown.hints) {
    std::string reply = rollwright::Reply(request);
    const bool sentence = !rollwright::IsErrorMessage(reply);
    if (rollwright::ColourWanted()) reply = rollwright::ColourReply(reply);
    std::cout << reply << std::endl;  // one reply per request
    return sentence;
  }
  const rollwright::RollResult result = rollwright::Roll(request);
  if (shown.json) {
    std::cout << rollwright::RollJson(result) << std::endl;
    return !result.isError;
  }
  std::cout << (rollwright::ColourWanted()
                    ? rollwright::ColourReply(result.reply)
                    : result.reply)
            << '\n';
  if (shown.dice && !result.isError) {
    std::cout << rollwright::DiceLines(result.record);
  }
  std::cout.flush();  // one reply per request
  if (shown.hints && result.hint) {
    std::cerr << "hint: " << *result.hint << std::endl;
  }
  return !result.isError;
}

// The form --odds prints the odds in.
rollwright::OddsFormat oddsFormat = rollwright::OddsFormat::kText;

// The odds as JSON (a refusal too) or as CSV (a refusal on standard error).
bool PrintOddsData(const std::string& request) {
  const rollwright::OddsSummary summary = rollwright::SummariseOdds(request);
  const bool answered =
      summary.verdict == rollwright::OddsSummary::Verdict::kOdds;
  if (oddsFormat == rollwright::OddsFormat::kJson) {
    std::cout << rollwright::OddsJson(request, summary, true) << '\n';
  } else if (answered) {
    std::cout << rollwright::OddsCsv(summary);
  } else {
    std::cerr << rollwright::OddsRefusal(request, summary.refusal) << '\n';
  }
  return answered;
}

bool ReportOdds(const std::string& request) {
  bool answered = false;
  if (oddsFormat == rollwright::OddsFormat::kText) {
    answered = rollwright::PrintOdds(request, std::cout,
                                     {.bars = true,
                                      .colour = rollwright::ColourWanted(),
                                      .width = rollwright::TerminalWidth()});
  } else {
    try {
      answered = PrintOddsData(request);
    } catch (const std::bad_alloc&) {
      std::cerr << rollwright::OddsRefusal(request,
                                           rollwright::kOddsOutOfMemoryMessage)
                << '\n';
    }
  }
  std::cout.flush();
  return answered;
}

// The sets a check of fairness rolls, when it is one.
int64_t fairnessSets = 0;

// On a terminal, a line that says how far a check has come, once it has
// taken more than a second; cleared when it ends.
void ShowProgress(int64_t done, std::chrono::steady_clock::time_point start) {
  if (!rollwright::IsTerminal(1)) return;
  const auto elapsed = std::chrono::steady_clock::now() - start;
  if (elapsed < std::chrono::seconds(1)) return;
  if (done == fairnessSets) {
    std::cerr << "\r\x1b[K" << std::flush;
  } else {
    std::cerr << "\rrolled " << done << " of " << fairnessSets << " sets"
              << std::flush;
  }
}

bool CheckFairness(const std::string& request) {
  const auto start = std::chrono::steady_clock::now();
  const rollwright::FairnessReport report = rollwright::CheckFairness(
      request, fairnessSets,
      [start](int64_t done) { ShowProgress(done, start); });
  std::cout << (shown.json ? rollwright::FairnessJson(request, report) + "\n"
                           : rollwright::FairnessText(request, report))
            << std::flush;
  return report.refusal == nullptr;
}

// Rolls a request, or prints its odds; false when the reply was an error.
using RequestHandler = bool (*)(const std::string& request);

bool HandleAtPrompt(RequestHandler handle) {
  shown.hints = true;
  // The prompt says what a request gets: a roll, its odds or a check.
  const char* asks = handle == ReportOdds      ? "odds> "
                     : handle == CheckFairness ? "fairness> "
                                               : "roll> ";
  rollwright::Prompt prompt(RequestSyntax(), asks);
  bool allAnswered = true;
  while (std::optional<std::string> request = prompt.Read()) {
    allAnswered = handle(*request) && allAnswered;
  }
  return allAnswered;
}

bool HandleStandardInput(RequestHandler handle) {
  if (rollwright::IsTerminal(0)) return HandleAtPrompt(handle);
  bool allAnswered = true;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    allAnswered = handle(line) && allAnswered;
  }
  return allAnswered;
}

}  // namespace

int main(int argc, char** argv) {
  rollwright::WriteBytesAsTheyAre();
  rollwright::Options options =
      rollwright::ParseOptions(rollwright::CommandLineArguments(argc, argv));
  if (!options.error.empty()) {
    std::cerr << "rollwright: " << options.error << '\n' << kSynopsis;
    return 2;
  }
  if (options.help) {
    std::cout << kSynopsis << kUsage << RequestSyntax() << kOptions.chars;
    return 0;
  }
  if (options.version) {
    std::cout << "rollwright " ROLLWRIGHT_VERSION "\n";
    return 0;
  }
  if (options.seed) {
    rollwright::RandomSeed(*options.seed);
  } else {
    SeedUnpredictably();
  }
  shown = {.dice = options.dice, .json = options.json, .hints = options.dice};
  oddsFormat = options.format.value_or(rollwright::OddsFormat::kText);
  RequestHandler handle = options.odds ? ReportOdds : RollOne;
  if (options.fairness) {
    fairnessSets = *options.fairness;
    handle = CheckFairness;
  }
  bool allAnswered = true;
  for (const std::string& request : options.requests) {
    allAnswered = handle(request) && allAnswered;
  }
  if (options.requests.empty()) allAnswered = HandleStandardInput(handle);
  return allAnswered ? 0 : 1;
}
