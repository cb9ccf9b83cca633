#include "iplug/IPlugManualTimer.h"

#include <utility>

namespace iplug
{

Timer* Timer::Create(ITimerFunction func, uint32_t intervalMs)
{
  return new ManualTimer(std::move(func), intervalMs);
}

} // namespace iplug
