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
  return mutex->m.try_lock_for(std::chrono::milliseconds(timeoutMs));
}

void XPlatUnlockMutex(XPlatMutex* mutex) {
  if (mutex) mutex->m.unlock();
}

void XPlatDeleteMutex(XPlatMutex* mutex) { delete mutex; }
