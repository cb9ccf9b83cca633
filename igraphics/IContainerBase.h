#pragma once

#include <functional>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/IPattern.h"

namespace iplug
{
namespace igraphics
{

class IContainerBase;

/** Builds or lays out a container's children within the given bounds. */
using IContainerFunction = std::function<void(IContainerBase* pContainer, const IRECT& bounds)>;

/** A control that groups child controls. The surface owns the children; the container only lists
    them, so destroying it leaves them alone. */
class IContainerBase : public IControl
{
public:
  IContainerBase(const IRECT& bounds, IContainerFunction attachFunc = nullptr, IContainerFunction resizeFunc = nullptr);

  void OnAttached() override;
  void OnResize() override;
  void Hide(bool hide) override;
  void SetDisabled(bool disable) override;

  /** Attaches the child to the container's surface (in the container's group unless another is
      named) and lists it. Returns the child, or null when the surface refused it: the child is then
      deleted, as the surface deletes every control it refuses. */
  IControl* AddChildControl(IControl* pChild, int ctrlTag = kNoTag, const char* group = "");
  void ForAllChildren(const std::function<void(int childIdx, IControl* pChild)>& func);

  /** The surface removed the child: it is no longer listed. */
  void OnChildRemoved(const IControl* pChild);

  int NChildren() const { return static_cast<int>(mChildren.size()); }
  IControl* GetChild(int idx) const { return mChildren[idx]; }

protected:
  IContainerFunction mAttachFunc;
  IContainerFunction mResizeFunc;
  std::vector<IControl*> mChildren;
};

/** A container that paints its bounds with a colour or a gradient, optionally framed. */
class IPanelControl : public IContainerBase
{
public:
  IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame = false,
                IContainerFunction attachFunc = nullptr, IContainerFunction resizeFunc = nullptr);

  void Draw(IGraphics& g) override;

protected:
  IPattern mPattern;
  bool mDrawFrame;
};

} // namespace igraphics
} // namespace iplug
