#include "igraphics/controls/IVSwitchControl.h"

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

IVSwitchControl::IVSwitchControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueInButton)
: ISwitchControlBase(bounds, paramIdx, SplashClickActionFunc, 2)
, IVectorBase(style, false, valueInButton)
{
  InitSwitch(label, valueInButton);
}

IVSwitchControl::IVSwitchControl(const IRECT& bounds, IActionFunction action, const char* label, const IVStyle& style,
                                 int numStates, bool valueInButton)
: ISwitchControlBase(bounds, kNoParameter, std::move(action), numStates)
, IVectorBase(style, false, valueInButton)
{
  InitSwitch(label, valueInButton);
}

void IVSwitchControl::InitSwitch(const char* label, bool valueInButton)
{
  mText = mStyle.valueText;
  // A value drawn on the face sits in its middle.
  if (valueInButton)
    mStyle.valueText.mVAlign = mText.mVAlign = kVAlignMiddle;
  AttachIControl(this, label);
}

void IVSwitchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

void IVSwitchControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mWidgetShape, mWidgetBounds, mMouseDown, mMouseIsOver, IsDisabled());
}

bool IVSwitchControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

void IVSwitchControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, true));
  // A new size changes no value: the text from OnInit, unit and all, stays until the value moves.
  ISwitchControlBase::SetDirty(false);
}

void IVSwitchControl::OnMouseOut()
{
  ISwitchControlBase::OnMouseOut();
  SetDirty(false);
}

void IVSwitchControl::OnInit()
{
  ISwitchControlBase::OnInit();
  if (const IParam* pParam = GetParam(0))
  {
    pParam->GetDisplayWithLabel(mValueString);
    if (mLabelString.GetLength() == 0)
      SetLabelStr(pParam->GetName());
  }
}

void IVSwitchControl::SetDirty(bool push, int /*valIdx*/)
{
  ISwitchControlBase::SetDirty(push);
  if (const IParam* pParam = GetParam(0))
    pParam->GetDisplay(pParam->Value(), false, mValueString);
}

IVToggleControl::IVToggleControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 const char* offText, const char* onText)
: IVSwitchControl(bounds, paramIdx, label, style, true)
, mOffText(offText)
, mOnText(onText)
{}

IVToggleControl::IVToggleControl(const IRECT& bounds, IActionFunction action, const char* label, const IVStyle& style,
                                 const char* offText, const char* onText, bool initialState)
: IVSwitchControl(bounds, std::move(action), label, style, 2, true)
, mOffText(offText)
, mOnText(onText)
{
  SetValue(initialState ? 1. : 0.);
}

void IVToggleControl::DrawWidget(IGraphics& g)
{
  DrawPressableShape(g, mWidgetShape, mWidgetBounds, GetValue(0) > 0.5, mMouseIsOver, IsDisabled());
}

void IVToggleControl::DrawValue(IGraphics& g, bool mouseOver)
{
  if (mouseOver)
    g.FillRect(GetColor(kHL), mValueBounds, &mBlend);
  const WDL_String& text = GetValue(0) > 0.5 ? mOnText : mOffText;
  if (text.GetLength() > 0)
    g.DrawText(mStyle.valueText, text.Get(), mValueBounds, &mBlend);
}

} // namespace igraphics
} // namespace iplug
