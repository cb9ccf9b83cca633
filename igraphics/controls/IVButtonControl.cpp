#include "igraphics/controls/IVButtonControl.h"

namespace iplug
{
namespace igraphics
{

IVButtonControl::IVButtonControl(const IRECT& bounds, IActionFunction action, const char* label, const IVStyle& style,
                                 bool labelInButton, bool valueInButton, EVShape shape)
: IButtonControlBase(bounds, std::move(action))
, IVectorBase(style, labelInButton, valueInButton)
{
  mText = style.valueText;
  mWidgetShape = shape;
  AttachIControl(this, label);
}

void IVButtonControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawWidget(g);
  DrawLabel(g);
  DrawValue(g, false);
}

void IVButtonControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mWidgetShape, mWidgetBounds, GetValue(0) != 0., mMouseIsOver, IsDisabled());
}

void IVButtonControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, true));
  SetDirty(false);
}

bool IVButtonControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

} // namespace igraphics
} // namespace iplug
