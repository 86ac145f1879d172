// SPDX-License-Identifier: MIT
// The module as a host sees it: loaded by file name (LoadLibraryA or dlopen),
// its two exports found by their plain names, unloaded when this goes. Not
// copied. Used by the programs that test and time the built module.
#ifndef ROLLWRIGHT_TESTS_LOADED_MODULE_H_
#define ROLLWRIGHT_TESTS_LOADED_MODULE_H_

#include <string>
#include <vector>

#include "api/request_buffer.h"
#include "rollwright.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace rollwright {

class LoadedModule {
 public:
  using DiceMainProc = int32_t(ROLLWRIGHT_CALL*)(int32_t, int32_t, char*,
                                                 int32_t, int32_t, int32_t);
  using LoadDllProc = void(ROLLWRIGHT_CALL*)(int32_t);

  // When the module cannot be loaded, both procedures are null.
  explicit LoadedModule(const char* path) {
#if defined(_WIN32)
    handle = LoadLibraryA(path);
#else
    handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
#endif
    if (handle == nullptr) return;
    diceMain = reinterpret_cast<DiceMainProc>(Find("DiceMain"));
    loadDll = reinterpret_cast<LoadDllProc>(Find("LoadDll"));
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  ~LoadedModule() {
    if (handle == nullptr) return;
#if defined(_WIN32)
    FreeLibrary(handle);
#else
    dlclose(handle);
#endif
  }

  // DiceMain's reply to request, from a buffer as a host hands it in.
  // DiceMain returns 3 whatever the reply; any other value is put before the
  // reply, so that it equals no right one.
  std::string Call(const std::string& request) const {
    std::vector<char> buffer = RequestBuffer(request);
    const int32_t result = diceMain(0, 0, buffer.data(), 0, 0, 0);
    std::string reply(buffer.data());
    if (result == 3) return reply;
    return "DiceMain returned " + std::to_string(result) + ": " + reply;
  }

  DiceMainProc diceMain = nullptr;
  LoadDllProc loadDll = nullptr;

 private:
#if defined(_WIN32)
  void* Find(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(handle, name));
  }
  HMODULE handle = nullptr;
#else
  void* Find(const char* name) const { return dlsym(handle, name); }
  void* handle = nullptr;
#endif
};

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_LOADED_MODULE_H_
