// Collecting dirty controls and drawing a frame over the regions they cover.
#include "igraphics/IGraphics.h"

#include <chrono>

#include "igraphics/IContainerBase.h"
#include "igraphics/IFPSDisplayControl.h"
#include "igraphics/IRECTList.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// The extra margin lets one-pixel outlines on a control's edge be repainted with it.
constexpr float kDirtyPadding = 0.75f;

// Seconds on a steady clock that every editor of the process shares, counted from its first use.
double SecondsSinceStart()
{
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point sStart = Clock::now();
  return std::chrono::duration<double>(Clock::now() - sStart).count();
}

} // namespace

bool IGraphics::IsDirty(IRECTList& rects)
{
  if (mDisplayTickFunc)
    mDisplayTickFunc();

  ForAllControls(&IControl::Animate);

  bool dirty = false;
  ForAllControlsFunc([&](IControl* pControl) {
    if (!pControl->IsDirty())
      return;
    IRECT r = pControl->GetRECT().GetPadded(kDirtyPadding);
    // A child never repaints beyond its container.
    if (const IContainerBase* pParent = pControl->GetParent())
      r.Clank(pParent->GetRECT().GetPadded(kDirtyPadding));
    rects.Add(r);
    dirty = true;
  });
  return dirty;
}

void IGraphics::Draw(IRECTList& rects)
{
  if (!rects.Size())
    return;

  const float scale = GetBackingPixelScale();
  BeginFrame();

  if (mStrict)
  {
    Draw(rects.Bounds().PixelAligned(scale), scale);
  }
  else
  {
    rects.PixelAlign(scale);
    rects.Optimize();
    for (int i = 0; i < rects.Size(); ++i)
      Draw(rects.Get(i), scale);
  }

  EndFrame();
}

void IGraphics::Draw(const IRECT& bounds, float scale)
{
  ForAllControlsFunc([&](IControl* pControl) { DrawControl(pControl, bounds, scale); });
}

void IGraphics::DrawControl(IControl* pControl, const IRECT& bounds, float scale)
{
  if (!pControl)
    return;
  // A hidden background is still drawn: everything else is drawn over it.
  if (pControl->IsHidden() && pControl != GetControl(0))
    return;

  IRECT clip = bounds.Intersect(pControl->GetRECT().GetPadded(kDirtyPadding).PixelAligned(scale));
  if (clip.W() <= 0.f || clip.H() <= 0.f)
    return;

  // Every container up the chain confines the child; one it lies wholly outside hides it.
  for (const IContainerBase* pParent = pControl->GetParent(); pParent; pParent = pParent->GetParent())
  {
    const IRECT parentRect = pParent->GetRECT().GetPadded(kDirtyPadding).PixelAligned(scale);
    if (!clip.Intersects(parentRect))
      return;
    clip.Clank(parentRect);
  }

  PrepareRegion(clip);
  pControl->Draw(*this);
  CompleteRegion(clip);
}

void IGraphics::PrepareRegion(const IRECT& r)
{
  mTransformStates.clear();
  mTransform = IMatrix();
  PathTransformSetMatrix(mTransform);
  PathClear();
  SetClipRegion(r);
  mClipRECT = r;
}

void IGraphics::BeginFrame()
{
  // Frames are timed only while someone looks at the times, so the first interval after the
  // display appears may be long.
  if (!mPerfDisplay)
    return;
  const double now = SecondsSinceStart();
  mPerfDisplay->Update(static_cast<float>(now - mPrevTimestamp));
  mPrevTimestamp = now;
}

void IGraphics::SetStrictDrawing(bool strict)
{
  mStrict = strict;
  SetAllControlsDirty();
}

} // namespace igraphics
} // namespace iplug
