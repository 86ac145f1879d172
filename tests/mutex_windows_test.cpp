// SPDX-License-Identifier: MIT
// The module's own mutex (host/runtime/mutex_windows.cpp), alone: a try-lock
// takes a free mutex and refuses a held one, however it was taken.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cerrno>

// The names the module's callers reach through the linker's --wrap.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" int __wrap_pthread_mutex_lock(pthread_mutex_t* mutex);
extern "C" int __wrap_pthread_mutex_trylock(pthread_mutex_t* mutex);
extern "C" int __wrap_pthread_mutex_unlock(pthread_mutex_t* mutex);
// NOLINTEND(bugprone-reserved-identifier)

namespace {

TEST(Mutex, TryLockTakesOnlyAFreeMutex) {
  pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
  EXPECT_EQ(__wrap_pthread_mutex_trylock(&mutex), 0);
  EXPECT_EQ(__wrap_pthread_mutex_trylock(&mutex), EBUSY);
  EXPECT_EQ(__wrap_pthread_mutex_unlock(&mutex), 0);
  EXPECT_EQ(__wrap_pthread_mutex_lock(&mutex), 0);
  EXPECT_EQ(__wrap_pthread_mutex_trylock(&mutex), EBUSY);
  EXPECT_EQ(__wrap_pthread_mutex_unlock(&mutex), 0);
  EXPECT_EQ(__wrap_pthread_mutex_trylock(&mutex), 0);
}

}  // namespace
