#include "igraphics/IImageControlBases.h"

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

/** The 1-based frame of n that shows value: the nearest step, clamped to the frames. A value that
    is not a number shows the first frame. */
int FrameForValue(double value, int n)
{
  if (n < 2)
    return 1;
  const double pos = value * (n - 1) + 0.5;
  // Compared before converting, so a huge value never reaches an int conversion.
  if (!(pos >= 1.))
    return 1;
  return pos >= n ? n : static_cast<int>(pos) + 1;
}

} // namespace

// ---- bitmap base

IBitmapBase::IBitmapBase(const IBitmap& bitmap) : mBitmap(bitmap), mBitmapName(bitmap.GetResourceName().Get())
{}

IRECT IBitmapBase::FrameBoundsAt(float x, float y, const IBitmap& bitmap)
{
  return IRECT(x, y, x + bitmap.FW(), y + bitmap.FH());
}

IRECT IBitmapBase::FrameBoundsIn(const IRECT& bounds, const IBitmap& bitmap)
{
  return bounds.GetCentredInside(static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH()));
}

IBitmap IBitmapBase::ScaledBitmap(IGraphics& g, IBitmap& bitmap)
{
  if (bitmap.GetResourceName().GetLength() == 0)
    return bitmap;
  return g.GetScaledBitmap(bitmap);
}

void IBitmapBase::RescaleBitmap()
{
  if (IGraphics* pGraphics = mControl->GetUI())
  {
    mBitmap = ScaledBitmap(*pGraphics, mBitmap);
    mBitmapName = mBitmap.GetResourceName().Get();
  }
}

void IBitmapBase::DrawBitmap(IGraphics& g)
{
  const int frame = FrameForValue(mControl->GetValue(0), mBitmap.N());
  g.DrawBitmap(mBitmap, FrameBoundsIn(mControl->GetRECT(), mBitmap), frame, &mControl->GetBlend());
}

// ---- bitmap control

IBitmapControl::IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx, EBlend blend)
: IControl(FrameBoundsAt(x, y, bitmap), paramIdx)
, IBitmapBase(bitmap)
{
  mControl = this;
  mBlend = IBlend(blend, 1.f);
}

// ---- SVG control

ISVGControl::ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer)
: IControl(bounds)
, mUseLayer(useLayer)
, mSVG(svg)
{}

void ISVGControl::Draw(IGraphics& g)
{
  if (!mUseLayer)
  {
    g.DrawSVG(mSVG, mRect, &mBlend);
    return;
  }
  if (!g.CheckLayer(mLayer))
  {
    g.StartLayer(this, mRect);
    g.DrawSVG(mSVG, mRect);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, &mBlend);
}

} // namespace igraphics
} // namespace iplug
