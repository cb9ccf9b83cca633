// The "INIT" button of the header: returns the instrument to its initial state through the action
// the layout gives it.
#pragma once

#include "igraphics/IControl.h"

#include <functional>

namespace brimvale::editor
{

class BVInitButton : public iplug::igraphics::IControl
{
public:
  BVInitButton(const iplug::igraphics::IRECT& bounds, std::function<void()> action);

  /** Any click runs the action, when there is one. */
  void OnMouseDown(float x, float y, const iplug::igraphics::IMouseMod& mod) override;
  void Draw(iplug::igraphics::IGraphics& g) override;

private:
  std::function<void()> mAction;
};

} // namespace brimvale::editor
