#pragma once

// Input events as a platform hands them to the headless editor; every test that drives an editor,
// in its own process or inside a loaded module, builds them here.
#include "igraphics/platforms/HeadlessWindow.h"

namespace headless
{

/** A pointer event at (x, y), with the left button held unless other modifiers are given. */
inline HeadlessEvent PointerEvent(int type, float x, float y, int modifiers = kHeadlessLeft, float dX = 0.f,
                                  float dY = 0.f)
{
  HeadlessEvent event{};
  event.type = type;
  event.x = x;
  event.y = y;
  event.dX = dX;
  event.dY = dY;
  event.modifiers = modifiers;
  return event;
}

} // namespace headless
