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
: IKnobControlBase(bounds, paramIdx, direction, gearing)
, IVectorBase(style, false, valueInWidget)
, mStartAngle(a1)
, mEndAngle(a2)
, mAnchorAngle(aAnchor)
{
  mTrackSize = trackSize;
  mWidgetShape = EVShape::Ellipse;
  mHideCursorOnDrag = style.hideCursor;
  mText = style.valueText;
  DisablePrompt(!valueIsEditable);
  AttachIControl(this, label);
}

IVKnobControl::IVKnobControl(const IRECT& bounds, IActionFunction actionFunc, const char* label, const IVStyle& style,
                             bool valueIsEditable, bool valueInWidget, float a1, float a2, float aAnchor,
                             EDirection direction, double gearing, float trackSize)
: IVKnobControl(bounds, kNoParameter, label, style, valueIsEditable, valueInWidget, a1, a2, aAnchor, direction, gearing,
                trackSize)
{
  SetActionFunction(std::move(actionFunc));
}

void IVKnobControl::RefreshValueStr()
{
  if (const IParam* pParam = GetParam(0))
    pParam->GetDisplayWithLabel(mValueString);
}

void IVKnobControl::OnInit()
{
  RefreshValueStr();
  if (mLabelString.GetLength() == 0)
    if (const IParam* pParam = GetParam(0))
      SetLabelStr(pParam->GetName());
}

void IVKnobControl::SetDirty(bool push, int /*valIdx*/)
{
  IKnobControlBase::SetDirty(push);
  RefreshValueStr();
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
  const float theta = (angle - 90.f) / 180.f * static_cast<float>(brimvale::utility::kPi);
  const float rIn = mInnerPointerFraction * radius;
  const float rOut = mOuterPointerFraction * radius;
  g.DrawLine(GetColor(kFR), cx + rIn * std::cos(theta), cy + rIn * std::sin(theta), cx + rOut * std::cos(theta),
             cy + rOut * std::sin(theta), &mBlend, mPointerThickness);
}

void IVKnobControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  // The value text opens the value editor; only the rest of the knob drags.
  if (mStyle.showValue && mValueBounds.Contains(x, y))
    PromptUserInput(mValueBounds, 0);
  else
    IKnobControlBase::OnMouseDown(x, y, mod);
  SetDirty(false);
}

void IVKnobControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  IKnobControlBase::OnMouseUp(x, y, mod);
  SetDirty(true);
}

void IVKnobControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod)
{
  // A press on the value text started no drag: moving on from it must not turn the knob from
  // whatever value the last drag began at.
  if (mMouseDown)
    IKnobControlBase::OnMouseDrag(x, y, dX, dY, mod);
}

void IVKnobControl::OnMouseDblClick(float x, float y, const IMouseMod& /*mod*/)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

void IVKnobControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mDisablePrompt)
    mValueMouseOver = mValueBounds.Contains(x, y);
  IKnobControlBase::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVKnobControl::OnMouseOut()
{
  mValueMouseOver = false;
  IKnobControlBase::OnMouseOut();
}

bool IVKnobControl::IsHit(float x, float y) const
{
  if (!mDisablePrompt && mValueBounds.Contains(x, y))
    return true;
  return mWidgetBounds.Contains(x, y);
}

} // namespace igraphics
} // namespace iplug
