// The face of the editor's two small buttons: a dark cell, an inner box lit amber or left grey,
// its frame and its word, black on amber and light on grey.
#pragma once

#include "plugin/editor/BVPalette.h"

#include "igraphics/IGraphics.h"

namespace brimvale::editor
{

inline void DrawButtonFace(iplug::igraphics::IGraphics& g, const iplug::igraphics::IRECT& r, float inset, bool lit,
                           const char* word)
{
  using iplug::igraphics::COLOR_BLACK;
  using iplug::igraphics::IColor;
  using iplug::igraphics::IRECT;
  const IRECT inner = r.GetPadded(-inset);
  g.FillRect(COLOR_BV_PANEL_DARK, r);
  g.FillRect(lit ? COLOR_BV_AMBER : IColor(255, 74, 84, 88), inner);
  g.DrawRect(COLOR_BV_FRAME, inner, nullptr, 1.f);
  g.DrawText(PanelText(12.f, lit ? COLOR_BLACK : COLOR_BV_TEXT), word, inner);
}

} // namespace brimvale::editor
