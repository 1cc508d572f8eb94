// Recursive lock with a timed wait, as free functions over an opaque handle.
// Every function does nothing (and locking fails) for a null handle.
#pragma once

struct XPlatMutex;

// The wait limit that waits as long as it takes.
constexpr unsigned int kXPlatWaitForever = 0;

// Creates a recursive lock.
XPlatMutex* XPlatCreateMutex();
// Takes the lock, waiting at most timeoutMs milliseconds (kXPlatWaitForever: without limit).
// Returns whether the lock was obtained; only then may it be released.
bool XPlatLockMutex(XPlatMutex* mutex, unsigned int timeoutMs);
// Releases a lock the calling thread holds.
void XPlatUnlockMutex(XPlatMutex* mutex);
// Destroys the lock; nobody may hold it.
void XPlatDeleteMutex(XPlatMutex* mutex);

// Holds a lock for a scope when it could be obtained within the wait limit
// (kXPlatWaitForever waits as long as it takes, so the guard then always holds it).
class XPlatLockGuard {
public:
  XPlatLockGuard(XPlatMutex* mutex, unsigned int timeoutMs)
      : mutex_(mutex), locked_(XPlatLockMutex(mutex, timeoutMs)) {}
  ~XPlatLockGuard() {
    if (locked_) XPlatUnlockMutex(mutex_);
  }
  XPlatLockGuard(const XPlatLockGuard&) = delete;
  XPlatLockGuard& operator=(const XPlatLockGuard&) = delete;
  bool locked() const { return locked_; }

private:
  XPlatMutex* mutex_;
  bool locked_;
};
