// SPDX-License-Identifier: MIT
// The process's TlsAlloc answering from a script while this lives, so that a
// test can make any one allocation of a module's attach entry fail: each call
// takes the next answer (a slot the test took itself, or TLS_OUT_OF_INDEXES),
// and fails once the answers run out. TlsAlloc's first bytes are overwritten
// with a jump to the script and put back when this goes. One at a time, on a
// thread that nothing else allocates slots on meanwhile. Windows only.
#ifndef ROLLWRIGHT_TESTS_SCRIPTED_TLS_ALLOC_H_
#define ROLLWRIGHT_TESTS_SCRIPTED_TLS_ALLOC_H_

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace rollwright {

class ScriptedTlsAlloc {
#if defined(__x86_64__)
  using Jump = std::array<unsigned char, 12>;
  static constexpr unsigned char kMoveOpcode[] = {0x48, 0xB8};
#else
  using Jump = std::array<unsigned char, 7>;
  static constexpr unsigned char kMoveOpcode[] = {0xB8};
#endif

 public:
  explicit ScriptedTlsAlloc(std::vector<DWORD> script)
      : target(reinterpret_cast<unsigned char*>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "TlsAlloc")))) {
    answers() = std::move(script);
    next() = 0;
    // mov rax/eax, Answer; jmp rax/eax
    Jump jump{};
    std::memcpy(jump.data(), kMoveOpcode, sizeof kMoveOpcode);
    const auto to = reinterpret_cast<uintptr_t>(&Answer);
    std::memcpy(&jump[jump.size() - 2 - sizeof to], &to, sizeof to);
    jump[jump.size() - 2] = 0xFF;
    jump[jump.size() - 1] = 0xE0;
    std::memcpy(saved.data(), target, saved.size());
    Write(jump);
  }
  ScriptedTlsAlloc(const ScriptedTlsAlloc&) = delete;
  ScriptedTlsAlloc& operator=(const ScriptedTlsAlloc&) = delete;
  ~ScriptedTlsAlloc() { Write(saved); }

  // How many answers were taken.
  size_t Taken() const { return next(); }

 private:
  static std::vector<DWORD>& answers() {
    static std::vector<DWORD> script;
    return script;
  }
  static size_t& next() {
    static size_t index = 0;
    return index;
  }
  static DWORD WINAPI Answer() {
    if (next() >= answers().size()) return TLS_OUT_OF_INDEXES;
    return answers()[next()++];
  }

  void Write(const Jump& code) const {
    DWORD was = 0;
    VirtualProtect(target, code.size(), PAGE_EXECUTE_READWRITE, &was);
    std::memcpy(target, code.data(), code.size());
    VirtualProtect(target, code.size(), was, &was);
    FlushInstructionCache(GetCurrentProcess(), target, code.size());
  }

  unsigned char* target;
  Jump saved{};
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_SCRIPTED_TLS_ALLOC_H_
