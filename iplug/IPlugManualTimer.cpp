#include "iplug/IPlugManualTimer.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace iplug
{

namespace
{
// Recursive, so that a callback run under it may create, stop or delete timers.
std::recursive_mutex& RegistryMutex()
{
  static std::recursive_mutex mutex;
  return mutex;
}

std::vector<ManualTimer*>& Registry()
{
  static std::vector<ManualTimer*> timers;
  return timers;
}

bool IsRegistered(const ManualTimer* timer)
{
  const auto& timers = Registry();
  return std::find(timers.begin(), timers.end(), timer) != timers.end();
}
} // namespace

ManualTimer::ManualTimer(ITimerFunction func, uint32_t intervalMs) : mFunc(std::move(func)), mIntervalMs(intervalMs)
{
  std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
  Registry().push_back(this);
}

ManualTimer::~ManualTimer()
{
  Stop();
}

void ManualTimer::Stop()
{
  std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
  mRunning = false;
  auto& timers = Registry();
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void ManualTimer::Tick()
{
  if (mRunning && mFunc)
    mFunc(*this);
}

void ManualTimer::AdvanceAll(uint32_t ms)
{
  std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
  const std::vector<ManualTimer*> snapshot = Registry();
  for (ManualTimer* timer : snapshot)
  {
    if (!IsRegistered(timer))
      continue;
    if (timer->mIntervalMs == 0)
    {
      timer->Tick();
      continue;
    }
    timer->mElapsedMs += ms;
    while (timer->mElapsedMs >= timer->mIntervalMs)
    {
      timer->mElapsedMs -= timer->mIntervalMs;
      timer->Tick();
      if (!IsRegistered(timer))
        break;
    }
  }
}

} // namespace iplug
