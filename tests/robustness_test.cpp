// SPDX-License-Identifier: MIT
// Whatever the host hands in, the reply is one of the fixed error messages or
// a sentence, at most ReplyCapacity bytes with its NUL, and nothing is read or
// written outside the buffer (the sanitizers watch every call).
#include <gtest/gtest.h>

#include <string>

#include "dice/dice_error.h"
#include "dice/limits.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

bool IsReply(const std::string& reply) {
  return reply.size() < ReplyCapacity &&
         (IsErrorMessage(reply) || reply.rfind("rolls ", 0) == 0);
}

// A request of exactly length characters, cycling through a pattern.
std::string Cycle(const std::string& pattern, size_t length) {
  std::string request;
  while (request.size() < length) request += pattern;
  return request.substr(0, length);
}

TEST(Robustness, AnswersRequestsOfEveryLengthUpToTenThousand) {
  const char* const patterns[] = {"1+", "3d6 ", "2#d20+2 skill 14 ", "d"};
  for (const char* pattern : patterns) {
    for (size_t length = 0; length <= 10000; ++length) {
      std::string request = Cycle(pattern, length);
      std::string reply = Ask(request);
      ASSERT_TRUE(IsReply(reply)) << length << ": " << reply;
    }
  }
}

TEST(Robustness, AnswersRequestsHoldingEveryByteValue) {
  for (int value = 1; value <= 255; ++value) {
    char c = static_cast<char>(value);
    const std::string requests[] = {
        std::string(1, c),
        "3#2d6" + std::string(1, c) + "fire",
        "3d6 skill" + std::string(1, c) + "12",
        std::string(1, c) + "#d6",
        "30#d6 " + std::string(2000, c),
    };
    for (const std::string& request : requests) {
      std::string reply = Ask(request);
      EXPECT_TRUE(IsReply(reply)) << value << ": " << reply;
    }
  }
}

}  // namespace
}  // namespace rollwright
