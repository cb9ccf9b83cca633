#pragma once

#include "igraphics/IControlBases.h"
#include "igraphics/controls/IVValueDragControl.h"

namespace iplug
{
namespace igraphics
{

/** A linear fader drawn from vectors: a track filled up to the value, a pressable handle at the
    fill's end, a label and a value text. The track is 2 x trackSize thick and sits handleSize in
    from the widget's edges, so the handle stays inside the widget at both ends. */
class IVSliderControl : public IVValueDragControl<ISliderControlBase>
{
public:
  IVSliderControl(const IRECT& bounds, int paramIdx = kNoParameter, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = EDirection::Vertical, double gearing = 4., float handleSize = 8.f,
                  float trackSize = 2.f, bool handleInsideTrack = false, float handleXOffset = 0.f,
                  float handleYOffset = 0.f);
  IVSliderControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = EDirection::Vertical, double gearing = 4., float handleSize = 8.f,
                  float trackSize = 2.f, bool handleInsideTrack = false, float handleXOffset = 0.f,
                  float handleYOffset = 0.f);

  void OnResize() override;
  void Draw(IGraphics& g) override;

  void DrawWidget(IGraphics& g) override;
  virtual void DrawTrack(IGraphics& g, const IRECT& filledArea);
  virtual void DrawHandle(IGraphics& g, const IRECT& bounds);

  const IRECT& GetTrackBounds() const { return mTrackBounds; }

protected:
  bool mHandleInsideTrack;
  float mHandleXOffset;
  float mHandleYOffset;
};

} // namespace igraphics
} // namespace iplug
