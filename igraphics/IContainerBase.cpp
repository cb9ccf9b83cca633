#include "igraphics/IContainerBase.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IContainerBase::IContainerBase(const IRECT& bounds, IContainerFunction attachFunc, IContainerFunction resizeFunc)
: IControl(bounds)
, mAttachFunc(std::move(attachFunc))
, mResizeFunc(std::move(resizeFunc))
{
  mIgnoreMouse = true;
}

void IContainerBase::OnAttached()
{
  if (mAttachFunc)
    mAttachFunc(this, mRect);
  OnResize();
}

void IContainerBase::OnResize()
{
  if (mResizeFunc && !mChildren.empty())
    mResizeFunc(this, mRect);
}

void IContainerBase::Hide(bool hide)
{
  for (IControl* pChild : mChildren)
    pChild->Hide(hide);
  IControl::Hide(hide);
}

void IContainerBase::SetDisabled(bool disable)
{
  for (IControl* pChild : mChildren)
    pChild->SetDisabled(disable);
  IControl::SetDisabled(disable);
}

IControl* IContainerBase::AddChildControl(IControl* pChild, int ctrlTag, const char* group)
{
  if (!pChild)
    return nullptr;
  IGraphics* pGraphics = GetUI();
  if (!pGraphics)
  {
    delete pChild;
    return nullptr;
  }

  pChild->SetParent(this);
  IControl* pAttached = pGraphics->AttachControl(pChild, ctrlTag, group && *group ? group : GetGroup());
  if (!pAttached)
    return nullptr;
  mChildren.push_back(pAttached);

  // A child joining a hidden or disabled container would otherwise show, or take the mouse,
  // while its container does not.
  if (mHide)
    pAttached->Hide(true);
  if (mDisabled)
    pAttached->SetDisabled(true);
  return pAttached;
}

void IContainerBase::OnChildRemoved(const IControl* pChild)
{
  mChildren.erase(std::remove(mChildren.begin(), mChildren.end(), pChild), mChildren.end());
}

void IContainerBase::ForAllChildren(const std::function<void(int childIdx, IControl* pChild)>& func)
{
  for (int i = 0; i < NChildren(); ++i)
    func(i, mChildren[i]);
}

IPanelControl::IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame,
                             IContainerFunction attachFunc, IContainerFunction resizeFunc)
: IContainerBase(bounds, std::move(attachFunc), std::move(resizeFunc))
, mPattern(pattern)
, mDrawFrame(drawFrame)
{}

void IPanelControl::Draw(IGraphics& g)
{
  g.PathClear();
  g.PathRect(mRect);
  g.PathFill(mPattern, IFillOptions(), &mBlend);
  if (mDrawFrame)
    g.DrawRect(COLOR_LIGHT_GRAY, mRect, &mBlend, 1.f);
}

} // namespace igraphics
} // namespace iplug
