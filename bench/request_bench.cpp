// The cost of one request through DiceMain: time, and heap allocations
// counted by this program's own operator new.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "dice/random.h"
#include "host/request_buffer.h"
#include "rollwright.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

void RollRequest(benchmark::State& state, const std::string& request) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  rollwright::RandomSeed(1);
  long before = allocations.load();
  for (auto _ : state) {
    std::memcpy(buffer.data(), request.c_str(), request.size() + 1);
    DiceMain(0, 0, buffer.data(), 0, 0, 0);
    benchmark::DoNotOptimize(buffer.data());
  }
  double made = static_cast<double>(allocations.load() - before);
  state.counters["allocs"] =
      made / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}

void RegisterMix() {
  const std::string mix[] = {
      "3d6",
      "3d6 skill 12 sword",
      "2#d20+2 skill 14 dodge",
      "30#3d6 skill 12 sword",
      "100d500",
      "30#100d500+100d500",
      "2d6/2",
      "d6 " + std::string(600, 'c'),
  };
  for (const std::string& request : mix) {
    std::string name = "mix/" + (request.size() > 40 ? request.substr(0, 6) +
                                                           "<600-char comment>"
                                                     : request);
    benchmark::RegisterBenchmark(name.c_str(), RollRequest, request);
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
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
