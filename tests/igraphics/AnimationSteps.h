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

// One platform tick's worth of animation: the surface steps every animation while it looks for
// dirty controls.
inline void Animate(iplug::igraphics::IGraphics& g)
{
  iplug::igraphics::IRECTList rects;
  g.IsDirty(rects);
}
