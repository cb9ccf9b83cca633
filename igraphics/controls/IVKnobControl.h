#pragma once

#include "igraphics/IControlBases.h"
#include "igraphics/controls/IVValueDragControl.h"

namespace iplug
{
namespace igraphics
{

/** A rotary knob drawn from vectors: an arc from the anchor to the value, a round handle, a
    pointer, a label and a value text. Angles are degrees from twelve o'clock, clockwise. */
class IVKnobControl : public IVValueDragControl<IKnobControlBase>
{
public:
  IVKnobControl(const IRECT& bounds, int paramIdx, const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                bool valueIsEditable = false, bool valueInWidget = false, float a1 = -135.f, float a2 = 135.f,
                float aAnchor = -135.f, EDirection direction = EDirection::Vertical, double gearing = 4.,
                float trackSize = 2.f);
  IVKnobControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false, bool valueInWidget = false,
                float a1 = -135.f, float a2 = 135.f, float aAnchor = -135.f,
                EDirection direction = EDirection::Vertical, double gearing = 4., float trackSize = 2.f);

  void OnResize() override;
  void Draw(IGraphics& g) override;

  IRECT GetKnobDragBounds() const override;
  void DrawWidget(IGraphics& g) override;
  virtual void DrawHandle(IGraphics& g, const IRECT& bounds);
  virtual void DrawIndicatorTrack(IGraphics& g, float angle, float cx, float cy, float radius);
  virtual void DrawPointer(IGraphics& g, float angle, float cx, float cy, float radius);

  /** The radius of the arc's centre line. */
  float GetRadius() const;
  /** The square that the arc, with its thickness, fits in. */
  IRECT GetTrackBounds() const;

protected:
  float mHandleInset = 4.f;
  float mInnerPointerFraction = 0.1f;
  float mOuterPointerFraction = 1.f;
  float mPointerThickness = 2.5f;
  float mStartAngle;
  float mEndAngle;
  float mAnchorAngle;
};

} // namespace igraphics
} // namespace iplug
