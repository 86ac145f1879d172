# SPDX-License-Identifier: MIT
# Cross build for Windows with Debian's mingw-w64 toolchain, posix thread
# model (std::thread in the tests needs it). ROLLWRIGHT_MINGW_ARCH is i686
# for 32-bit hosts or x86_64 for 64-bit ones. Test programs run under Wine.
# try_compile projects read this file too and need the setting passed on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ROLLWRIGHT_MINGW_ARCH)
if(NOT ROLLWRIGHT_MINGW_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "ROLLWRIGHT_MINGW_ARCH must be i686 or x86_64")
endif()
set(triplet ${ROLLWRIGHT_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ROLLWRIGHT_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(ROLLWRIGHT_MINGW_ARCH STREQUAL i686)
  set(loader /usr/lib/wine/wine)
else()
  set(loader /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${loader})
