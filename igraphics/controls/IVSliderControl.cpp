#include "igraphics/controls/IVSliderControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

IVSliderControl::IVSliderControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueIsEditable, EDirection direction, double gearing, float handleSize,
                                 float trackSize, bool handleInsideTrack, float handleXOffset, float handleYOffset)
: IVValueDragControl(label, style, valueIsEditable, false, trackSize, bounds, paramIdx, direction, gearing, handleSize)
, mHandleInsideTrack(handleInsideTrack)
, mHandleXOffset(handleXOffset)
, mHandleYOffset(handleYOffset)
{}

IVSliderControl::IVSliderControl(const IRECT& bounds, IActionFunction actionFunc, const char* label,
                                 const IVStyle& style, bool valueIsEditable, EDirection direction, double gearing,
                                 float handleSize, float trackSize, bool handleInsideTrack, float handleXOffset,
                                 float handleYOffset)
: IVSliderControl(bounds, kNoParameter, label, style, valueIsEditable, direction, gearing, handleSize, trackSize,
                  handleInsideTrack, handleXOffset, handleYOffset)
{
  SetActionFunction(std::move(actionFunc));
}

void IVSliderControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  // The handle's half size is kept free at both ends, so the handle never leaves the widget.
  const IRECT inner = mWidgetBounds.GetPadded(-mHandleSize);
  if (mDirection == EDirection::Vertical)
    mTrackBounds = IRECT(inner.MW() - mTrackSize, inner.T, inner.MW() + mTrackSize, inner.B);
  else
    mTrackBounds = IRECT(inner.L, inner.MH() - mTrackSize, inner.R, inner.MH() + mTrackSize);
  SetDirty(false);
}

void IVSliderControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mValueMouseOver);
}

void IVSliderControl::DrawWidget(IGraphics& g)
{
  const IRECT& t = mTrackBounds;
  const float v = static_cast<float>(GetValue(0));
  const bool vertical = mDirection == EDirection::Vertical;
  const IRECT filled = vertical ? IRECT(t.L, t.B - t.H() * v, t.R, t.B) : IRECT(t.L, t.T, t.L + t.W() * v, t.B);

  if (mTrackSize > 0.f)
    DrawTrack(g, filled);

  float cx = vertical ? filled.MW() : filled.R;
  float cy = vertical ? filled.T : filled.MH();
  // A shape other than the ellipse is drawn shifted away from its shadow; the centre follows it.
  if (mStyle.drawShadows && mWidgetShape != EVShape::Ellipse)
    (vertical ? cx : cy) += mStyle.shadowOffset / 2.f;

  if (mHandleSize > 0.f)
  {
    cx += mHandleXOffset;
    cy += mHandleYOffset;
    DrawHandle(g, IRECT(cx - mHandleSize, cy - mHandleSize, cx + mHandleSize, cy + mHandleSize));
  }
}

void IVSliderControl::DrawTrack(IGraphics& g, const IRECT& filledArea)
{
  // Inside the track the handle needs the track to reach under it at both ends.
  const float e = mHandleInsideTrack ? mHandleSize : 0.f;
  IRECT track = mTrackBounds;
  IRECT filled = filledArea;
  if (mDirection == EDirection::Vertical)
  {
    track = IRECT(track.L, track.T - e, track.R, track.B + e);
    filled = IRECT(filled.L, filled.T - e, filled.R, filled.B + e);
  }
  else
  {
    track = IRECT(track.L - e, track.T, track.R + e, track.B);
    filled = IRECT(filled.L - e, filled.T, filled.R + e, filled.B);
  }

  const float radius = std::min(track.W(), track.H()) / 2.f * mStyle.roundness;
  g.FillRoundRect(GetColor(kSH), track, radius, &mBlend);
  g.FillRoundRect(GetColor(kX1), filled, radius, &mBlend);
  if (mStyle.drawFrame)
    g.DrawRoundRect(GetColor(kFR), track, radius, &mBlend, mStyle.frameThickness);
}

void IVSliderControl::DrawHandle(IGraphics& g, const IRECT& bounds)
{
  DrawPressableShape(g, mWidgetShape, bounds, mMouseDown, mMouseIsOver, IsDisabled());
}

} // namespace igraphics
} // namespace iplug
