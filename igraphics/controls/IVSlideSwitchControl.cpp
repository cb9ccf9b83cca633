#include "igraphics/controls/IVSlideSwitchControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr int kSlideDurationMs = 100;

IRECT Lerp(const IRECT& from, const IRECT& to, float t)
{
  return IRECT(from.L + (to.L - from.L) * t, from.T + (to.T - from.T) * t, from.R + (to.R - from.R) * t,
               from.B + (to.B - from.B) * t);
}

} // namespace

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                           bool valueInButton, EDirection direction)
: IVSwitchControl(bounds, paramIdx, label, style, valueInButton)
, mDirection(direction)
{
  InstallSlideAction(nullptr);
}

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, IActionFunction action, const char* label,
                                           const IVStyle& style, bool valueInButton, EDirection direction,
                                           int numStates, int initialState)
: IVSwitchControl(bounds, nullptr, label, style, numStates, valueInButton)
, mDirection(direction)
{
  // Values are normalised: state k of n lies at k / (n - 1), which keeps every state in 0..1.
  SetValue(numStates > 1 ? std::clamp(static_cast<double>(initialState) / (numStates - 1), 0., 1.) : 0.);
  InstallSlideAction(std::move(action));
}

void IVSlideSwitchControl::InstallSlideAction(IActionFunction action)
{
  SetActionFunction([this, action = std::move(action)](IControl* pCaller) {
    if (action)
      action(pCaller);
    // Replaces any animation the caller's action started: the slide is this control's feedback.
    SetAnimation([this](IControl*) { SlideHandle(); });
    StartAnimation(kSlideDurationMs);
  });
}

void IVSlideSwitchControl::SlideHandle()
{
  const double progress = GetAnimationProgress();
  if (progress > 1.)
  {
    OnEndAnimation();
    return;
  }
  mHandleBounds = Lerp(mStartHandleBounds, mEndHandleBounds, static_cast<float>(progress));
  if (mValueInWidget)
    mValueBounds = mHandleBounds;
}

IRECT IVSlideSwitchControl::GetSlot(int state) const
{
  const IRECT& w = mWidgetBounds;
  const float n = static_cast<float>(std::max(mNumStates, 1));
  const float k = static_cast<float>(state);
  if (mDirection == EDirection::Vertical)
  {
    const float h = w.H() / n;
    return IRECT(w.L, w.T + k * h, w.R, w.T + (k + 1.f) * h);
  }
  const float sw = w.W() / n;
  return IRECT(w.L + k * sw, w.T, w.L + (k + 1.f) * sw, w.B);
}

void IVSlideSwitchControl::UpdateRects()
{
  // Without a state there is no slot to step to; one slot stands in for it.
  const int n = std::max(mNumStates, 1);
  const int state = static_cast<int>((n - 1) * GetValue(0) + 0.5);
  mStartHandleBounds = mHandleBounds = GetSlot(state);
  mEndHandleBounds = GetSlot((state + 1) % n);
  if (mValueInWidget)
    mValueBounds = mHandleBounds;
}

void IVSlideSwitchControl::OnResize()
{
  IVSwitchControl::OnResize();
  UpdateRects();
}

void IVSlideSwitchControl::OnEndAnimation()
{
  UpdateRects();
  IVSwitchControl::OnEndAnimation();
}

void IVSlideSwitchControl::SetDirty(bool push, int valIdx)
{
  IVSwitchControl::SetDirty(push, valIdx);
  if (!GetAnimationFunction())
    UpdateRects();
}

void IVSlideSwitchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawWidget(g);
  DrawLabel(g);
  if (!GetAnimationFunction())
    DrawValue(g, false);
}

void IVSlideSwitchControl::DrawWidget(IGraphics& g)
{
  DrawTrack(g, mWidgetBounds);
  DrawHandle(g, mHandleBounds);
}

void IVSlideSwitchControl::DrawTrack(IGraphics& g, const IRECT& bounds)
{
  g.FillRoundRect(GetColor(kSH), bounds, GetRoundedCornerRadius(mHandleBounds), nullptr);
}

void IVSlideSwitchControl::DrawHandle(IGraphics& g, const IRECT& bounds)
{
  DrawPressableShape(g, mWidgetShape, bounds, mMouseDown, mMouseIsOver, IsDisabled());
}

} // namespace igraphics
} // namespace iplug
