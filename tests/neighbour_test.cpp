// SPDX-License-Identifier: MIT
// A Windows host process with neighbours: MinGW's shared libgcc DLL, loaded
// before the module (ROLLWRIGHT_LIBGCC_FIRST) or after it, a second copy of
// the module, and a module whose detach entry calls DiceMain while the
// process ends, after this module's own detach (tests/exit_caller.cpp; it
// ends the process with status 1 if a reply is wrong). Every reply is right
// and the process lives. Reloading a copy beside the shared libgcc DLL
// leaves no heap behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/loaded_module.h"
#include "tests/process_usage.h"

namespace {

using rollwright::LoadedModule;

constexpr const char* kSharedLibgcc =
    sizeof(void*) == 4 ? "libgcc_s_dw2-1.dll" : "libgcc_s_seh-1.dll";

TEST(Neighbours, EveryReplyIsRightBesideTheSharedLibgcc) {
  HMODULE exitCaller = LoadLibraryA("rollwright_exit_caller.dll");
  ASSERT_NE(exitCaller, nullptr);
  // Never unloaded, so that it is still there when the process ends.
#if ROLLWRIGHT_LIBGCC_FIRST
  ASSERT_NE(LoadLibraryA(kSharedLibgcc), nullptr);
  const LoadedModule& module = *new LoadedModule(ROLLWRIGHT_MODULE);
#else
  const LoadedModule& module = *new LoadedModule(ROLLWRIGHT_MODULE);
  ASSERT_NE(LoadLibraryA(kSharedLibgcc), nullptr);
#endif
  const LoadedModule copy(ROLLWRIGHT_MODULE_COPY);
  ASSERT_NE(module.diceMain, nullptr);
  ASSERT_NE(copy.diceMain, nullptr);
  const std::pair<const char*, const char*> cases[] = {
      {"31#d6", "Dice Error: Maximum of 30 sets of dice!"},
      {"101d6", "Dice Error: Maximum of 100 dice per dice group!"},
      {"2d501", "Dice Error: Maximum of 500 sides per die!"},
      {"2d6/2", "Dice Error: Illegal characters in input!"},
      {"2d6d4", "Dice Error: Invalid operand in dice commands!"},
      {"100d1 skill 12 sword",
       "rolls 100d1 against 12 sword and gets 100 Failing"},
  };
  for (const auto& [request, reply] : cases) {
    EXPECT_EQ(module.Call(request), reply) << request;
    EXPECT_EQ(copy.Call(request), reply) << request;
  }
  using Watch = void (*)(LoadedModule::DiceMainProc);
  auto watch = reinterpret_cast<Watch>(
      reinterpret_cast<void*>(GetProcAddress(exitCaller, "CallAtExit")));
  ASSERT_NE(watch, nullptr);
  watch(module.diceMain);
}

// Each load of a copy of the module registers its frame tables with the
// shared DLL (the start-up code) and with its own unwinder, which sorts an
// index of them for the first error reply; unloading it gives both back.
TEST(Neighbours, ReloadingBesideTheSharedLibgccLeavesNoHeapBehind) {
  ASSERT_NE(GetModuleHandleA(kSharedLibgcc), nullptr);
  const auto cycle = [] {
    const LoadedModule copy(ROLLWRIGHT_MODULE_COPY);
    return copy.Call("2d6/2");
  };
  for (int first = 0; first < 10; ++first) cycle();
  const rollwright::ProcessUsage before = rollwright::CurrentUsage();
  for (int cycles = 0; cycles < 200; ++cycles) {
    ASSERT_EQ(cycle(), "Dice Error: Illegal characters in input!") << cycles;
  }
  const rollwright::ProcessUsage after = rollwright::CurrentUsage();
  EXPECT_LE(after.heapBytes - before.heapBytes, 16 * 1024);
}

}  // namespace
