// SPDX-License-Identifier: MIT
#include <windows.h>

#include <cstdint>

#include "host/runtime/module_runtime.h"

// The run-time's own entry points that the module calls.
// NOLINTBEGIN(bugprone-reserved-identifier)
namespace __gnu_cxx {
// Frees the emergency exception pool.
void __freeres() noexcept;
}  // namespace __gnu_cxx
// NOLINTEND(bugprone-reserved-identifier)

#if defined(__i386__)
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {
void __register_frame_info(const void* begin, void* record);
void* __deregister_frame_info(const void* begin);
const void* _Unwind_Find_FDE(void* pc, void* bases);
extern IMAGE_DOS_HEADER __ImageBase;
}
// NOLINTEND(bugprone-reserved-identifier)

namespace {

constexpr char kSharedLibgcc[] = "libgcc_s_dw2-1.dll";
using FindFde = const void* (*)(void* pc, void* bases);

// The unwinder's record of one registered table: seven pointers in this
// compiler's run-time, with room to spare.
alignas(void*) unsigned char tablesRecord[16 * sizeof(void*)];
const void* tablesBegin = nullptr;

// The start of the module's section that holds address, or null.
const void* SectionHolding(const void* address) {
  const auto* base = reinterpret_cast<const unsigned char*>(&__ImageBase);
  const auto* headers =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
  const auto offset =
      static_cast<uintptr_t>(static_cast<const unsigned char*>(address) - base);
  for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
    if (offset >= section->VirtualAddress &&
        offset < section->VirtualAddress + section->Misc.VirtualSize) {
      return base + section->VirtualAddress;
    }
  }
  return nullptr;
}

// The unwinder that the start-up code gave the tables to: the shared DLL's
// when the process held it then (it still does: the start-up code took a
// reference to it), else the module's own.
FindFde RegisteredFinder() {
  HMODULE shared = GetModuleHandleA(kSharedLibgcc);
  if (shared == nullptr) return &_Unwind_Find_FDE;
  return reinterpret_cast<FindFde>(
      reinterpret_cast<void*>(GetProcAddress(shared, "_Unwind_Find_FDE")));
}

// The start of the module's frame tables: the section that holds the entry
// of a function of the module.
const void* FrameTables() {
  FindFde find = RegisteredFinder();
  if (find == nullptr) return nullptr;
  void* bases[3] = {};
  const void* entry =
      find(reinterpret_cast<void*>(&rollwright::AttachRuntime), bases);
  return entry == nullptr ? nullptr : SectionHolding(entry);
}

}  // namespace

namespace rollwright {

void AttachRuntime() {
  tablesBegin = FrameTables();
  if (tablesBegin != nullptr) __register_frame_info(tablesBegin, tablesRecord);
}

void DetachRuntime(bool processEnding) {
  if (processEnding) return;
  if (tablesBegin != nullptr) __deregister_frame_info(tablesBegin);
  tablesBegin = nullptr;
  __gnu_cxx::__freeres();
}

}  // namespace rollwright

#else

namespace rollwright {

// The 64-bit unwinder reads the tables that Windows keeps for every module.
void AttachRuntime() {}

void DetachRuntime(bool processEnding) {
  if (!processEnding) __gnu_cxx::__freeres();
}

}  // namespace rollwright

#endif
