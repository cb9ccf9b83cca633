#include "igraphics/controls/IVTabSwitchControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, int paramIdx, const std::vector<const char*>& options,
                                       const char* label, const IVStyle& style, EVShape shape, EDirection direction)
: ISwitchControlBase(bounds, paramIdx, SplashClickActionFunc, static_cast<int>(options.size()))
, IVectorBase(style, false, false)
, mDirection(direction)
{
  InitTabs(options, label, shape);
}

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, IActionFunction action,
                                       const std::vector<const char*>& options, const char* label, const IVStyle& style,
                                       EVShape shape, EDirection direction)
: ISwitchControlBase(bounds, kNoParameter, std::move(action), static_cast<int>(options.size()))
, IVectorBase(style, false, false)
, mDirection(direction)
{
  InitTabs(options, label, shape);
}

void IVTabSwitchControl::InitTabs(const std::vector<const char*>& options, const char* label, EVShape shape)
{
  mText = mStyle.valueText;
  mWidgetShape = shape;
  AttachIControl(this, label);
  for (const char* option : options)
    mTabLabels.emplace_back(option);
}

void IVTabSwitchControl::OnInit()
{
  ISwitchControlBase::OnInit();
  const IParam* pParam = GetParam(0);
  if (!pParam)
    return;
  if (mTabLabels.empty())
    for (int state = 0; state < mNumStates; ++state)
      mTabLabels.emplace_back(pParam->GetDisplayText(pParam->GetMin() + state));
  if (mLabelString.GetLength() == 0)
    SetLabelStr(pParam->GetName());
}

void IVTabSwitchControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  mButtonBounds.clear();
  const IRECT& w = mWidgetBounds;
  const float n = static_cast<float>(mNumStates);
  for (int i = 0; i < mNumStates; ++i)
  {
    const float k = static_cast<float>(i);
    if (mDirection == EDirection::Vertical)
      mButtonBounds.emplace_back(w.L, w.T + k * w.H() / n, w.R, w.T + (k + 1.f) * w.H() / n);
    else
      mButtonBounds.emplace_back(w.L + k * w.W() / n, w.T, w.L + (k + 1.f) * w.W() / n, w.B);
  }
  SetDirty(false);
}

int IVTabSwitchControl::GetButtonForPoint(float x, float y) const
{
  for (size_t i = 0; i < mButtonBounds.size(); ++i)
    if (mButtonBounds[i].Contains(x, y))
      return static_cast<int>(i);
  return -1;
}

bool IVTabSwitchControl::IsHit(float x, float y) const
{
  return GetButtonForPoint(x, y) > -1;
}

void IVTabSwitchControl::OnMouseDown(float x, float y, const IMouseMod& /*mod*/)
{
  const int button = GetButtonForPoint(x, y);
  // A single tab has nowhere to step; dividing by its zero span would give no number at all.
  if (button > -1)
    SetValue(mNumStates > 1 ? static_cast<double>(button) / (mNumStates - 1) : 0.);
  SetDirty(true);
}

void IVTabSwitchControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mMouseOverButton = GetButtonForPoint(x, y);
  ISwitchControlBase::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVTabSwitchControl::OnMouseOut()
{
  mMouseOverButton = -1;
  ISwitchControlBase::OnMouseOut();
  SetDirty(false);
}

int IVTabSwitchControl::GetSelectedIdx() const
{
  return static_cast<int>((mNumStates - 1) * GetValue(0) + 0.5);
}

const char* IVTabSwitchControl::GetSelectedLabelStr() const
{
  const int selected = GetSelectedIdx();
  if (selected < 0 || selected >= static_cast<int>(mTabLabels.size()))
    return "";
  return mTabLabels[selected].Get();
}

void IVTabSwitchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  DrawWidget(g);
}

void IVTabSwitchControl::DrawWidget(IGraphics& g)
{
  const int selected = GetSelectedIdx();
  const int n = static_cast<int>(mButtonBounds.size());
  for (int i = 0; i < n; ++i)
  {
    ETabSegment segment = ETabSegment::Mid;
    if (i == 0)
      segment = n == 1 ? ETabSegment::End : ETabSegment::Start;
    else if (i == n - 1)
      segment = ETabSegment::End;

    DrawButton(g, mButtonBounds[i], i == selected, i == mMouseOverButton, segment, IsStateDisabled(i));
    if (i < static_cast<int>(mTabLabels.size()))
      DrawButtonText(g, mButtonBounds[i], mTabLabels[i].Get());
  }
}

void IVTabSwitchControl::DrawButton(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                    ETabSegment segment, bool disabled)
{
  const bool horizontal = mDirection == EDirection::Horizontal;
  const bool start = segment == ETabSegment::Start;
  const bool end = segment == ETabSegment::End;
  switch (mWidgetShape)
  {
  case EVShape::RoundedTop:
    if (horizontal)
      DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, start, end, false, false);
    else
      DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, false, start, false, end);
    break;
  case EVShape::RoundedAll:
    if (horizontal)
      DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, true, true, false, false);
    else
      DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, false, true, false, true);
    break;
  default: DrawPressableShape(g, mWidgetShape, bounds, pressed, mouseOver, disabled); break;
  }
}

void IVTabSwitchControl::DrawButtonText(IGraphics& g, const IRECT& bounds, const char* str)
{
  if (str && *str)
    g.DrawText(mStyle.valueText, str, bounds, &mBlend);
}

// ---- radio buttons

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, int paramIdx,
                                           std::initializer_list<const char*> options, const char* label,
                                           const IVStyle& style, EVShape shape, EDirection direction, float buttonSize)
: IVTabSwitchControl(bounds, paramIdx, options, label, style, shape, direction)
, mButtonSize(buttonSize)
, mButtonAreaWidth(3.f * buttonSize)
{
  InitRadio();
}

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, IActionFunction action,
                                           std::initializer_list<const char*> options, const char* label,
                                           const IVStyle& style, EVShape shape, EDirection direction, float buttonSize)
: IVTabSwitchControl(bounds, std::move(action), options, label, style, shape, direction)
, mButtonSize(buttonSize)
, mButtonAreaWidth(3.f * buttonSize)
{
  InitRadio();
}

void IVRadioButtonControl::InitRadio()
{
  // Labels read from the left edge of their row, beside the buttons.
  mStyle.valueText.mAlign = mText.mAlign = kAlignNear;
  mStyle.valueText.mVAlign = mText.mVAlign = kVAlignMiddle;
}

IRECT IVRadioButtonControl::ButtonArea(const IRECT& row) const
{
  return IRECT(row.L, row.T, row.L + mButtonAreaWidth, row.B);
}

void IVRadioButtonControl::DrawWidget(IGraphics& g)
{
  const int selected = GetSelectedIdx();
  const float side = std::max(1.f, mButtonSize);
  for (int i = 0; i < static_cast<int>(mButtonBounds.size()); ++i)
  {
    const IRECT& row = mButtonBounds[i];
    DrawButton(g, ButtonArea(row).GetCentredInside(side, side), i == selected, i == mMouseOverButton, ETabSegment::Mid,
               IsStateDisabled(i));
    if (i < static_cast<int>(mTabLabels.size()))
    {
      IText text = mStyle.valueText;
      text.mFGColor = GetColor(i == selected ? kPR : kX1);
      g.DrawText(text, mTabLabels[i].Get(), IRECT(row.L + mButtonAreaWidth, row.T, row.R, row.B), &mBlend);
    }
  }
}

int IVRadioButtonControl::GetButtonForPoint(float x, float y) const
{
  for (int i = 0; i < static_cast<int>(mButtonBounds.size()); ++i)
  {
    const IRECT area = mOnlyButtonsRespondToMouse ? ButtonArea(mButtonBounds[i]) : mButtonBounds[i];
    if (area.Contains(x, y))
      return i;
  }
  return -1;
}

} // namespace igraphics
} // namespace iplug
