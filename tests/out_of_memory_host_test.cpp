// SPDX-License-Identifier: MIT
// A Windows host that has taken every block malloc can give, then asks the
// module for a sentence, an error and a long request: each is answered
// with its reply or "Dice Error: Out of memory!", and the process lives.
// Once the memory is back, the module answers as before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "api/request_buffer.h"
#include "tests/loaded_module.h"

namespace {

constexpr char kOutOfMemory[] = "Dice Error: Out of memory!";

// Every block malloc gives, largest first, chained through their first
// bytes; released when this goes.
class AllMemory {
 public:
  AllMemory() {
    for (size_t size = size_t{1} << 26; size >= sizeof(void*);) {
      void* block = std::malloc(size);
      if (block == nullptr) {
        size /= 2;
        continue;
      }
      *static_cast<void**>(block) = first;
      first = block;
    }
  }
  AllMemory(const AllMemory&) = delete;
  AllMemory& operator=(const AllMemory&) = delete;
  ~AllMemory() {
    while (first != nullptr) {
      void* next = *static_cast<void**>(first);
      std::free(first);
      first = next;
    }
  }

 private:
  void* first = nullptr;
};

std::string Reply(const std::vector<char>& buffer) { return buffer.data(); }

TEST(OutOfMemory, EveryRequestIsAnsweredAndTheProcessLives) {
  const rollwright::LoadedModule module(ROLLWRIGHT_MODULE);
  ASSERT_NE(module.diceMain, nullptr);
  const std::string requests[] = {
      "100d1 skill 12 sword",
      "31#d6",
      "30#100d1+100d1 " + std::string(600, 'x'),
  };
  // With memory to spare first, then with none: the same reply, or the
  // message. 100d1 always rolls 100.
  std::vector<std::vector<char>> spare;
  std::vector<std::vector<char>> none;
  for (const std::string& request : requests) {
    spare.push_back(rollwright::RequestBuffer(request));
    none.push_back(rollwright::RequestBuffer(request));
    module.diceMain(0, 0, spare.back().data(), 0, 0, 0);
  }
  bool exhausted = false;
  {
    const AllMemory taken;
    void* probe = std::malloc(1);
    exhausted = probe == nullptr;
    std::free(probe);
    for (std::vector<char>& buffer : none) {
      module.diceMain(0, 0, buffer.data(), 0, 0, 0);
    }
  }
  EXPECT_TRUE(exhausted);
  for (size_t i = 0; i < none.size(); ++i) {
    if (Reply(none[i]) != kOutOfMemory) {
      EXPECT_EQ(Reply(none[i]), Reply(spare[i])) << requests[i];
    }
  }
  EXPECT_EQ(Reply(spare[1]), "Dice Error: Maximum of 30 sets of dice!");
  std::vector<char> after = rollwright::RequestBuffer(requests[0]);
  module.diceMain(0, 0, after.data(), 0, 0, 0);
  EXPECT_EQ(Reply(after), Reply(spare[0]));
}

}  // namespace
