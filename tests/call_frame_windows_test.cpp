// SPDX-License-Identifier: MIT
// The frame of a DiceMain call (host/runtime/call_frame.h), alone: while it
// lasts the exception slot holds its own record, and a frame built inside
// another gives the outer one's back when it goes.
#include <gtest/gtest.h>

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

}  // namespace
