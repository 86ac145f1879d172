// SPDX-License-Identifier: MIT
// The cost of one request through DiceMain: time, and heap allocations
// counted by this program's own operator new.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "api/request_buffer.h"
#include "bench/request_mix.h"
#include "dice/random.h"
#include "rollwright.h"
#include "tests/counting_new.h"

namespace {

void RollRequest(benchmark::State& state, const std::string& request) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  rollwright::RandomSeed(1);
  long before = rollwright::AllocationsMade();
  for (auto _ : state) {
    std::memcpy(buffer.data(), request.c_str(), request.size() + 1);
    DiceMain(0, 0, buffer.data(), 0, 0, 0);
    benchmark::DoNotOptimize(buffer.data());
  }
  double made = static_cast<double>(rollwright::AllocationsMade() - before);
  state.counters["allocs"] =
      made / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}

void RegisterMix() {
  for (const std::string& request : rollwright::RequestMix()) {
    std::string name = "mix/" + rollwright::ShortName(request);
    benchmark::RegisterBenchmark(name.c_str(), RollRequest, request);
  }
}

// The time of «100d500» less that of «1d6», over the 99 more dice.
void CostPerDie(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  std::vector<char> many = rollwright::RequestBuffer(rollwright::kManyDice);
  std::vector<char> one = rollwright::RequestBuffer(rollwright::kOneDie);
  for (auto _ : state) {
    std::strcpy(many.data(), rollwright::kManyDice);
    std::strcpy(one.data(), rollwright::kOneDie);
    auto start = Clock::now();
    DiceMain(0, 0, many.data(), 0, 0, 0);
    auto middle = Clock::now();
    DiceMain(0, 0, one.data(), 0, 0, 0);
    auto end = Clock::now();
    std::chrono::duration<double> manyTime = middle - start;
    std::chrono::duration<double> oneTime = end - middle;
    state.SetIterationTime(std::max(
        0.0, rollwright::CostPerDie(manyTime.count(), oneTime.count())));
  }
}

// Time per request grows linearly with the dice and with the sets.
void RegisterGrowth() {
  for (int dice : {1, 10, 100}) {
    std::string request = std::to_string(dice) + "d6";
    benchmark::RegisterBenchmark(("dice/" + request).c_str(), RollRequest,
                                 request);
  }
  for (int sets : {1, 10, 30}) {
    std::string request = std::to_string(sets) + "#10d6";
    benchmark::RegisterBenchmark(("sets/" + request).c_str(), RollRequest,
                                 request);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterMix();
  RegisterGrowth();
  benchmark::RegisterBenchmark("die/100d500-1d6", CostPerDie)->UseManualTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
