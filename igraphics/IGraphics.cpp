#include "igraphics/IGraphics.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "igraphics/IBubbleControl.h"
#include "igraphics/IContainerBase.h"
#include "igraphics/ICornerResizerControl.h"
#include "igraphics/IFPSDisplayControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

void RequireFunction(const IControlFunction& func)
{
  if (!func)
    throw std::bad_function_call();
}

// Made before any editor exists and destroyed when the module unloads.
StaticStorage<APIBitmap> sBitmapCache;
StaticStorage<SVGHolder> sSVGCache;

} // namespace

StaticStorage<APIBitmap>& IGraphics::BitmapCache()
{
  return sBitmapCache;
}

StaticStorage<SVGHolder>& IGraphics::SVGCache()
{
  return sSVGCache;
}

IGraphics::IGraphics(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
: mWidth(w)
, mHeight(h)
, mFPS(fps)
, mDrawScale(scale)
, mDelegate(&dlg)
{
  StaticStorage<APIBitmap>::Accessor bitmapCache(sBitmapCache);
  StaticStorage<SVGHolder>::Accessor svgCache(sSVGCache);
  bitmapCache.Retain();
  svgCache.Retain();
}

IGraphics::~IGraphics()
{
  // The platform is already gone here, so a hidden cursor is not shown again.
  mCursorHidden = false;
  RemoveAllControls();

  // The last editor to close empties both caches.
  StaticStorage<APIBitmap>::Accessor bitmapCache(sBitmapCache);
  StaticStorage<SVGHolder>::Accessor svgCache(sSVGCache);
  bitmapCache.Release();
  svgCache.Release();
}

ECursor IGraphics::SetMouseCursor(ECursor cursorType)
{
  const ECursor previous = mCursorType;
  mCursorType = cursorType;
  return previous;
}

void IGraphics::AdoptControl(IControl& control)
{
  control.SetDelegate(*mDelegate);
  control.SetGraphics(this);
  control.OnInit();
  control.OnResize();
  control.OnRescale();
}

IControl* IGraphics::AttachControl(IControl* pControl, int ctrlTag, const char* group)
{
  if (!pControl)
    return nullptr;

  // A refused control is deleted: callers hand over a new control and keep no other pointer to it.
  if (ctrlTag > kNoTag && !mCtrlTags.emplace(ctrlTag, pControl).second)
  {
    delete pControl;
    return nullptr;
  }

  AdoptControl(*pControl);
  pControl->SetGroup(group);
  if (!mControls.Add(pControl))
  {
    if (ctrlTag > kNoTag)
      mCtrlTags.erase(ctrlTag);
    delete pControl;
    return nullptr;
  }
  pControl->OnAttached();
  return pControl;
}

IControl* IGraphics::AttachBackgroundControl(IControl* pControl)
{
  if (!pControl)
    return nullptr;
  AdoptControl(*pControl);
  if (!mControls.Insert(0, pControl))
  {
    delete pControl;
    return nullptr;
  }
  return pControl;
}

void IGraphics::RemovePopupMenuControl()
{
  OnControlRemoved(mPopupControl.get());
  mPopupControl.reset();
}

void IGraphics::RemoveTextEntryControl()
{
  OnControlRemoved(mTextEntryControl.get());
  mTextEntryControl.reset();
}

IControl* IGraphics::GetControlWithTag(int ctrlTag) const
{
  auto it = mCtrlTags.find(ctrlTag);
  return it == mCtrlTags.end() ? nullptr : it->second;
}

IControl* IGraphics::GetControlWithParamIdx(int paramIdx) const
{
  for (int i = 0; i < NControls(); ++i)
  {
    IControl* pControl = GetControl(i);
    if (pControl->LinkedToParam(paramIdx) > kNoValIdx)
      return pControl;
  }
  return nullptr;
}

void IGraphics::EndCapturedGestures()
{
  for (const auto& entry : mCapturedMap)
    EndHostGestures(*entry.second);
  ReleaseMouseCapture();
}

void IGraphics::OnControlRemoved(IControl* pControl)
{
  if (!pControl)
    return;

  // A drag that loses its control would otherwise leave the host's gesture open.
  if (ControlIsCaptured(pControl))
    EndCapturedGestures();

  if (mMouseOver == pControl)
  {
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  if (mInTextEntry == pControl)
    mInTextEntry = nullptr;
  // Its menu's answer will find no control, so the gesture of the press that opened it ends here.
  // The menu may be the control's own: the drawn menu must not show it any longer.
  if (mInPopupMenu == pControl)
  {
    if (auto* pPopupMenu = static_cast<IPopupMenuControl*>(mPopupControl.get()))
      pPopupMenu->CloseAtOnce();
    EndHostGestures(*pControl);
    mInPopupMenu = nullptr;
  }

  for (auto it = mCtrlTags.begin(); it != mCtrlTags.end(); ++it)
    if (it->second == pControl)
    {
      mCtrlTags.erase(it);
      break;
    }

  // Neither a container nor its children may keep a pointer to the other once one is gone.
  if (IContainerBase* pParent = pControl->GetParent())
    pParent->OnChildRemoved(pControl);
  for (int i = 0; i < NControls(); ++i)
    if (GetControl(i)->GetParent() == pControl)
      GetControl(i)->SetParent(nullptr);
}

void IGraphics::RemoveControlWithTag(int ctrlTag)
{
  if (IControl* pControl = GetControlWithTag(ctrlTag))
    RemoveControl(pControl);
  else
    SetAllControlsDirty();
}

void IGraphics::RemoveControl(int idx)
{
  if (IControl* pControl = GetControl(idx))
  {
    OnControlRemoved(pControl);
    mControls.Delete(idx, true);
  }
  SetAllControlsDirty();
}

void IGraphics::RemoveControl(IControl* pControl)
{
  RemoveControl(GetControlIdx(pControl));
}

void IGraphics::RemoveControls(int fromIdx)
{
  for (int i = NControls() - 1; i >= std::max(fromIdx, 0); --i)
  {
    OnControlRemoved(GetControl(i));
    mControls.Delete(i, true);
  }
  SetAllControlsDirty();
}

void IGraphics::RemoveAllControls()
{
  ReleaseMouseCapture();
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
  mInTextEntry = nullptr;
  mInPopupMenu = nullptr;

  mPopupControl.reset();
  mTextEntryControl.reset();
  mCornerResizer.reset();
  mPerfDisplay.reset();
  mBubbleControls.Empty(true);
  mCtrlTags.clear();
  mControls.Empty(true);
}

void IGraphics::HideControl(int paramIdx, bool hide)
{
  ForMatchingControls(&IControl::Hide, paramIdx, hide);
}

void IGraphics::DisableControl(int paramIdx, bool disable)
{
  ForMatchingControls(&IControl::SetDisabled, paramIdx, disable);
}

void IGraphics::SetControlPosition(IControl* pControl, float x, float y)
{
  pControl->SetPosition(x, y);
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::SetControlSize(IControl* pControl, float w, float h)
{
  pControl->SetSize(w, h);
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::SetControlBounds(IControl* pControl, const IRECT& r)
{
  pControl->SetTargetAndDrawRECTs(r);
  pControl->OnResize();
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::SetAllControlsDirty()
{
  ForAllControls(&IControl::SetDirty, false, kNoValIdx);
}

void IGraphics::SetAllControlsClean()
{
  ForAllControls(&IControl::SetClean);
}

void IGraphics::AssignParamNameToolTips()
{
  ForStandardControlsFunc([](IControl* pControl) {
    if (pControl->NVals() == 0)
      return;
    if (const IParam* pParam = pControl->GetParam(0))
      pControl->SetTooltip(pParam->GetName());
  });
}

void IGraphics::UpdatePeers(IControl* pCaller, int callerValIdx)
{
  // The caller names one of its own values; anything else, or an unlinked value, has no peers.
  if (!pCaller || callerValIdx < 0 || callerValIdx >= pCaller->NVals())
    return;
  const int paramIdx = pCaller->GetParamIdx(callerValIdx);
  if (paramIdx < 0)
    return;
  const double value = pCaller->GetValue(callerValIdx);

  ForStandardControlsFunc([&](IControl* pControl) {
    if (pControl == pCaller)
      return;
    const int valIdx = pControl->LinkedToParam(paramIdx);
    if (valIdx > kNoValIdx)
      pControl->SetValueFromDelegate(value, valIdx);
  });
}

void IGraphics::ForStandardControlsFunc(IControlFunction func)
{
  RequireFunction(func);
  for (int i = 0; i < NControls(); ++i)
    func(GetControl(i));
}

void IGraphics::ForAllControlsFunc(IControlFunction func)
{
  RequireFunction(func);
  for (int i = 0; i < NControls(); ++i)
    func(GetControl(i));
  for (IControl* pSpecial : std::initializer_list<IControl*>{mPerfDisplay.get(), mCornerResizer.get(),
                                                             mTextEntryControl.get(), mPopupControl.get()})
    if (pSpecial)
      func(pSpecial);
  for (int i = 0; i < NBubbleControls(); ++i)
    func(GetBubbleControl(i));
}

void IGraphics::ForControlWithParam(int paramIdx, IControlFunction func)
{
  RequireFunction(func);
  for (int i = 0; i < NControls(); ++i)
  {
    IControl* pControl = GetControl(i);
    if (pControl->LinkedToParam(paramIdx) > kNoValIdx)
      func(pControl);
  }
}

void IGraphics::ForControlWithParam(std::initializer_list<int> params, IControlFunction func)
{
  RequireFunction(func);
  for (int i = 0; i < NControls(); ++i)
  {
    IControl* pControl = GetControl(i);
    for (int paramIdx : params)
      if (pControl->LinkedToParam(paramIdx) > kNoValIdx)
        func(pControl);
  }
}

void IGraphics::ForControlInGroup(const char* group, IControlFunction func)
{
  RequireFunction(func);
  for (int i = 0; i < NControls(); ++i)
  {
    IControl* pControl = GetControl(i);
    const char* controlGroup = pControl->GetGroup();
    if (controlGroup[0] != '\0' && group && std::strcmp(controlGroup, group) == 0)
      func(pControl);
  }
}

void IGraphics::EnableTooltips(bool enable)
{
  mEnableTooltips = enable;
  if (enable)
    mEnableMouseOver = true;
}

void IGraphics::SetScaleConstraints(float lo, float hi)
{
  mMinScale = std::min(lo, hi);
  mMaxScale = std::max(lo, hi);
}

void IGraphics::Resize(int w, int h, float scale, bool needsPlatformResize)
{
  mDelegate->ConstrainEditorResize(w, h);
  scale = std::clamp(scale, mMinScale, mMaxScale);
  if (w == mWidth && h == mHeight && scale == mDrawScale)
    return;

  // A drag cannot survive the controls being laid out anew; its host gesture ends with it.
  EndCapturedGestures();

  mDrawScale = scale;
  mWidth = w;
  mHeight = h;

  if (mCornerResizer)
    mCornerResizer->OnRescale();

  const int windowWidth = static_cast<int>(WindowWidth() * GetPlatformWindowScale());
  const int windowHeight = static_cast<int>(WindowHeight() * GetPlatformWindowScale());
  PlatformResize(mDelegate->EditorResizeFromUI(windowWidth, windowHeight, needsPlatformResize));
  ForAllControls(&IControl::OnResize);
  SetAllControlsDirty();
  DrawResize();

  if (mLayoutOnResize)
    mDelegate->LayoutUI(this);

  PostResize();
}

void IGraphics::SetScreenScale(float scale)
{
  mScreenScale = scale;
  const int windowWidth = static_cast<int>(WindowWidth() * GetPlatformWindowScale());
  const int windowHeight = static_cast<int>(WindowHeight() * GetPlatformWindowScale());
  PlatformResize(mDelegate->EditorResizeFromUI(windowWidth, windowHeight, true));
  ForAllControls(&IControl::OnRescale);
  SetAllControlsDirty();
  DrawResize();
}

void IGraphics::ReleaseMouseCapture()
{
  mCapturedMap.clear();
  if (mCursorHidden)
    HideMouseCursor(false, true);
}

bool IGraphics::ControlIsCaptured(const IControl* pControl) const
{
  for (const auto& entry : mCapturedMap)
    if (entry.second == pControl)
      return true;
  return false;
}

} // namespace igraphics
} // namespace iplug
