// SPDX-License-Identifier: MIT
// Loads the built module by file name and finds its exports by their plain
// names, as a host does, then calls them through those pointers only. Each
// request runs on a fresh thread, whose generator starts at state 1: from
// there the d6 faces are 5, 5, 3, 5, 5, 2 and the d20 faces 7, 11, 3.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "rollwright.h"
#include "tests/loaded_module.h"
#include "tests/process_usage.h"
#if defined(_WIN32)
#include "tests/scripted_tls_alloc.h"
#endif

namespace {

using rollwright::LoadedModule;

// Loaded on first use and kept for the life of the process, as hosts do.
const LoadedModule& Module() {
  static const LoadedModule module(ROLLWRIGHT_MODULE);
  return module;
}

std::string Call(const std::string& request) { return Module().Call(request); }

std::string CallOnFreshThread(const LoadedModule& module,
                              const std::string& request) {
  std::string reply;
  std::thread fresh([&] { reply = module.Call(request); });
  fresh.join();
  return reply;
}

std::string CallOnFreshThread(const std::string& request) {
  return CallOnFreshThread(Module(), request);
}

// ThreadSanitizer's own run-time gives out after about a hundred reloads of
// a module, or a few thousand threads that touch its thread-local storage.
#if defined(__SANITIZE_THREAD__)
constexpr int kReloads = 100;
constexpr int kThreadBatches = 100;
constexpr size_t kErrorCallsPerThread = 10000;
#else
constexpr int kReloads = 1000;
constexpr int kThreadBatches = 1000;
constexpr size_t kErrorCallsPerThread = 100000;
#endif

// A cycle in the life of a host that reloads the module: load it by file
// name, seed it and roll on this thread, roll on a new thread, and get error
// replies on four threads at once; then unload it.
void LoadRollAndUnload(int cycle) {
  LoadedModule module(ROLLWRIGHT_MODULE);
  ASSERT_NE(module.diceMain, nullptr) << cycle;
  module.loadDll(0);
  std::string seeded = module.Call("d500");
  int total = std::atoi(seeded.c_str() + std::strlen("rolls a d500 and gets "));
  ASSERT_TRUE(seeded.rfind("rolls a d500 and gets ", 0) == 0 && total >= 1 &&
              total <= 500)
      << seeded;
  ASSERT_EQ(CallOnFreshThread(module, "d500"), "rolls a d500 and gets 347")
      << cycle;
  std::vector<std::string> errors(4);
  std::vector<std::thread> threads;
  for (std::string& error : errors) {
    threads.emplace_back([&module, &error] { error = module.Call("2d6/2"); });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::string& error : errors) {
    ASSERT_EQ(error, "Dice Error: Illegal characters in input!") << cycle;
  }
}

// A host that reloads the module gets right replies each time, and the
// module leaves nothing behind: no heap block, no handle, no storage slot.
// The first cycles are not counted: they include the process's own first
// uses (of threads, of the loader). Wine's own tables still grow once by a
// few KB in the counted cycles. Runs first, while no other test holds
// the module, so that each cycle really unloads it.
TEST(Host, LoadsAndUnloadsAnyNumberOfTimes) {
  constexpr int kFirstUses = 10;
  constexpr int64_t kHeapNoise = 16 * 1024;
  for (int cycle = 0; cycle < kFirstUses; ++cycle) LoadRollAndUnload(cycle);
  const rollwright::ProcessUsage before = rollwright::CurrentUsage();
  for (int cycle = 0; cycle < kReloads && !HasFatalFailure(); ++cycle) {
    LoadRollAndUnload(cycle);
  }
  const rollwright::ProcessUsage after = rollwright::CurrentUsage();
  std::printf(
      "%d cycles: heap %+lld bytes, handles %+lld, free slots %+lld\n",
      kReloads, static_cast<long long>(after.heapBytes - before.heapBytes),
      static_cast<long long>(after.handles - before.handles),
      static_cast<long long>(after.freeThreadSlots - before.freeThreadSlots));
  EXPECT_LE(after.heapBytes - before.heapBytes, kHeapNoise);
  EXPECT_LE(after.handles - before.handles, 2);
  EXPECT_EQ(after.freeThreadSlots, before.freeThreadSlots);
}

#if defined(_WIN32)
// A process with one storage slot left: the module takes it, finds no
// second, and fails to load, giving back the slot and whatever its run-time
// took. Runs before any other test holds the module.
TEST(Host, AFailedLoadLeavesNothingBehind) {
  std::vector<DWORD> taken;
  for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) {
    taken.push_back(slot);
  }
  TlsFree(taken.back());
  taken.pop_back();
  const rollwright::ProcessUsage before = rollwright::CurrentUsage();
  for (int cycle = 0; cycle < 100; ++cycle) {
    LoadedModule module(ROLLWRIGHT_MODULE);
    ASSERT_EQ(module.diceMain, nullptr) << cycle;
  }
  const rollwright::ProcessUsage after = rollwright::CurrentUsage();
  for (DWORD slot : taken) TlsFree(slot);
  EXPECT_LE(after.heapBytes - before.heapBytes, 4096);
  EXPECT_EQ(after.handles, before.handles);
  EXPECT_EQ(after.freeThreadSlots, 1);
  EXPECT_EQ(before.freeThreadSlots, 1);
}

// A load whose attach entry gets one of its two slots and not the other
// fails, whichever allocation finds none, and gives back the one it got.
// Runs before any other test holds the module.
TEST(Host, ALoadMissingEitherSlotFails) {
  for (size_t failing : {0u, 1u}) {
    const int64_t freeBefore = rollwright::CurrentUsage().freeThreadSlots;
    const DWORD slot = TlsAlloc();
    std::vector<DWORD> script = {slot, slot};
    script[failing] = TLS_OUT_OF_INDEXES;
    bool loaded = false;
    size_t answered = 0;
    {
      rollwright::ScriptedTlsAlloc scripted(script);
      LoadedModule module(ROLLWRIGHT_MODULE);
      loaded = module.diceMain != nullptr;
      answered = scripted.Taken();
    }
    if (answered <= 1 - failing) TlsFree(slot);  // never handed out
    EXPECT_FALSE(loaded) << "allocation " << failing << " failed";
    EXPECT_EQ(rollwright::CurrentUsage().freeThreadSlots, freeBefore)
        << "allocation " << failing << " failed";
  }
}
#endif

// Runs before any other test loads Module(), so that the module is loaded
// between the two threads' starts.
TEST(Host, ThreadsStartedBeforeAndAfterLoadingStartAtOne) {
  std::promise<void> loaded;
  std::string before;
  std::thread early([&before, go = loaded.get_future()]() mutable {
    go.wait();
    before = Call("d500");
  });
  ASSERT_NE(Module().diceMain, nullptr);
  loaded.set_value();
  early.join();
  EXPECT_EQ(before, "rolls a d500 and gets 347");
  EXPECT_EQ(CallOnFreshThread("d500"), "rolls a d500 and gets 347");
}

// Short-lived threads, ten at a time, each roll once and get exactly what one
// fresh thread gets.
TEST(Host, ManyShortLivedThreadsEachStartFresh) {
  const std::string requests[] = {"3d6 skill 12 sword", "2#d20+2", "100d500"};
  std::vector<std::string> expected;
  for (const std::string& request : requests) {
    expected.push_back(CallOnFreshThread(request));
  }
  for (int batch = 0; batch < kThreadBatches; ++batch) {
    std::vector<std::string> replies(10);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < replies.size(); ++i) {
      threads.emplace_back(
          [&replies, &requests, i] { replies[i] = Call(requests[i % 3]); });
    }
    for (std::thread& thread : threads) thread.join();
    for (size_t i = 0; i < replies.size(); ++i) {
      ASSERT_EQ(replies[i], expected[i % 3]) << batch;
    }
  }
}

TEST(Host, ASecondCallContinuesTheSequence) {
  std::vector<std::string> replies;
  std::thread fresh([&replies] {
    replies.push_back(Call("d500"));
    replies.push_back(Call("d500"));
  });
  fresh.join();
  EXPECT_EQ(replies, (std::vector<std::string>{"rolls a d500 and gets 347",
                                               "rolls a d500 and gets 131"}));
}

TEST(Host, LoadDllSeedsTheCallingThreadOnly) {
  std::string seeded;
  std::thread loader([&seeded] {
    Module().loadDll(0);
    seeded = Call("30#d500");
  });
  loader.join();
  EXPECT_NE(seeded, CallOnFreshThread("30#d500"));
  EXPECT_EQ(CallOnFreshThread("d500"), "rolls a d500 and gets 347");
}

// Waits until count reaches n, taking nothing from the heap.
void AwaitCount(const std::atomic<size_t>& count, size_t n) {
  while (count.load() < n) std::this_thread::yield();
}

// Error replies on threads at once: each is right and leaves nothing behind,
// for each call's exception is its own, never another thread's to free or to
// lose. The heap is read while the threads wait, before and after the calls
// (twice before: the first reading in a process takes some heap itself).
TEST(Host, ErrorRepliesOnThreadsAtOnceKeepTheirOwnExceptions) {
  constexpr size_t kThreads = 4;
  constexpr size_t kCalls = kErrorCallsPerThread;
  const std::pair<const char*, const char*> errors[] = {
      {"31#d6", "Dice Error: Maximum of 30 sets of dice!"},
      {"101d6", "Dice Error: Maximum of 100 dice per dice group!"},
      {"2d501", "Dice Error: Maximum of 500 sides per die!"},
      {"2d6/2", "Dice Error: Illegal characters in input!"},
  };
  std::atomic<size_t> ready{0}, go{0}, finished{0}, leave{0};
  std::vector<size_t> wrong(kThreads);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      if (Call(errors[t].first) != errors[t].second) ++wrong[t];
      ++ready;
      AwaitCount(go, 1);
      for (size_t call = t; call < t + kCalls; ++call) {
        const auto& [request, reply] = errors[call % std::size(errors)];
        if (Call(request) != reply) ++wrong[t];
      }
      ++finished;
      AwaitCount(leave, 1);
    });
  }
  AwaitCount(ready, kThreads);
  rollwright::CurrentUsage();
  const rollwright::ProcessUsage before = rollwright::CurrentUsage();
  ++go;
  AwaitCount(finished, kThreads);
  const rollwright::ProcessUsage after = rollwright::CurrentUsage();
  ++leave;
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<size_t>(kThreads, 0));
  EXPECT_EQ(after.heapBytes, before.heapBytes);
}

#if defined(_WIN32) && defined(__i386__)
// A caller that pushes six arguments and trusts the callee to pop them finds
// its stack pointer where it was only if the callee is stdcall.
TEST(Host, DiceMainPopsItsOwnArguments) {
  std::vector<char> buffer(900);
  std::strcpy(buffer.data(), "3d6");
  LoadedModule::DiceMainProc diceMain = Module().diceMain;
  char* data = buffer.data();
  int32_t result = 0;
  uint32_t moved = 0;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "pushl $6\n\t"
      "pushl $5\n\t"
      "pushl $4\n\t"
      "pushl %[data]\n\t"
      "pushl $2\n\t"
      "pushl $1\n\t"
      "call *%[proc]\n\t"
      "movl %%esi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=c"(moved)
      : [data] "r"(data), [proc] "r"(diceMain)
      : "edx", "esi", "memory", "cc");
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(result, 3);
  EXPECT_STREQ(buffer.data(), "rolls 3d6 and gets 13");
}
#endif

}  // namespace
