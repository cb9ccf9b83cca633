#pragma once

#include "igraphics/IControl.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

// A vector control that runs its action on every press and counts the style changes it is told of.
class VectorTestControl : public IControl, public IVectorBase
{
public:
  explicit VectorTestControl(const IRECT& bounds, IActionFunction action = nullptr)
  : IControl(bounds, kNoParameter, std::move(action))
  , IVectorBase(DEFAULT_STYLE)
  {
    AttachIControl(this, "");
  }

  void Draw(IGraphics&) override {}
  void OnMouseDown(float, float, const IMouseMod&) override { SetDirty(true); }
  void OnStyleChanged() override { ++mStyleChanges; }

  int mStyleChanges = 0;
};

} // namespace igraphics
} // namespace iplug
