#include "igraphics/controls/IVXYPadControl.h"

#include <algorithm>
#include <cmath>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IVXYPadControl::IVXYPadControl(const IRECT& bounds, std::initializer_list<int> params, const char* label,
                               const IVStyle& style, float handleRadius, bool trackClipsHandle, bool drawCross)
: IControl(bounds, params)
, IVectorBase(style, false, false)
, mHandleRadius(handleRadius)
, mTrackClipsHandle(trackClipsHandle)
, mDrawCross(drawCross)
{
  // Drawing and dragging use both slots; a caller that names fewer parameters gets an unlinked one.
  if (mVals.size() < 2)
    mVals.resize(2);
  mWidgetShape = EVShape::Ellipse;
  AttachIControl(this, label);
}

void IVXYPadControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  SetDirty(false);
}

void IVXYPadControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  if (mStyle.drawFrame)
    g.DrawRect(GetColor(kFR), mWidgetBounds, &mBlend, mStyle.frameThickness);
  DrawWidget(g);
}

void IVXYPadControl::DrawWidget(IGraphics& g)
{
  DrawTrack(g);
  // Unclipped, the handle keeps its whole face inside the widget at the extremes.
  const IRECT area = mTrackClipsHandle ? mWidgetBounds : mWidgetBounds.GetPadded(-mHandleRadius);
  const float cx = area.L + area.W() * static_cast<float>(GetValue(0));
  const float cy = area.B - area.H() * static_cast<float>(GetValue(1));
  DrawHandle(g, area, IRECT(cx - mHandleRadius, cy - mHandleRadius, cx + mHandleRadius, cy + mHandleRadius));
}

void IVXYPadControl::DrawTrack(IGraphics& g)
{
  if (!mDrawCross)
    return;
  g.DrawVerticalLine(GetColor(kSH), mWidgetBounds, 0.5f);
  g.DrawHorizontalLine(GetColor(kSH), mWidgetBounds, 0.5f);
}

void IVXYPadControl::DrawHandle(IGraphics& g, const IRECT& /*trackBounds*/, const IRECT& handleBounds)
{
  if (mTrackClipsHandle)
    g.PathClipRegion(mWidgetBounds.GetPadded(-mStyle.frameThickness / 2.f));
  DrawPressableShape(g, mWidgetShape, handleBounds, mMouseIsDown, mMouseIsOver, IsDisabled());
  if (mTrackClipsHandle)
    g.PathClipRegion();
}

void IVXYPadControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseIsDown = true;
  if (mStyle.hideCursor)
    if (IGraphics* pGraphics = GetUI())
      pGraphics->HideMouseCursor(true, false);
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void IVXYPadControl::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mStyle.hideCursor)
    if (IGraphics* pGraphics = GetUI())
      pGraphics->HideMouseCursor(false, true);
  mMouseIsDown = false;
  SetDirty(true);
}

void IVXYPadControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  // A pad without extent, or a position that is no number, names no point: the values stay.
  const IRECT& r = mRect;
  if (r.W() <= 0.f || r.H() <= 0.f || std::isnan(x) || std::isnan(y))
    return;
  x = std::clamp(x, r.L, r.R);
  y = std::clamp(y, r.T, r.B);
  SetValue((x - r.L) / r.W(), 0);
  SetValue(1. - (y - r.T) / r.H(), 1);
  SetDirty(true);
}

} // namespace igraphics
} // namespace iplug
