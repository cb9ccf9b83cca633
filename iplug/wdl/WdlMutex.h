#pragma once

namespace iplug
{

// A recursive lock: the thread that holds it may enter it again (a critical section on Windows,
// a recursive POSIX mutex elsewhere).
class WDL_Mutex
{
public:
  WDL_Mutex();
  ~WDL_Mutex();
  WDL_Mutex(const WDL_Mutex&) = delete;
  WDL_Mutex& operator=(const WDL_Mutex&) = delete;

  void Enter();
  void Leave();

private:
  // Room for the platform's lock object, kept opaque so that no system header leaks out of here.
  alignas(16) unsigned char mStorage[64];
};

// Holds a mutex for its own lifetime; a null mutex is allowed and does nothing.
class WDL_MutexLock
{
public:
  explicit WDL_MutexLock(WDL_Mutex* mutex) : mMutex(mutex)
  {
    if (mMutex)
      mMutex->Enter();
  }
  ~WDL_MutexLock()
  {
    if (mMutex)
      mMutex->Leave();
  }
  WDL_MutexLock(const WDL_MutexLock&) = delete;
  WDL_MutexLock& operator=(const WDL_MutexLock&) = delete;

private:
  WDL_Mutex* mMutex;
};

} // namespace iplug
