// SPDX-License-Identifier: MIT
// The requests both benchmarks time: a mix of what hosts send, and the two
// requests whose difference is the cost of 99 dice.
#ifndef ROLLWRIGHT_BENCH_REQUEST_MIX_H_
#define ROLLWRIGHT_BENCH_REQUEST_MIX_H_

#include <string>
#include <vector>

namespace rollwright {

inline std::vector<std::string> RequestMix() {
  return {
      "3d6",
      "3d6 skill 12 sword",
      "2#d20+2 skill 14 dodge",
      "30#3d6 skill 12 sword",
      "100d500",
      "30#100d500+100d500",
      "2d6/2",
      "d6 " + std::string(600, 'c'),
  };
}

// A request's name in a table: long ones are shortened.
inline std::string ShortName(const std::string& request) {
  return request.size() > 40 ? request.substr(0, 6) + "<600-char comment>"
                             : request;
}

inline constexpr char kManyDice[] = "100d500";
inline constexpr char kOneDie[] = "1d6";

// The cost of one die, from the times of kManyDice and kOneDie.
inline double CostPerDie(double manyDice, double oneDie) {
  return (manyDice - oneDie) / 99.0;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_BENCH_REQUEST_MIX_H_
