/* SPDX-License-Identifier: MIT */
/* The system's random source answering 7 every time (a 32-bit 7 in the
   machine's byte order, then zeros), put in place of the system's own: on
   Linux getrandom, for a program started with this library in LD_PRELOAD;
   on Windows BCryptGenRandom, as bcrypt.dll beside the program. A program
   that seeds from the system's random source then rolls as with seed 7. */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

static void Fill(unsigned char* buffer, size_t size) {
  const uint32_t seven = 7;
  memset(buffer, 0, size);
  memcpy(buffer, &seven, size < sizeof seven ? size : sizeof seven);
}

#if defined(_WIN32)
__declspec(dllexport) long __stdcall BCryptGenRandom(void* algorithm,
                                                     unsigned char* buffer,
                                                     unsigned long size,
                                                     unsigned long flags) {
  (void)algorithm;
  (void)flags;
  Fill(buffer, size);
  return 0; /* STATUS_SUCCESS */
}
#else
#include <sys/types.h>

__attribute__((visibility("default"))) ssize_t getrandom(void* buffer,
                                                         size_t size,
                                                         unsigned int flags) {
  (void)flags;
  Fill(buffer, size);
  return (ssize_t)size;
}
#endif
