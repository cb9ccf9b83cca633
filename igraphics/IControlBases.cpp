#include "igraphics/IControlBases.h"

#include <algorithm>
#include <cmath>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

bool HasSteppedParam(const IControl& control)
{
  const IParam* pParam = control.GetParam(0);
  return pParam && pParam->GetStepped();
}

// A zero step has no grid to move along, so such a parameter is treated like a continuous one.
const IParam* SteppedParamWithGrid(const IControl& control)
{
  const IParam* pParam = control.GetParam(0);
  return pParam && pParam->GetStepped() && pParam->GetStep() > 0. ? pParam : nullptr;
}

// Shift or Control slows the mouse down for fine adjustment.
bool WantsFineControl(const IMouseMod& mod)
{
  return mod.S || mod.C;
}

// One span of pointer movement times the gearing covers the whole 0..1 range.
double AccumulateDrag(double dragValue, float delta, float span, double gearing)
{
  // A control without extent gives no scale to drag along; dividing by it would yield NaN.
  if (span == 0.f || gearing == 0.)
    return dragValue;
  return std::clamp(dragValue + static_cast<double>(delta) / span / gearing, 0., 1.);
}

// A stepped parameter shows whole steps while the drag underneath keeps accumulating finely, so
// slow movement still reaches the next step.
double QuantisedDragValue(const IControl& control, double dragValue)
{
  const IParam* pParam = SteppedParamWithGrid(control);
  if (!pParam)
    return dragValue;
  return std::clamp(pParam->ToNormalized(pParam->FromNormalized(dragValue)), 0., 1.);
}

void ApplyRelativeDrag(IControl& control, double& dragValue, float delta, float span, double gearing,
                       const IMouseMod& mod)
{
  if (WantsFineControl(mod))
    gearing *= 10.;
  dragValue = AccumulateDrag(dragValue, delta, span, gearing);
  control.SetValue(QuantisedDragValue(control, dragValue), 0);
  control.SetDirty(true);
}

// Where an edit by the user starts: the parameter's own value. The control may be showing another
// (the plug-in can animate it without changing the parameter), and starting from that would write
// the animation into the parameter.
double EditStartValue(const IControl& control)
{
  const IParam* pParam = control.GetParam(0);
  return pParam ? pParam->GetNormalized() : control.GetValue(0);
}

// A notch moves a stepped parameter by exactly one step, however large the platform's delta.
void ApplyWheel(IControl& control, const IMouseMod& mod, float d)
{
  double value = EditStartValue(control);
  if (const IParam* pParam = SteppedParamWithGrid(control))
  {
    if (d != 0.f)
    {
      const double plain = pParam->FromNormalized(value) + (d > 0.f ? pParam->GetStep() : -pParam->GetStep());
      value = std::clamp(pParam->ToNormalized(plain), 0., 1.);
    }
  }
  else
  {
    value += d * (WantsFineControl(mod) ? 0.001 : 0.01);
  }
  control.SetValue(value, 0);
  control.SetDirty(true);
}

void HideCursor(IControl& control, bool hide)
{
  if (IGraphics* pGraphics = control.GetUI())
    pGraphics->HideMouseCursor(hide, true);
}

} // namespace

// ---- knob

IKnobControlBase::IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction, double gearing)
: IControl(bounds, paramIdx)
, mDirection(direction)
, mGearing(gearing)
{}

bool IKnobControlBase::IsFineControl(const IMouseMod& mod, bool /*wheel*/) const
{
  return WantsFineControl(mod);
}

void IKnobControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseDown = true;
  mMouseDragValue = EditStartValue(*this);
  if (mHideCursorOnDrag)
    HideCursor(*this, true);
  IControl::OnMouseDown(x, y, mod);
}

void IKnobControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mHideCursorOnDrag)
    HideCursor(*this, false);
  mMouseDown = false;
  SetDirty(false);
}

void IKnobControlBase::OnMouseDrag(float /*x*/, float /*y*/, float dX, float dY, const IMouseMod& mod)
{
  const IRECT r = GetKnobDragBounds();
  // Screen y grows downwards, so the negative span makes an upward drag increase the value.
  if (mDirection == EDirection::Vertical)
    ApplyRelativeDrag(*this, mMouseDragValue, dY, r.T - r.B, mGearing, mod);
  else
    ApplyRelativeDrag(*this, mMouseDragValue, dX, r.W(), mGearing, mod);
}

void IKnobControlBase::OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& mod, float d)
{
  ApplyWheel(*this, mod, d);
}

// ---- slider

ISliderControlBase::ISliderControlBase(const IRECT& bounds, int paramIdx, EDirection dir, double gearing,
                                       float handleSize)
: IControl(bounds, paramIdx)
, mDirection(dir)
, mHandleSize(handleSize)
, mGearing(gearing)
{}

ISliderControlBase::ISliderControlBase(const IRECT& bounds, IActionFunction action, EDirection dir, double gearing,
                                       float handleSize)
: IControl(bounds, std::move(action))
, mDirection(dir)
, mHandleSize(handleSize)
, mGearing(gearing)
{}

bool ISliderControlBase::IsFineControl(const IMouseMod& mod, bool /*wheel*/) const
{
  return WantsFineControl(mod);
}

void ISliderControlBase::OnResize()
{
  SetTargetRECT(mRect);
  mTrackBounds = mRect;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseDown = true;
  // A stepped value would jump to an arbitrary step; it only moves by dragging.
  if (!HasSteppedParam(*this))
    SnapToMouse(x, y, mDirection, mTrackBounds, kNoValIdx, 0., 1.);
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag)
    HideCursor(*this, true);
  IControl::OnMouseDown(x, y, mod);
}

void ISliderControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mHideCursorOnDrag)
    HideCursor(*this, false);
  mMouseDown = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod)
{
  // A visible pointer or a finger is followed; a hidden, locked mouse pointer moves relatively.
  const bool relative = (mod.touchID == 0 && mHideCursorOnDrag) || HasSteppedParam(*this);
  if (!relative)
  {
    SnapToMouse(x, y, mDirection, mTrackBounds, kNoValIdx, 0., 1.);
    return;
  }

  if (mDirection == EDirection::Horizontal)
    ApplyRelativeDrag(*this, mMouseDragValue, dX, mTrackBounds.R - mTrackBounds.L, mGearing, mod);
  else
    ApplyRelativeDrag(*this, mMouseDragValue, dY, mTrackBounds.T - mTrackBounds.B, mGearing, mod);
}

void ISliderControlBase::OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& mod, float d)
{
  ApplyWheel(*this, mod, d);
}

// ---- switch

ISwitchControlBase::ISwitchControlBase(const IRECT& bounds, int paramIdx, IActionFunction action, int numStates)
: IControl(bounds, paramIdx, std::move(action))
, mNumStates(numStates)
, mDisabledState(static_cast<size_t>(std::max(numStates, 0)), false)
{
  mDblAsSingleClick = true;
}

void ISwitchControlBase::OnInit()
{
  if (const IParam* pParam = GetParam(0))
  {
    mNumStates = static_cast<int>(pParam->GetMax() - pParam->GetMin()) + 1;
    // The flags must cover every state the parameter has, or the states beyond the constructor's
    // count could not be disabled.
    mDisabledState.resize(static_cast<size_t>(std::max(mNumStates, 0)), false);
  }
}

void ISwitchControlBase::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  double value = GetValue(0);
  if (mNumStates == 2)
  {
    value = value == 0. ? 1. : 0.;
  }
  else
  {
    value += 1. / (mNumStates - 1);
    // The sum of the increments may land a rounding step above 1; that still is the last state.
    if (value > std::nextafter(1., 2.))
      value = 0.;
  }
  SetValue(value, 0);
  mMouseDown = true;
  SetDirty(true);
}

void ISwitchControlBase::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mMouseDown = false;
  SetDirty(false);
}

void ISwitchControlBase::SetStateDisabled(int state, bool disabled)
{
  if (state >= 0 && state < mNumStates)
  {
    // A subclass may have raised the state count after construction.
    if (state >= static_cast<int>(mDisabledState.size()))
      mDisabledState.resize(static_cast<size_t>(mNumStates), false);
    mDisabledState[state] = disabled;
  }
  SetDirty(false);
}

void ISwitchControlBase::SetAllStatesDisabled(bool disabled)
{
  for (int state = 0; state < mNumStates; ++state)
    SetStateDisabled(state, disabled);
  SetDirty(false);
}

bool ISwitchControlBase::GetStateDisabled(int state) const
{
  return state >= 0 && state < mNumStates && state < static_cast<int>(mDisabledState.size()) && mDisabledState[state];
}

// ---- button

IButtonControlBase::IButtonControlBase(const IRECT& bounds, IActionFunction action)
: IControl(bounds, std::move(action))
{
  mDblAsSingleClick = true;
}

void IButtonControlBase::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetValue(1.);
  SetDirty(true);
}

void IButtonControlBase::OnEndAnimation()
{
  SetValue(0.);
  IControl::OnEndAnimation();
}

} // namespace igraphics
} // namespace iplug
