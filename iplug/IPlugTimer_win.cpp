#include "iplug/IPlugPlatformTimer.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace iplug
{
namespace
{
// A thread-less Win32 timer: WM_TIMER reaches the procedure through the main thread's message
// loop, which hands only the timer id back, so live timers are found in a process-wide list.
class Timer_impl final : public PlatformTimer
{
public:
  using PlatformTimer::PlatformTimer;
  ~Timer_impl() override { Stop(); }

  bool Start()
  {
    mID = SetTimer(nullptr, 0, mIntervalMs, TimerProc);
    if (!mID)
      return false;
    std::lock_guard<std::recursive_mutex> lock(ListMutex());
    List().push_back(this);
    return true;
  }

  void Stop() override
  {
    if (!mID)
      return;
    KillTimer(nullptr, mID);
    std::lock_guard<std::recursive_mutex> lock(ListMutex());
    auto& list = List();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    mID = 0;
  }

private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD)
  {
    // Recursive: a callback may create or stop timers, itself included.
    std::lock_guard<std::recursive_mutex> lock(ListMutex());
    for (Timer_impl* timer : List())
    {
      if (timer->mID == idEvent)
      {
        timer->mFunc(*timer);
        return;
      }
    }
  }

  static std::vector<Timer_impl*>& List()
  {
    static std::vector<Timer_impl*> list;
    return list;
  }

  static std::recursive_mutex& ListMutex()
  {
    static std::recursive_mutex mutex;
    return mutex;
  }

  UINT_PTR mID = 0;
};
} // namespace

Timer* Timer::Create(ITimerFunction func, uint32_t intervalMs)
{
  return PlatformTimer::CreateStarted<Timer_impl>(std::move(func), intervalMs);
}

} // namespace iplug
