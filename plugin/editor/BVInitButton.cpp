#include "plugin/editor/BVInitButton.h"

#include "plugin/editor/BVButtonFace.h"

#include <utility>

using namespace iplug::igraphics;

namespace brimvale::editor
{

BVInitButton::BVInitButton(const IRECT& bounds, std::function<void()> action)
: IControl(bounds)
, mAction(std::move(action))
{
  SetTooltip("Initialize Brimvale");
}

void BVInitButton::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mAction)
    mAction();
}

void BVInitButton::Draw(IGraphics& g)
{
  DrawButtonFace(g, GetRECT(), 2.f, GetMouseIsOver(), "INIT");
}

} // namespace brimvale::editor
