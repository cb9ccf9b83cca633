#pragma once

#include <initializer_list>

#include "igraphics/controls/IVTrackControlBase.h"

namespace iplug
{
namespace igraphics
{

/** Several handles on one track, one per parameter, each held between its neighbours so that the
    values stay in order. Even handles sit on one side of the track and odd ones on the other, as
    triangles pointing at it; the track is filled between neighbouring values. */
class IVRangeSliderControl : public IVTrackControlBase
{
public:
  /** onlyHandle is accepted for callers that pass it and has no effect: only a handle drags. */
  IVRangeSliderControl(const IRECT& bounds, std::initializer_list<int> params, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, EDirection direction = EDirection::Vertical,
                       bool onlyHandle = false, float handleSize = 8.f, float trackSize = 2.f);

  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void Draw(IGraphics& g) override;

  void DrawWidget(IGraphics& g) override;
  /** Draws handle chIdx in r, its bounds. */
  void DrawTrack(IGraphics& g, const IRECT& r, int chIdx) override;
  void MakeTrackRects(const IRECT& r) override;

  /** Handle i at value i; an index without a value gives an empty rectangle. */
  IRECT GetHandleBounds(int i) const;
  /** The first handle containing the point, or kNoValIdx. */
  int GetHandleForPos(float x, float y) const;
  int GetMouseOverHandle() const { return mMouseOverHandle; }

protected:
  int mMouseOverHandle = kNoValIdx;
  float mHandleSize;
  bool mMouseIsDown = false;

private:
  /** Where value v lies along the track: y for a vertical track, x for a horizontal one. */
  float PositionOf(double v) const;
};

} // namespace igraphics
} // namespace iplug
