// The two-state button of a sample layer: "RATE" plays at a speed factor, "SEMI" transposes by
// semitones. Each click flips its parameter as an edit of the user.
#pragma once

#include "igraphics/IControl.h"

namespace brimvale::editor
{

class BVSpeedModeButton : public iplug::igraphics::IControl
{
public:
  BVSpeedModeButton(const iplug::igraphics::IRECT& bounds, int paramIdx);

  void OnMouseDown(float x, float y, const iplug::igraphics::IMouseMod& mod) override;
  void Draw(iplug::igraphics::IGraphics& g) override;
};

} // namespace brimvale::editor
