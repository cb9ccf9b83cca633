#include "igraphics/controls/IVKnobControl.h"

#include <algorithm>
#include <cmath>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"
#include "utility/MathConstants.h"

namespace iplug
{
namespace igraphics
{

IVKnobControl::IVKnobControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                             bool valueIsEditable, bool valueInWidget, float a1, float a2, float aAnchor,
                             EDirection direction, double gearing, float trackSize)
: IVValueDragControl(label, style, valueIsEditable, valueInWidget, trackSize, bounds, paramIdx, direction, gearing)
, mStartAngle(a1)
, mEndAngle(a2)
, mAnchorAngle(aAnchor)
{}

IVKnobControl::IVKnobControl(const IRECT& bounds, IActionFunction actionFunc, const char* label, const IVStyle& style,
                             bool valueIsEditable, bool valueInWidget, float a1, float a2, float aAnchor,
                             EDirection direction, double gearing, float trackSize)
: IVKnobControl(bounds, kNoParameter, label, style, valueIsEditable, valueInWidget, a1, a2, aAnchor, direction, gearing,
                trackSize)
{
  SetActionFunction(std::move(actionFunc));
}

void IVKnobControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  SetDirty(false);
}

float IVKnobControl::GetRadius() const
{
  return std::min(mWidgetBounds.W(), mWidgetBounds.H()) / 2.f - mTrackSize / 2.f;
}

IRECT IVKnobControl::GetTrackBounds() const
{
  const float side = std::max(2.f * (GetRadius() + mTrackSize), 1.f);
  return mWidgetBounds.GetCentredInside(side, side);
}

IRECT IVKnobControl::GetKnobDragBounds() const
{
  const IRECT& w = mWidgetBounds;
  if (w.W() > w.H())
    return w.GetCentredInside(w.H() / 2.f, w.H());
  return w.GetCentredInside(w.W(), w.W() / 2.f);
}

void IVKnobControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mValueMouseOver);
}

void IVKnobControl::DrawWidget(IGraphics& g)
{
  const float r = GetRadius();
  const float cx = mWidgetBounds.MW();
  const float cy = mWidgetBounds.MH();
  // However small the widget, the handle stays visible.
  const float d = std::max(1.f, 2.f * (r - mHandleInset));
  const IRECT handle(cx - d / 2.f, cy - d / 2.f, cx + d / 2.f, cy + d / 2.f);
  const float angle = mStartAngle + (mEndAngle - mStartAngle) * static_cast<float>(GetValue(0));

  DrawIndicatorTrack(g, angle, cx, cy, r);
  DrawHandle(g, handle);
  DrawPointer(g, angle, cx, cy, d / 2.f);
}

void IVKnobControl::DrawIndicatorTrack(IGraphics& g, float angle, float cx, float cy, float radius)
{
  if (mTrackSize <= 0.f)
    return;
  g.DrawArc(GetColor(kX1), cx, cy, radius, std::min(angle, mAnchorAngle), std::max(angle, mAnchorAngle), &mBlend,
            mTrackSize);
}

void IVKnobControl::DrawHandle(IGraphics& g, const IRECT& bounds)
{
  DrawPressableShape(g, EVShape::Ellipse, bounds, mMouseDown, mMouseIsOver, IsDisabled());
}

void IVKnobControl::DrawPointer(IGraphics& g, float angle, float cx, float cy, float radius)
{
  // Drawing angles start at twelve o'clock; the trigonometric zero is at three.
  const float theta = (angle - 90.f) / 180.f * brimvale::utility::kPiFloat;
  const float rIn = mInnerPointerFraction * radius;
  const float rOut = mOuterPointerFraction * radius;
  g.DrawLine(GetColor(kFR), cx + rIn * std::cos(theta), cy + rIn * std::sin(theta), cx + rOut * std::cos(theta),
             cy + rOut * std::sin(theta), &mBlend, mPointerThickness);
}

} // namespace igraphics
} // namespace iplug
