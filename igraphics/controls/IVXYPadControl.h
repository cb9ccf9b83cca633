#pragma once

#include <initializer_list>

#include "igraphics/IControl.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** Two parameters on a square: value 0 is x (growing rightwards), value 1 is y (growing upwards),
    shown by a round pressable handle that follows the pointer. */
class IVXYPadControl : public IControl, public IVectorBase
{
public:
  IVXYPadControl(const IRECT& bounds, std::initializer_list<int> params, const char* label = "",
                 const IVStyle& style = DEFAULT_STYLE, float handleRadius = 10.f, bool trackClipsHandle = true,
                 bool drawCross = true);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnResize() override;
  void Draw(IGraphics& g) override;

  void DrawWidget(IGraphics& g) override;
  virtual void DrawTrack(IGraphics& g);
  virtual void DrawHandle(IGraphics& g, const IRECT& trackBounds, const IRECT& handleBounds);

protected:
  float mHandleRadius;
  bool mMouseIsDown = false;
  bool mTrackClipsHandle;
  bool mDrawCross;
};

} // namespace igraphics
} // namespace iplug
