#pragma once

#include "iplug/IPlugTimer.h"

namespace iplug
{

/** A timer that fires only when its owner's clock is advanced: the timer of builds that have no
 *  platform timer of their own, and a timer that tests can tick by hand. */
class ManualTimer final : public Timer
{
public:
  ManualTimer(ITimerFunction func, uint32_t intervalMs);
  ~ManualTimer() override;

  ManualTimer(const ManualTimer&) = delete;
  ManualTimer& operator=(const ManualTimer&) = delete;

  void Stop() override;

  bool IsRunning() const { return mRunning; }
  uint32_t IntervalMs() const { return mIntervalMs; }

  /** Fires once now, if still running. */
  void Tick();

  /** Lets ms milliseconds pass for every running manual timer; each fires once per whole period
   *  that has gone by. A callback may stop or delete any timer, itself included. */
  static void AdvanceAll(uint32_t ms);

private:
  ITimerFunction mFunc;
  uint32_t mIntervalMs;
  uint32_t mElapsedMs = 0;
  bool mRunning = true;
};

} // namespace iplug
