#include "XPlatMutex.h"

#include <chrono>
#include <mutex>
#include <new>

struct XPlatMutex {
  std::recursive_timed_mutex m;
};

XPlatMutex* XPlatCreateMutex() { return new (std::nothrow) XPlatMutex; }

bool XPlatLockMutex(XPlatMutex* mutex, unsigned int timeoutMs) {
  if (!mutex) return false;
  if (timeoutMs == 0) {
    mutex->m.lock();
    return true;
  }
  // A deadline on the system clock makes the library wait with pthread_mutex_timedlock,
  // which thread checkers understand; a steady-clock wait uses a call they do not see.
  return mutex->m.try_lock_until(std::chrono::system_clock::now() +
                                 std::chrono::milliseconds(timeoutMs));
}

void XPlatUnlockMutex(XPlatMutex* mutex) {
  if (mutex) mutex->m.unlock();
}

void XPlatDeleteMutex(XPlatMutex* mutex) { delete mutex; }
