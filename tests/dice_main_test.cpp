// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "dice/limits.h"
#include "dice/random.h"
#include "rollwright.h"
#include "tests/test_support.h"

namespace rollwright {
namespace {

TEST(DiceMain, ReturnsThreeForEveryReply) {
  for (const char* request : {"3d6", "31#d6", "2d6/2", "", "d", "2d6 fire"}) {
    std::vector<char> buffer(900, 'z');
    std::strcpy(buffer.data(), request);
    EXPECT_EQ(DiceMain(0, 0, buffer.data(), 0, 0, 0), 3) << request;
  }
}

TEST(DiceMain, LeavesANullBufferAlone) {
  EXPECT_EQ(DiceMain(0, 0, nullptr, 0, 0, 0), 3);
}

TEST(DiceMain, IgnoresTheOtherArguments) {
  std::vector<char> a(900);
  std::vector<char> b(900);
  std::strcpy(a.data(), "3#2d6 fire");
  std::strcpy(b.data(), "3#2d6 fire");
  RandomSeed(5);
  DiceMain(0, 0, a.data(), 0, 0, 0);
  RandomSeed(5);
  DiceMain(-1, 123456, b.data(), INT32_MIN, INT32_MAX, 7);
  EXPECT_STREQ(a.data(), b.data());
}

TEST(DiceMain, AnErrorMessageIsTheWholeReply) {
  struct Case {
    const char* request;
    const char* reply;
  };
  const Case cases[] = {
      {"2d6/2 a long comment after the fault that is longer than the message",
       "Dice Error: Illegal characters in input!"},
      {"29#d6+101d6 the fault is found while rolling the first set",
       "Dice Error: Maximum of 100 dice per dice group!"},
      {"4294967297#d6", "Dice Error: Maximum of 30 sets of dice!"},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer(900, 'z');
    std::strcpy(buffer.data(), c.request);
    DiceMain(0, 0, buffer.data(), 0, 0, 0);
    EXPECT_STREQ(buffer.data(), c.reply) << c.request;
  }
}

// The dice the calling thread rolls right after LoadDll seeds it.
std::string RollAfterLoadDll() {
  LoadDll(0);
  return Ask("30#d500");
}

TEST(DiceMain, LoadDllSeedsFromTheFinestClock) {
  // Two loads a moment apart on one thread, far within one second.
  const std::string first = RollAfterLoadDll();
  EXPECT_NE(first, RollAfterLoadDll());
  EXPECT_NE(first, AskSeeded(1, "30#d500"));
}

TEST(DiceMain, LoadDllSeedsThreadsThatLoadTogetherDifferently) {
  std::string replies[2];
  std::thread first([&replies] { replies[0] = RollAfterLoadDll(); });
  std::thread second([&replies] { replies[1] = RollAfterLoadDll(); });
  first.join();
  second.join();
  EXPECT_NE(replies[0], replies[1]);
}

#if !defined(_WIN32)
// A child of this thread that seeds, rolls and writes its reply to a pipe:
// the same thread identity in another process.
int StartSeededChild() {
  int ends[2];
  if (pipe(ends) != 0) return -1;
  if (fork() == 0) {
    const std::string reply = RollAfterLoadDll();
    _exit(write(ends[1], reply.data(), reply.size()) < 0);
  }
  close(ends[1]);
  return ends[0];
}

std::string ReadAll(int descriptor) {
  std::string text(ReplyCapacity, '\0');
  const ssize_t length = read(descriptor, text.data(), text.size());
  close(descriptor);
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text;
}

TEST(DiceMain, LoadDllSeedsProcessesThatLoadTogetherDifferently) {
  const int first = StartSeededChild();
  const int second = StartSeededChild();
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  const std::string firstReply = ReadAll(first);
  const std::string secondReply = ReadAll(second);
  while (wait(nullptr) > 0) {
  }
  EXPECT_EQ(firstReply.rfind("rolls 30#d500 and gets ", 0), 0U) << firstReply;
  EXPECT_NE(firstReply, secondReply);
}
#endif

}  // namespace
}  // namespace rollwright
