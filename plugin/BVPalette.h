#pragma once

#include "igraphics/IGraphicsLook.h"

namespace {

using iplug::igraphics::IColor;

// The instrument editor's own colours (A, R, G, B).
const IColor COLOR_BV_BG(255, 7, 10, 15);
const IColor COLOR_BV_PANEL(255, 16, 22, 30);
const IColor COLOR_BV_PANEL_DARK(255, 10, 15, 21);
const IColor COLOR_BV_FRAME(255, 54, 68, 86);
const IColor COLOR_BV_TEXT(255, 222, 232, 241);
const IColor COLOR_BV_MUTED(255, 137, 151, 166);
const IColor COLOR_BV_CYAN(255, 0, 214, 232);
const IColor COLOR_BV_CYAN_DIM(155, 0, 122, 138);
const IColor COLOR_BV_AMBER(255, 242, 174, 22);
const IColor COLOR_BV_ORANGE(255, 242, 174, 22); // same as amber; both names are in use
const IColor COLOR_BV_PINK(255, 232, 132, 184);

} // namespace
