#include "igraphics/controls/IVRangeSliderControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IVRangeSliderControl::IVRangeSliderControl(const IRECT& bounds, std::initializer_list<int> params, const char* label,
                                           const IVStyle& style, EDirection direction, bool /*onlyHandle*/,
                                           float handleSize, float trackSize)
: IVTrackControlBase(bounds, label, style, params, 0, direction, {})
, mHandleSize(handleSize)
{
  mTrackSize = trackSize;
}

void IVRangeSliderControl::MakeTrackRects(const IRECT& r)
{
  // Every value runs along the same strip; the handles tell them apart.
  const IRECT inner = r.GetPadded(-mHandleSize);
  const IRECT strip = mDirection == EDirection::Horizontal
                        ? IRECT(inner.L, inner.MH() - mTrackSize, inner.R, inner.MH() + mTrackSize)
                        : IRECT(inner.MW() - mTrackSize, inner.T, inner.MW() + mTrackSize, inner.B);
  mTrackBounds.assign(static_cast<size_t>(NVals()), strip);
}

float IVRangeSliderControl::PositionOf(double v) const
{
  const IRECT& t = mTrackBounds.front();
  const float f = static_cast<float>(v);
  return mDirection == EDirection::Vertical ? t.B - t.H() * f : t.L + t.W() * f;
}

IRECT IVRangeSliderControl::GetHandleBounds(int i) const
{
  if (i < 0 || i >= NVals() || mTrackBounds.empty())
    return IRECT();

  const IRECT& t = mTrackBounds.front();
  const float along = PositionOf(GetValue(i));
  const float h = mHandleSize;
  const bool even = i % 2 == 0;
  if (mDirection == EDirection::Vertical)
  {
    float x = t.MW();
    if (mStyle.drawShadows && mWidgetShape != EVShape::Ellipse)
      x += mStyle.shadowOffset / 2.f;
    return even ? IRECT(x - 2.f * h, along - h, x, along + h)
                : IRECT(x + mTrackSize, along - h, x + mTrackSize + 2.f * h, along + h);
  }
  float y = t.MH();
  if (mStyle.drawShadows && mWidgetShape != EVShape::Ellipse)
    y += mStyle.shadowOffset / 2.f;
  return even ? IRECT(along - h, y + mTrackSize, along + h, y + mTrackSize + 2.f * h)
              : IRECT(along - h, y - 2.f * h, along + h, y);
}

int IVRangeSliderControl::GetHandleForPos(float x, float y) const
{
  for (int i = 0; i < NVals(); ++i)
    if (GetHandleBounds(i).Contains(x, y))
      return i;
  return kNoValIdx;
}

void IVRangeSliderControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  DrawWidget(g);
}

void IVRangeSliderControl::DrawWidget(IGraphics& g)
{
  if (mTrackBounds.empty())
    return;

  const IRECT& t = mTrackBounds.front();
  DrawTrackBackground(g, t, 0);
  for (int i = 0; i + 1 < NVals(); ++i)
  {
    const float a = PositionOf(GetValue(i));
    const float b = PositionOf(GetValue(i + 1));
    const IRECT between = mDirection == EDirection::Vertical ? IRECT(t.L, std::min(a, b), t.R, std::max(a, b))
                                                             : IRECT(std::min(a, b), t.T, std::max(a, b), t.B);
    g.FillRect(GetColor(kX1), between, &mBlend);
  }
  if (mStyle.drawFrame && mDrawTrackFrame)
    g.DrawRect(GetColor(kFR), t, &mBlend, mStyle.frameThickness);

  for (int i = 0; i < NVals(); ++i)
    DrawTrack(g, GetHandleBounds(i), i);
}

void IVRangeSliderControl::DrawTrack(IGraphics& g, const IRECT& r, int chIdx)
{
  // Each triangle points at the track from its own side.
  const bool even = chIdx % 2 == 0;
  const float angle = mDirection == EDirection::Horizontal ? (even ? 0.f : 180.f) : (even ? 90.f : 270.f);
  const bool onThisHandle = chIdx == mMouseOverHandle;
  DrawPressableTriangle(g, r, mMouseIsDown && onThisHandle, onThisHandle, angle, IsDisabled());
}

void IVRangeSliderControl::OnMouseOver(float x, float y, const IMouseMod& /*mod*/)
{
  mMouseOverHandle = GetHandleForPos(x, y);
  mMouseOverTrack = GetValIdxForPos(x, y);
  SetDirty(false);
}

void IVRangeSliderControl::OnMouseOut()
{
  mMouseOverHandle = kNoValIdx;
  mMouseOverTrack = kNoValIdx;
  SetDirty(false);
}

void IVRangeSliderControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseIsDown = true;
  // The handles may have moved since the pointer last hovered (values from the host), and a touch
  // never hovers: the handle under the press is the one to drag.
  mMouseOverHandle = GetHandleForPos(x, y);
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void IVRangeSliderControl::OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mMouseIsDown = false;
}

void IVRangeSliderControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  const int i = mMouseOverHandle;
  if (i < 0 || i >= NVals())
    return;
  // Held between the neighbours, so handles never pass each other.
  const double lo = i > 0 ? GetValue(i - 1) : 0.;
  const double hi = i + 1 < NVals() ? GetValue(i + 1) : 1.;
  SnapToMouse(x, y, mDirection, mTrackBounds.front(), i, lo, hi);
}

} // namespace igraphics
} // namespace iplug
