#pragma once

#include "igraphics/IControl.h"

namespace iplug
{
namespace igraphics
{

/** A triangle in the editor's bottom-right corner: dragging it resizes or rescales the editor, as
    the surface's resizer mode says; a double click restores the size it was attached at. */
class ICornerResizerControl : public IControl
{
public:
  /** size is the triangle's side on screen; graphicsBounds the editor's bounds at attach time. */
  ICornerResizerControl(const IRECT& graphicsBounds, float size, const IColor& color = COLOR_TRANSLUCENT,
                        const IColor& mouseOverColor = COLOR_BLACK, const IColor& dragColor = COLOR_BLACK);

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  /** Keeps the triangle in the corner and the same size on screen at any draw scale. */
  void OnRescale() override;

private:
  float mSize;
  bool mMouseOver = false;
  ECursor mPrevCursor = ECursor::ARROW;
  IRECT mInitialGraphicsBounds;
  IColor mMouseOutColor;
  IColor mMouseOverColor;
  IColor mDragColor;
};

} // namespace igraphics
} // namespace iplug
