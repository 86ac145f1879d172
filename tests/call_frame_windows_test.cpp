// SPDX-License-Identifier: MIT
// The frame of a DiceMain call (host/runtime/call_frame.h), alone: while it
// lasts the exception slot holds its own record, and a frame built inside
// another gives the outer one's back when it goes. The module's answer to the
// run-time's question for the exception record is linked in too, so this
// program's own exceptions are kept in the frames' records.
#include <gtest/gtest.h>

#include <atomic>
#include <exception>
#include <thread>

#include "host/runtime/call_frame.h"
#include "host/runtime/thread_slot.h"

namespace {

using rollwright::CallFrame;
using rollwright::exceptionSlot;

TEST(CallFrame, ANestedFrameGivesTheOuterOneBack) {
  ASSERT_TRUE(exceptionSlot.Take());
  {
    CallFrame outer;
    void* outerRecord = exceptionSlot.Get();
    EXPECT_NE(outerRecord, nullptr);
    {
      CallFrame inner;
      EXPECT_NE(exceptionSlot.Get(), outerRecord);
      EXPECT_NE(exceptionSlot.Get(), nullptr);
    }
    EXPECT_EQ(exceptionSlot.Get(), outerRecord);
  }
  EXPECT_EQ(exceptionSlot.Get(), nullptr);
  exceptionSlot.GiveBack();
}

// A call that is handling an exception on one thread, and a call on
// another: the second sees no exception of the first's, for each call keeps
// its exceptions in a record of its own.
TEST(CallFrame, TwoCallsAtOnceEachHaveTheirOwnExceptions) {
  ASSERT_TRUE(exceptionSlot.Take());
  std::atomic<bool> handling{false}, seen{false};
  bool secondSeesOne = true;
  std::thread first([&] {
    CallFrame frame;
    try {
      throw 1;
    } catch (int) {
      handling = true;
      while (!seen) std::this_thread::yield();
    }
  });
  while (!handling) std::this_thread::yield();
  {
    CallFrame frame;
    secondSeesOne = std::current_exception() != nullptr;
  }
  seen = true;
  first.join();
  EXPECT_FALSE(secondSeesOne);
  exceptionSlot.GiveBack();
}

}  // namespace
