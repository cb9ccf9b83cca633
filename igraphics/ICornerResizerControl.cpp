#include "igraphics/ICornerResizerControl.h"

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

ICornerResizerControl::ICornerResizerControl(const IRECT& graphicsBounds, float size, const IColor& color,
                                             const IColor& mouseOverColor, const IColor& dragColor)
: IControl(graphicsBounds)
, mSize(size)
, mInitialGraphicsBounds(graphicsBounds)
, mMouseOutColor(color)
, mMouseOverColor(mouseOverColor)
, mDragColor(dragColor)
{}

void ICornerResizerControl::Draw(IGraphics& g)
{
  const IColor& color = g.IsResizingInProcess() ? mDragColor : mMouseOver ? mMouseOverColor : mMouseOutColor;
  g.FillTriangle(color, mRect.L, mRect.B, mRect.R, mRect.T, mRect.R, mRect.B);
}

void ICornerResizerControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  GetUI()->StartDragResize();
}

void ICornerResizerControl::OnMouseDblClick(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  GetUI()->Resize(static_cast<int>(mInitialGraphicsBounds.W()), static_cast<int>(mInitialGraphicsBounds.H()), 1.f,
                  true);
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (!mMouseOver)
  {
    mPrevCursor = GetUI()->SetMouseCursor(ECursor::SIZENWSE);
    mMouseOver = true;
  }
  IControl::OnMouseOver(x, y, mod);
}

void ICornerResizerControl::OnMouseOut()
{
  if (mMouseOver)
  {
    GetUI()->SetMouseCursor(mPrevCursor);
    mMouseOver = false;
  }
  IControl::OnMouseOut();
}

void ICornerResizerControl::OnRescale()
{
  const IGraphics* pGraphics = GetUI();
  const float side = mSize / pGraphics->GetDrawScale();
  const float w = static_cast<float>(pGraphics->Width());
  const float h = static_cast<float>(pGraphics->Height());
  SetTargetAndDrawRECTs(IRECT(w - side, h - side, w, h));
  OnResize();
}

} // namespace igraphics
} // namespace iplug
