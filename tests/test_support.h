// Helpers shared by the tests: calling DiceMain as a host does.
#ifndef ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
#define ROLLWRIGHT_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <string>

namespace rollwright {

// The reply to request, from a heap buffer of exactly
// max(ReplyCapacity, request length + 1) bytes, so that the address sanitizer
// sees any write past it.
std::string Ask(const std::string& request);

// The same, with the calling thread's generator seeded first.
std::string AskSeeded(uint32_t seed, const std::string& request);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_TEST_SUPPORT_H_
