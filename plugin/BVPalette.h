#pragma once

#include "igraphics/IGraphicsLook.h"

namespace
{

// The instrument editor's own colours (A, R, G, B).
const iplug::igraphics::IColor COLOR_BV_BG(255, 7, 10, 15);
const iplug::igraphics::IColor COLOR_BV_PANEL(255, 16, 22, 30);
const iplug::igraphics::IColor COLOR_BV_PANEL_DARK(255, 10, 15, 21);
const iplug::igraphics::IColor COLOR_BV_FRAME(255, 54, 68, 86);
const iplug::igraphics::IColor COLOR_BV_TEXT(255, 222, 232, 241);
const iplug::igraphics::IColor COLOR_BV_MUTED(255, 137, 151, 166);
const iplug::igraphics::IColor COLOR_BV_CYAN(255, 0, 214, 232);
const iplug::igraphics::IColor COLOR_BV_CYAN_DIM(155, 0, 122, 138);
const iplug::igraphics::IColor COLOR_BV_AMBER(255, 242, 174, 22);
const iplug::igraphics::IColor COLOR_BV_ORANGE(255, 242, 174, 22); // same as amber; both names are in use
const iplug::igraphics::IColor COLOR_BV_PINK(255, 232, 132, 184);

/** A palette colour at another alpha. */
inline iplug::igraphics::IColor WithAlpha(const iplug::igraphics::IColor& c, int alpha)
{
  return iplug::igraphics::IColor(alpha, c.R, c.G, c.B);
}

} // namespace
