#pragma once

#include <chrono>
#include <thread>

#include "igraphics/IControl.h"
#include "igraphics/IGraphics.h"
#include "igraphics/IRECTList.h"

// Restarting a control's running animation moves its clock without waiting out the real
// duration: a 1 ms animation is over after a short sleep, a minute-long one has only just begun.
inline void JumpPastEnd(iplug::igraphics::IControl& control)
{
  control.StartAnimation(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
}

inline void JumpJustPastStart(iplug::igraphics::IControl& control)
{
  control.StartAnimation(60000);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
}

// Stands in for the animations' clock while it lives: time moves only when the test advances it,
// so a check of how long an animation lasts holds however slowly the machine runs.
class ManualAnimationClock
{
public:
  ManualAnimationClock() : mSaved(iplug::igraphics::IControl::sAnimationClock)
  {
    sNowMs = 0.;
    iplug::igraphics::IControl::sAnimationClock = [] { return sNowMs; };
  }
  ~ManualAnimationClock() { iplug::igraphics::IControl::sAnimationClock = mSaved; }
  ManualAnimationClock(const ManualAnimationClock&) = delete;
  ManualAnimationClock& operator=(const ManualAnimationClock&) = delete;

  void Advance(double ms) { sNowMs += ms; }

private:
  static inline double sNowMs = 0.;
  iplug::igraphics::IControl::AnimationClockFunc mSaved;
};

// One platform tick's worth of animation: the surface steps every animation while it looks for
// dirty controls.
inline void Animate(iplug::igraphics::IGraphics& g)
{
  iplug::igraphics::IRECTList rects;
  g.IsDirty(rects);
}
