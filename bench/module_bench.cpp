// SPDX-License-Identifier: MIT
// Times requests through the built module, loaded by file name as a host
// loads it: nanoseconds per request for the benchmark mix, and the cost of one
// die read off «100d500» against «1d6». Built for every platform, so that the
// Windows module under Wine and the Linux module can be set side by side.
//
// Under Wine a request's fixed cost (its allocations) varies by more than the
// 99 dice cost between runs, so the cost of a die is the median over rounds
// that time both requests back to back.
//
//   rollwright_module_bench [MILLISECONDS per request, default 300]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "api/request_buffer.h"
#include "bench/request_mix.h"
#include "tests/loaded_module.h"

namespace {

using Clock = std::chrono::steady_clock;

// The nanoseconds per request of one round of 100 requests.
double TimeRound(const rollwright::LoadedModule& module,
                 const std::string& request, std::vector<char>& buffer) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < 100; ++i) {
    std::memcpy(buffer.data(), request.c_str(), request.size() + 1);
    module.diceMain(0, 0, buffer.data(), 0, 0, 0);
  }
  return std::chrono::duration<double, std::nano>(Clock::now() - start)
             .count() /
         100.0;
}

// The fastest of five runs, each of rounds until its share of the budget is
// spent: the least disturbed by the rest of the machine.
double NanosecondsPerRequest(const rollwright::LoadedModule& module,
                             const std::string& request,
                             std::chrono::milliseconds budget) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  double fastest = 0;
  for (int run = 0; run < 5; ++run) {
    double total = 0;
    int rounds = 0;
    Clock::time_point start = Clock::now();
    while (Clock::now() - start < budget / 5 || rounds == 0) {
      total += TimeRound(module, request, buffer);
      ++rounds;
    }
    double ns = total / rounds;
    if (run == 0 || ns < fastest) fastest = ns;
  }
  return fastest;
}

// The median, over rounds of «100d500» each followed by a round of «1d6»,
// of the cost of one die.
double NanosecondsPerDie(const rollwright::LoadedModule& module,
                         std::chrono::milliseconds budget) {
  const std::string many = rollwright::kManyDice;
  const std::string one = rollwright::kOneDie;
  std::vector<char> manyBuffer = rollwright::RequestBuffer(many);
  std::vector<char> oneBuffer = rollwright::RequestBuffer(one);
  std::vector<double> costs;
  Clock::time_point start = Clock::now();
  while (Clock::now() - start < budget || costs.empty()) {
    double manyDice = TimeRound(module, many, manyBuffer);
    costs.push_back(
        rollwright::CostPerDie(manyDice, TimeRound(module, one, oneBuffer)));
  }
  auto middle = costs.begin() + static_cast<std::ptrdiff_t>(costs.size() / 2);
  std::nth_element(costs.begin(), middle, costs.end());
  return *middle;
}

}  // namespace

int main(int argc, char** argv) {
  std::chrono::milliseconds budget(argc > 1 ? std::atoi(argv[1]) : 300);
  rollwright::LoadedModule module(ROLLWRIGHT_MODULE);
  if (module.diceMain == nullptr) {
    std::fprintf(stderr, "cannot load %s\n", ROLLWRIGHT_MODULE);
    return 1;
  }
  std::vector<std::string> requests = rollwright::RequestMix();
  requests.push_back(rollwright::kOneDie);
  std::printf("%-30s %12s\n", "request", "ns/request");
  for (const std::string& request : requests) {
    std::printf("%-30s %12.1f\n", rollwright::ShortName(request).c_str(),
                NanosecondsPerRequest(module, request, budget));
  }
  std::printf("%-30s %12.2f\n", "ns per die (100d500 - 1d6)",
              NanosecondsPerDie(module, budget));
  return 0;
}
