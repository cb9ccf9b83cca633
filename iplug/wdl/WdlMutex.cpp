#include "iplug/wdl/WdlMutex.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace iplug
{
#if defined(_WIN32)
using NativeLock = CRITICAL_SECTION;
#else
using NativeLock = pthread_mutex_t;
#endif

static_assert(sizeof(NativeLock) <= 64 && alignof(NativeLock) <= 16, "WDL_Mutex storage too small");

namespace
{
NativeLock* Native(unsigned char* storage)
{
  return reinterpret_cast<NativeLock*>(storage);
}
} // namespace

#if defined(_WIN32)
WDL_Mutex::WDL_Mutex()
{
  InitializeCriticalSection(Native(mStorage));
}
WDL_Mutex::~WDL_Mutex()
{
  DeleteCriticalSection(Native(mStorage));
}
void WDL_Mutex::Enter()
{
  EnterCriticalSection(Native(mStorage));
}
void WDL_Mutex::Leave()
{
  LeaveCriticalSection(Native(mStorage));
}
#else
WDL_Mutex::WDL_Mutex()
{
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(Native(mStorage), &attr);
  pthread_mutexattr_destroy(&attr);
}
WDL_Mutex::~WDL_Mutex()
{
  pthread_mutex_destroy(Native(mStorage));
}
void WDL_Mutex::Enter()
{
  pthread_mutex_lock(Native(mStorage));
}
void WDL_Mutex::Leave()
{
  pthread_mutex_unlock(Native(mStorage));
}
#endif

} // namespace iplug
