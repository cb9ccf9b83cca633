#pragma once

#include <cstdint>
#include <functional>

namespace iplug
{

/** A periodic callback on the main thread. Each platform supplies Create; the framework only
 *  creates, stops and deletes timers and never depends on which kind it got. */
class Timer
{
public:
  using ITimerFunction = std::function<void(Timer& t)>;

  /** A running timer that calls func every intervalMs milliseconds; owned by the caller. */
  static Timer* Create(ITimerFunction func, uint32_t intervalMs);

  virtual ~Timer() = default;

  /** Stops the calls; a second Stop does nothing. */
  virtual void Stop() = 0;
};

} // namespace iplug
