#include "plugin/editor/BVSpeedModeButton.h"

#include "plugin/editor/BVButtonFace.h"

using namespace iplug::igraphics;

namespace brimvale::editor
{

BVSpeedModeButton::BVSpeedModeButton(const IRECT& bounds, int paramIdx) : IControl(bounds, paramIdx)
{
  SetTooltip("RATE / SEMI");
}

void BVSpeedModeButton::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  // Through the user-input path, so the host records the flip as the user's edit.
  SetValueFromUserInput(GetValue(0) > 0.5 ? 0.0 : 1.0, 0);
}

void BVSpeedModeButton::Draw(IGraphics& g)
{
  // Exactly half is not yet "on": a value the host left in the middle reads as RATE.
  const bool semitones = GetValue(0) > 0.5;
  DrawButtonFace(g, GetRECT(), 4.f, semitones, semitones ? "SEMI" : "RATE");
}

} // namespace brimvale::editor
