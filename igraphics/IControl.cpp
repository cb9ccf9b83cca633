#include "igraphics/IControl.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>

#include "igraphics/IGraphics.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/IPopupMenu.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

double NowMs()
{
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

IControl::AnimationClockFunc IControl::sAnimationClock = NowMs;

IControl::IControl(const IRECT& bounds, int paramIdx, IActionFunction actionFunc)
: mRect(bounds)
, mTargetRect(bounds)
, mActionFunc(std::move(actionFunc))
, mVals{{paramIdx, 0.0}}
{}

IControl::IControl(const IRECT& bounds, std::initializer_list<int> params, IActionFunction actionFunc)
: mRect(bounds)
, mTargetRect(bounds)
, mActionFunc(std::move(actionFunc))
{
  for (int paramIdx : params)
    mVals.push_back({paramIdx, 0.0});
}

IControl::IControl(const IRECT& bounds, IActionFunction actionFunc)
: IControl(bounds, kNoParameter, std::move(actionFunc))
{}

Steinberg::tresult PLUGIN_API IControl::queryInterface(const Steinberg::TUID iid, void** obj)
{
  QUERY_INTERFACE(iid, obj, Steinberg::Vst::IContextMenuTarget::iid, Steinberg::Vst::IContextMenuTarget)
  return FObject::queryInterface(iid, obj);
}

Steinberg::tresult PLUGIN_API IControl::executeMenuItem(Steinberg::int32 tag)
{
  OnContextSelection(tag);
  return Steinberg::kResultOk;
}

void IControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mod.R)
    PromptUserInput(GetValIdxForPos(x, y));
}

void IControl::OnMouseDblClick(float x, float y, const IMouseMod& /*mod*/)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

void IControl::OnMouseOver(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = true;
  if (!wasOver)
    SetDirty(false);
}

void IControl::OnMouseOut()
{
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = false;
  if (wasOver)
    SetDirty(false);
}

void IControl::OnDropMultiple(const std::vector<const char*>& paths)
{
  if (!paths.empty())
    OnDrop(paths.front());
}

bool IControl::OnGesture(const IGestureInfo& info)
{
  auto it = mGestureFuncs.find(info.type);
  if (it == mGestureFuncs.end())
    return false;
  mLastGesture = info.type;
  it->second(this, info);
  return true;
}

void IControl::OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int valIdx)
{
  if (!pSelectedMenu || valIdx < 0 || valIdx >= NVals() || GetParamIdx(valIdx) < 0 || mDisablePrompt)
    return;
  // The menu was filled from this value's parameter, so its item index converts with that same
  // parameter; an index outside the delegate's list has none and the choice is dropped.
  const IParam* pParam = GetParam(valIdx);
  if (!pParam)
    return;
  const double normalized = std::clamp(pParam->ToNormalized(pSelectedMenu->GetChosenItemIdx()), 0.0, 1.0);
  SetValueFromUserInput(normalized, valIdx);
}

void IControl::DrawPTHighlight(IGraphics& g)
{
  if (mPTisHighlighted)
    g.FillCircle(mPTHighlightColor, mTargetRect.R - 5.f, mTargetRect.T + 5.f, 2.f);
}

void IControl::SetParamIdx(int paramIdx, int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals())
    throw std::out_of_range("IControl::SetParamIdx: no such value index");
  mVals[valIdx].idx = paramIdx;
  SetDirty(false);
}

void IControl::SetValueFromDelegate(double value, int valIdx)
{
  if (mGraphics && mGraphics->ControlIsCaptured(this))
    return;
  if (GetValue(valIdx) != value)
  {
    SetValue(value, valIdx);
    SetDirty(false);
  }
}

void IControl::SetValueFromUserInput(double value, int valIdx)
{
  if (GetValue(valIdx) != value)
  {
    SetValue(value, valIdx);
    SetDirty(true, valIdx);
  }
}

void IControl::SetValueToDefault(int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;
  ForValIdx(valIdx, [this](int v) {
    if (const IParam* pParam = GetParam(v))
      SetValue(std::clamp(pParam->ToNormalized(pParam->GetDefault()), 0.0, 1.0), v);
  });
  SetDirty(true, valIdx);
}

void IControl::SetPosition(float x, float y)
{
  x = std::max(x, 0.f);
  y = std::max(y, 0.f);
  const float targetOffsetX = mTargetRect.L - mRect.L;
  const float targetOffsetY = mTargetRect.T - mRect.T;
  mRect = IRECT(x, y, x + mRect.W(), y + mRect.H());
  mMouseIsOver = false;
  OnResize();
  const float tx = x + targetOffsetX;
  const float ty = y + targetOffsetY;
  mTargetRect = IRECT(tx, ty, tx + mTargetRect.W(), ty + mTargetRect.H());
}

void IControl::SetSize(float w, float h)
{
  w = std::max(w, 0.f);
  h = std::max(h, 0.f);
  mRect = IRECT(mRect.L, mRect.T, mRect.L + w, mRect.T + h);
  mTargetRect = mRect;
  mMouseIsOver = false;
  OnResize();
}

void IControl::Hide(bool hide)
{
  mHide = hide;
  SetDirty(false);
}

void IControl::SetDisabled(bool disable)
{
  mDisabled = disable;
  mBlend.mWeight = disable ? 0.25f : 1.f;
  SetDirty(false);
}

void IControl::SetDirty(bool triggerAction, int valIdx)
{
  if (NVals() == 1)
    valIdx = 0;

  ForValIdx(valIdx, [this](int v) { SetValue(std::clamp(GetValue(v), 0.0, 1.0), v); });
  mDirty = true;

  if (!triggerAction)
    return;

  // Peers are updated per value index: asking the surface with kNoValIdx would name no value.
  ForValIdx(valIdx, [this](int v) {
    const int paramIdx = GetParamIdx(v);
    if (paramIdx < 0)
      return;
    if (mGraphics)
      mGraphics->BeforeParamEditFromUI(paramIdx);
    if (mDelegate)
      mDelegate->SendParameterValueFromUI(paramIdx, GetValue(v));
    if (mGraphics)
      mGraphics->UpdatePeers(this, v);
  });

  if (mActionFunc)
    mActionFunc(this);
}

bool IControl::IsDirty()
{
  if (mAnimationFunc)
    return true;
  return mDirty;
}

void IControl::SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx, double minClip,
                           double maxClip)
{
  x = std::clamp(x, bounds.L, bounds.R);
  y = std::clamp(y, bounds.T, bounds.B);

  // A track without length has no position along it: its value does not move.
  const float length = direction == EDirection::Vertical ? bounds.H() : bounds.W();
  if (!(length > 0.f))
    return;
  double v = direction == EDirection::Vertical ? 1.0 - (y - bounds.T) / (bounds.B - bounds.T)
                                               : (x - bounds.L) / (bounds.R - bounds.L);
  v = std::round(v * 1000.0) / 1000.0;
  v = std::min(maxClip, std::max(minClip, v));

  ForValIdx(valIdx, [this, v](int idx) { SetValue(v, idx); });
  SetDirty(true, valIdx);
}

void IControl::OnEndAnimation()
{
  mAnimationFunc = nullptr;
  SetDirty(false);
  if (mAnimationEndActionFunc)
    mAnimationEndActionFunc(this);
}

int IControl::LinkedToParam(int paramIdx) const
{
  for (int v = 0; v < NVals(); ++v)
    if (mVals[v].idx == paramIdx)
      return v;
  return kNoValIdx;
}

IParam* IControl::GetParam(int valIdx) const
{
  if (valIdx < 0 || valIdx >= NVals() || !mDelegate)
    return nullptr;
  const int paramIdx = mVals[valIdx].idx;
  if (paramIdx < 0 || paramIdx >= mDelegate->NParams())
    return nullptr;
  return mDelegate->GetParam(paramIdx);
}

double IControl::GetAnimationProgress() const
{
  if (!mAnimationFunc)
    return 0.;
  return (sAnimationClock() - mAnimationStartTime) / mAnimationDuration;
}

void IControl::StartAnimation(int durationMs)
{
  mAnimationStartTime = sAnimationClock();
  mAnimationDuration = durationMs;
}

void IControl::Animate()
{
  if (mAnimationFunc)
  {
    // A copy, so the function may clear or replace itself while it runs.
    IAnimationFunction func = mAnimationFunc;
    func(this);
  }
}

IControl* IControl::AttachGestureRecognizer(EGestureType type, IGestureFunc func)
{
  mGestureFuncs.emplace(type, std::move(func));
  if (mGraphics)
    mGraphics->AttachGestureRecognizer(type);
  return this;
}

void IControl::PromptUserInput(int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals() || GetParamIdx(valIdx) < 0 || mDisablePrompt)
    return;
  const IParam* pParam = GetParam(valIdx);
  if (!pParam)
    return;

  if (pParam->NDisplayTexts() > 0)
    PromptUserInput(mRect, valIdx);
  else
    PromptUserInput(IRECT(mRect.MW() - 20.f, mRect.MH() - 8.f, mRect.MW() + 20.f, mRect.MH() + 8.f), valIdx);

  SetDirty(false);
}

void IControl::PromptUserInput(const IRECT& bounds, int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals() || GetParamIdx(valIdx) < 0 || mDisablePrompt || !mGraphics)
    return;
  mGraphics->PromptUserInput(*this, bounds, valIdx);
}

void IControl::SetPTParameterHighlight(bool isHighlighted, int colorIdx)
{
  switch (colorIdx)
  {
  case 0: mPTHighlightColor = COLOR_RED; break;
  case 1: mPTHighlightColor = COLOR_BLUE; break;
  case 2: mPTHighlightColor = COLOR_GREEN; break;
  case 3: mPTHighlightColor = COLOR_YELLOW; break;
  default: break;
  }
  mPTisHighlighted = isHighlighted;
  SetDirty(false);
}

} // namespace igraphics
} // namespace iplug
