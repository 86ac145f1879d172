// SPDX-License-Identifier: MIT
/*
 * rollwright: a dice-rolling module for host applications.
 *
 * The host hands DiceMain one line of text, a dice request, in a writable
 * buffer; the module rolls and writes one line of English back into the same
 * buffer, or one fixed "Dice Error: ..." message:
 *
 *   "3d6 skill 12 sword"  ->  "rolls 3d6 against 12 sword and gets 9 for an
 *                              Ordinary Success"
 *   "3#2d6+1 fire"        ->  "rolls 3#2d6+1 fire and gets 8, 5, 11"
 *
 * Calling convention: on 32-bit Windows both procedures are __stdcall (the
 * callee pops its arguments) and are exported under their plain names
 * "DiceMain" and "LoadDll"; every argument and the result are 32 bits wide.
 * Elsewhere they use the platform's C calling convention. A host that loads
 * the module itself holds them as RollwrightDiceMainProc and
 * RollwrightLoadDllProc, which carry that convention.
 *
 * Buffer: the host owns it. It must hold at least ROLLWRIGHT_REPLY_CAPACITY
 * bytes, and at least the request's length plus one. The reply, its NUL
 * included, ends within the first ROLLWRIGHT_REPLY_CAPACITY bytes, so it has
 * at most 899 characters. A reply that fits is written unchanged. When the
 * sentence does not fit and its comment is longer than its head (in a skill
 * test, the level's digits at the start of the comment; otherwise nothing),
 * the comment is shortened so that the sentence holds every total with its
 * grade: it becomes its longest prefix, at least the head, whose first byte
 * left out is not a UTF-8 continuation byte (0x80 to 0xBF), followed by
 * "...". When even the head and "..." leave no room for every total, the
 * comment becomes the head and "...", and the sentence is cut after the last
 * whole total that fits. The expression is never shortened. When not even
 * the first total fits, the sentence is cut at 899 characters, moved back by
 * at most three bytes while the first byte left out is a continuation byte,
 * so that no UTF-8 character is cut in two. Removing a set-count prefix moves
 * the rest of the request within the request's own length, so the module
 * writes at most ROLLWRIGHT_REPLY_CAPACITY bytes or the request's length plus
 * one, whichever is more.
 *
 * Threads: DiceMain may be called on any thread, on several at once. Each
 * thread has its own random generator, which starts at the same fixed state
 * until LoadDll seeds it; LoadDll seeds only the thread it is called on. The
 * module starts no threads. A sentence takes no lock; an error reply may
 * take short locks of the module's own (one word each, never a kernel object)
 * inside the C++ run-time that carries the error to DiceMain.
 *
 * Loading: the module may be loaded and unloaded any number of times. On
 * Windows it takes two thread-local-storage slots when loaded (LoadLibrary
 * fails if the process has none left) and gives them back, with everything
 * its run-time allocated, when unloaded. When the process is ending it gives
 * nothing back, so that DiceMain still answers calls made then.
 *
 * Failures: nothing is thrown into the host and nothing is kept between
 * calls but the generator's state.
 */
#ifndef ROLLWRIGHT_H_
#define ROLLWRIGHT_H_

#include <stdint.h> /* NOLINT(modernize-deprecated-headers): a C header */

#if defined(_WIN32) && !defined(_WIN64)
#define ROLLWRIGHT_CALL __stdcall
#else
#define ROLLWRIGHT_CALL
#endif

#if defined(_WIN32)
#define ROLLWRIGHT_API
#else
#define ROLLWRIGHT_API __attribute__((visibility("default")))
#endif

/* The most bytes, NUL included, that a reply takes in the buffer. */
#define ROLLWRIGHT_REPLY_CAPACITY 900

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Rolls the request in buffer and replaces it with the reply. Arguments 1, 2,
 * 4, 5 and 6 are never read. Returns 3, whatever the reply; a null buffer is
 * left alone.
 */
ROLLWRIGHT_API int32_t ROLLWRIGHT_CALL DiceMain(int32_t unused1,
                                                int32_t unused2, char* buffer,
                                                int32_t unused4,
                                                int32_t unused5,
                                                int32_t unused6);

/*
 * Seeds the calling thread's generator. Call it once on each thread that
 * rolls, after loading the module; calling it again reseeds. The seed is the
 * clock at its finest resolution mixed with the thread's identity, so two
 * threads or two processes that seed at the same moment roll differently. A
 * thread that LoadDll never ran on starts at the generator's fixed state and
 * rolls the same sequence every time. Its argument is never read.
 */
ROLLWRIGHT_API void ROLLWRIGHT_CALL LoadDll(int32_t unused);

/*
 * The two procedures as a host that loads the module holds them, from
 * GetProcAddress or dlsym.
 */
/* NOLINTBEGIN(modernize-use-using): a C header */
typedef int32_t(ROLLWRIGHT_CALL* RollwrightDiceMainProc)(int32_t, int32_t,
                                                         char*, int32_t,
                                                         int32_t, int32_t);
typedef void(ROLLWRIGHT_CALL* RollwrightLoadDllProc)(int32_t);
/* NOLINTEND(modernize-use-using) */

#ifdef __cplusplus
}
#endif

#endif /* ROLLWRIGHT_H_ */
