// SPDX-License-Identifier: MIT
// The module's own pthread_once (host/runtime/once_windows.cpp), alone: done
// once an init returns, not run after an init that throws, and waited for by
// a caller that finds it running.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <thread>

// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" int __wrap_pthread_once(volatile LONG* once, void (*init)());

namespace {

std::atomic<int> runs{0};
std::atomic<bool> entered{false};
std::atomic<bool> released{false};

void Count() { ++runs; }
void CountAndThrow() {
  ++runs;
  throw std::runtime_error("init failed");
}
void CountWhenReleased() {
  entered = true;
  while (!released) SwitchToThread();
  ++runs;
}

// A first call with the given init, then two that count: how many inits ran.
TEST(Once, IsDoneOnlyWhenTheInitReturns) {
  struct Case {
    void (*first)();
    int runs;
  };
  for (const Case& c : {Case{Count, 1}, Case{CountAndThrow, 2}}) {
    volatile LONG once = 0;
    runs = 0;
    try {
      __wrap_pthread_once(&once, c.first);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(__wrap_pthread_once(&once, Count), 0);
    EXPECT_EQ(__wrap_pthread_once(&once, Count), 0);
    EXPECT_EQ(runs, c.runs);
  }
}

TEST(Once, ASecondCallerWaitsUntilTheInitIsDone) {
  static volatile LONG once = 0;
  runs = 0;
  std::thread first([] { __wrap_pthread_once(&once, CountWhenReleased); });
  while (!entered) SwitchToThread();
  std::atomic<bool> returned{false};
  std::thread second([&returned] {
    __wrap_pthread_once(&once, CountWhenReleased);
    returned = true;
  });
  Sleep(100);
  EXPECT_FALSE(returned) << "returned while the init was still running";
  released = true;
  first.join();
  second.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(runs, 1);
}

}  // namespace
