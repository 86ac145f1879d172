// Times requests through the built module, loaded by file name as a host
// loads it: nanoseconds per request for the benchmark mix, and the cost of one
// die read off «100d500» against «1d6». Built for every platform, so that the
// Windows module under Wine and the Linux module can be set side by side.
//
//   rollwright_module_bench [MILLISECONDS per request, default 300]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/request_mix.h"
#include "host/loaded_module.h"
#include "host/request_buffer.h"

namespace {

using Clock = std::chrono::steady_clock;

// The fastest of five runs, each of rounds of 100 requests until its share of
// the budget is spent: the least disturbed by the rest of the machine.
double NanosecondsPerRequest(const rollwright::LoadedModule& module,
                             const std::string& request,
                             std::chrono::milliseconds budget) {
  std::vector<char> buffer = rollwright::RequestBuffer(request);
  double fastest = 0;
  for (int run = 0; run < 5; ++run) {
    long requests = 0;
    Clock::time_point start = Clock::now();
    Clock::duration spent{};
    while (spent < budget / 5 || requests == 0) {
      for (int i = 0; i < 100; ++i) {
        std::memcpy(buffer.data(), request.c_str(), request.size() + 1);
        module.diceMain(0, 0, buffer.data(), 0, 0, 0);
      }
      requests += 100;
      spent = Clock::now() - start;
    }
    double ns = std::chrono::duration<double, std::nano>(spent).count() /
                static_cast<double>(requests);
    if (run == 0 || ns < fastest) fastest = ns;
  }
  return fastest;
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
  double manyDice = 0;
  double oneDie = 0;
  for (const std::string& request : requests) {
    double ns = NanosecondsPerRequest(module, request, budget);
    if (request == rollwright::kManyDice) manyDice = ns;
    if (request == rollwright::kOneDie) oneDie = ns;
    std::printf("%-30s %12.1f\n", rollwright::ShortName(request).c_str(), ns);
  }
  std::printf("%-30s %12.2f\n", "ns per die (100d500 - 1d6)",
              rollwright::CostPerDie(manyDice, oneDie));
  return 0;
}
