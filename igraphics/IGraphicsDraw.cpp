// The drawing operations that IGraphics builds from the back end's path primitives.
#include "igraphics/IGraphics.h"

#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/IPattern.h"
#include "utility/MathConstants.h"

#include <nanosvg/nanosvg.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace iplug
{
namespace igraphics
{

namespace
{

using brimvale::utility::kPiFloat;

IStrokeOptions DefaultStroke()
{
  return IStrokeOptions();
}

} // namespace

// ---- Stroked and filled shapes --------------------------------------------------------------

void IGraphics::DrawPoint(const IColor& color, float x, float y, const IBlend* pBlend)
{
  FillRect(color, IRECT(x, y, x + 1.f, y + 1.f), pBlend);
}

void IGraphics::DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                         float thickness)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                             const IBlend* pBlend, float thickness)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathRect(bounds);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend,
                              float thickness)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                              const IBlend* pBlend, float thickness)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBR, cRBL);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawArc(const IColor& color, float cx, float cy, float r, float a1, float a2, const IBlend* pBlend,
                        float thickness)
{
  PathClear();
  PathArc(cx, cy, r, a1, a2);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathEllipse(bounds);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawEllipse(const IColor& color, float x, float y, float r1, float r2, float angle,
                            const IBlend* pBlend, float thickness)
{
  PathClear();
  PathEllipse(x, y, r1, r2, angle);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend,
                                  float thickness)
{
  PathClear();
  PathConvexPolygon(x, y, nPoints);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                             const IBlend* pBlend)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend)
{
  PathClear();
  PathRect(bounds);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                              const IBlend* pBlend)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBR, cRBL);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend)
{
  PathClear();
  PathEllipse(bounds);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillEllipse(const IColor& color, float x, float y, float r1, float r2, float angle,
                            const IBlend* pBlend)
{
  PathClear();
  PathEllipse(x, y, r1, r2, angle);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillArc(const IColor& color, float cx, float cy, float r, float a1, float a2, const IBlend* pBlend)
{
  PathClear();
  PathMoveTo(cx, cy);
  PathArc(cx, cy, r, a1, a2);
  PathClose();
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend)
{
  PathClear();
  PathConvexPolygon(x, y, nPoints);
  PathFill(color, IFillOptions(), pBlend);
}

// ---- Paths ----------------------------------------------------------------------------------

void IGraphics::PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3)
{
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathLineTo(x3, y3);
  PathClose();
}

void IGraphics::PathRect(const IRECT& bounds)
{
  PathMoveTo(bounds.L, bounds.T);
  PathLineTo(bounds.R, bounds.T);
  PathLineTo(bounds.R, bounds.B);
  PathLineTo(bounds.L, bounds.B);
  PathClose();
}

void IGraphics::PathRoundRect(const IRECT& bounds, float cornerRadius)
{
  PathRoundRect(bounds, cornerRadius, cornerRadius, cornerRadius, cornerRadius);
}

void IGraphics::PathRoundRect(const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL)
{
  if (!(cRTL > 0.f) && !(cRTR > 0.f) && !(cRBR > 0.f) && !(cRBL > 0.f))
  {
    PathRect(bounds);
    return;
  }
  const IRECT& r = bounds;
  PathMoveTo(r.L, r.T + cRTL);
  PathArc(r.L + cRTL, r.T + cRTL, cRTL, 270.f, 360.f);
  PathArc(r.R - cRTR, r.T + cRTR, cRTR, 0.f, 90.f);
  PathArc(r.R - cRBR, r.B - cRBR, cRBR, 90.f, 180.f);
  PathArc(r.L + cRBL, r.B - cRBL, cRBL, 180.f, 270.f);
  PathClose();
}

void IGraphics::PathCircle(float cx, float cy, float r)
{
  PathMoveTo(cx, cy - r);
  PathArc(cx, cy, r, 0.f, 360.f);
  PathClose();
}

void IGraphics::PathEllipse(const IRECT& bounds)
{
  PathEllipse(bounds.MW(), bounds.MH(), bounds.W() / 2.f, bounds.H() / 2.f);
}

void IGraphics::PathEllipse(float x, float y, float r1, float r2, float angle)
{
  PathTransformSave();
  if (r1 > 0.f && r2 > 0.f)
  {
    PathTransformTranslate(x, y);
    PathTransformRotate(angle);
    PathTransformScale(r1, r2);
    PathMoveTo(0.f, -1.f);
    PathArc(0.f, 0.f, 1.f, 0.f, 360.f);
    PathClose();
  }
  // The stroke that follows uses the restored transform, so the line width stays even.
  PathTransformRestore();
}

void IGraphics::PathConvexPolygon(float* x, float* y, int nPoints)
{
  if (!x || !y || nPoints < 1)
    return;
  PathMoveTo(x[0], y[0]);
  for (int i = 1; i < nPoints; ++i)
    PathLineTo(x[i], y[i]);
  PathClose();
}

void IGraphics::PathRadialLine(float cx, float cy, float angle, float rMin, float rMax)
{
  const float a = (angle - 90.f) / 180.f * kPiFloat;
  const float c = std::cos(a);
  const float s = std::sin(a);
  PathMoveTo(cx + rMin * c, cy + rMin * s);
  PathLineTo(cx + rMax * c, cy + rMax * s);
}

// ---- Lines ----------------------------------------------------------------------------------

void IGraphics::DrawHorizontalLine(const IColor& color, const IRECT& r, float y, const IBlend* pBlend, float thickness)
{
  const float yi = r.B - r.H() * y;
  DrawLine(color, r.L, yi, r.R, yi, pBlend, thickness);
}

void IGraphics::DrawVerticalLine(const IColor& color, const IRECT& r, float x, const IBlend* pBlend, float thickness)
{
  const float xi = r.L + r.W() * x;
  DrawLine(color, xi, r.T, xi, r.B, pBlend, thickness);
}

void IGraphics::DrawHorizontalLine(const IColor& color, float yi, float xLo, float xHi, const IBlend* pBlend,
                                   float thickness)
{
  DrawLine(color, xLo, yi, xHi, yi, pBlend, thickness);
}

void IGraphics::DrawVerticalLine(const IColor& color, float xi, float yLo, float yHi, const IBlend* pBlend,
                                 float thickness)
{
  DrawLine(color, xi, yLo, xi, yHi, pBlend, thickness);
}

void IGraphics::DrawLineAcross(const IColor& color, const IRECT& r, EDirection dir, float pos, const IBlend* pBlend,
                               float thickness)
{
  pos = std::clamp(pos, 0.f, 1.f);
  if (dir == EDirection::Horizontal)
  {
    const float y = r.B - r.H() * pos;
    DrawLine(color, r.L, y, r.R, y, pBlend, thickness);
  }
  else
  {
    const float x = r.L + static_cast<int>(r.W() * pos);
    DrawLine(color, x, r.T, x, r.B, pBlend, thickness);
  }
}

void IGraphics::DrawRadialLine(const IColor& color, float cx, float cy, float angle, float rMin, float rMax,
                               const IBlend* pBlend, float thickness)
{
  PathClear();
  PathRadialLine(cx, cy, angle, rMin, rMax);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

// ---- Grid and data --------------------------------------------------------------------------

void IGraphics::DrawGrid(const IColor& color, const IRECT& bounds, float gridSizeH, float gridSizeV,
                         const IBlend* pBlend, float thickness)
{
  PathClear();
  if (gridSizeH > 1.f)
    for (float x = bounds.L + gridSizeH; x < bounds.R; x += gridSizeH)
    {
      PathMoveTo(x, bounds.T);
      PathLineTo(x, bounds.B);
    }
  if (gridSizeV > 1.f)
    for (float y = bounds.T + gridSizeV; y < bounds.B; y += gridSizeV)
    {
      PathMoveTo(bounds.L, y);
      PathLineTo(bounds.R, y);
    }
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

void IGraphics::DrawData(const IColor& color, const IRECT& bounds, float* normYPoints, int nPoints, float* normXPoints,
                         const IBlend* pBlend, float thickness, const IColor* pFillColor)
{
  if (nPoints <= 0 || !normYPoints)
    return;
  PathClear();
  PathMoveTo(bounds.L, bounds.B - bounds.H() * normYPoints[0]);
  for (int i = 1; i < nPoints; ++i)
  {
    const float x = normXPoints ? bounds.L + bounds.W() * normXPoints[i]
                                : bounds.L + i * bounds.W() / static_cast<float>(nPoints - 1);
    PathLineTo(x, bounds.B - bounds.H() * normYPoints[i]);
  }
  if (pFillColor)
    PathFill(*pFillColor, IFillOptions(true), pBlend);
  PathStroke(color, thickness, DefaultStroke(), pBlend);
}

// ---- Text -----------------------------------------------------------------------------------

void IGraphics::DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  if (!str || !*str)
    return;
  DoDrawText(text, str, bounds, pBlend);
}

void IGraphics::DrawText(const IText& text, const char* str, float x, float y, const IBlend* pBlend)
{
  DrawText(text, str, IRECT(x, y, x, y), pBlend);
}

float IGraphics::MeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!str || !*str)
    return 0.f;
  return DoMeasureText(text, str, bounds);
}

void IGraphics::DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  DrawText(text, str, bounds, pBlend);
}

void IGraphics::CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx, double& ty) const
{
  if (text.mAngle == 0.f)
    return;
  const double a = text.mAngle / 180.0 * kPiFloat;
  const double c = std::cos(a);
  const double s = std::sin(a);
  const double xs[4] = {rect.L, rect.R, rect.R, rect.L};
  const double ys[4] = {rect.T, rect.T, rect.B, rect.B};
  double l = 0, t = 0, r = 0, b = 0;
  for (int i = 0; i < 4; ++i)
  {
    const double x = xs[i] * c - ys[i] * s;
    const double y = xs[i] * s + ys[i] * c;
    l = i ? std::min(l, x) : x;
    r = i ? std::max(r, x) : x;
    t = i ? std::min(t, y) : y;
    b = i ? std::max(b, y) : y;
  }
  rect = IRECT(float(l), float(t), float(r), float(b));

  switch (text.mAlign)
  {
  case kAlignNear: tx = bounds.L - rect.L; break;
  case kAlignCenter: tx = bounds.MW() - rect.MW(); break;
  case kAlignFar: tx = bounds.R - rect.R; break;
  default: break;
  }
  switch (text.mVAlign)
  {
  case kVAlignTop: ty = bounds.T - rect.T; break;
  case kVAlignMiddle: ty = bounds.MH() - rect.MH(); break;
  case kVAlignBottom: ty = bounds.B - rect.B; break;
  default: break;
  }
}

void IGraphics::DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const
{
  double tx = 0.0, ty = 0.0;
  CalculateTextRotation(text, bounds, rect, tx, ty);
  rect = rect.GetTranslated(float(tx), float(ty));
}

void IGraphics::DrawBitmapedText(const IBitmap& bitmap, const IRECT& bounds, IText& text, IBlend* pBlend,
                                 const char* str, bool vCenter, bool multiline, int charWidth, int charHeight,
                                 int charOffset)
{
  if (!str || !*str || charWidth <= 0 || charHeight <= 0)
    return;
  const int len = static_cast<int>(std::strlen(str));
  const float textWidth = static_cast<float>(charWidth * len);

  float y = vCenter ? bounds.T + (bounds.H() - charHeight) / 2.f : bounds.T;
  float x = bounds.L;
  if (text.mAlign == kAlignFar)
    x = bounds.R - textWidth;
  else if (text.mAlign == kAlignCenter)
    x = bounds.L + (bounds.W() - textWidth) / 2.f;

  const int perLine = static_cast<int>(bounds.W() / charWidth);
  int nLines = 1, charsPerLine = multiline ? len : std::min(len, perLine);
  if (multiline && bounds.W() < textWidth)
  {
    charsPerLine = perLine;
    nLines = static_cast<int>(textWidth / bounds.W()) + 1;
  }

  for (int line = 0, idx = 0; line < nLines && idx < len; ++line, y += charHeight)
    for (int i = 0; i < charsPerLine && idx < len; ++i, ++idx)
    {
      const int code = static_cast<unsigned char>(str[idx]);
      const int frame = code < 33 ? 1 : std::min(code - 31, bitmap.N());
      const float cx = x + i * (charWidth + charOffset);
      DrawBitmap(bitmap, IRECT(cx, y, cx + charWidth, y + charHeight), frame, pBlend);
    }
}

// ---- Bitmaps and SVG ------------------------------------------------------------------------

void IGraphics::DrawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame, const IBlend* pBlend)
{
  const int n = std::max(bitmap.N(), 1);
  frame = std::clamp(frame, 1, n);
  int srcX = 0, srcY = 0;
  if (frame > 1)
  {
    if (bitmap.GetFramesAreHorizontal())
      srcX = (frame - 1) * bitmap.W() / n;
    else
      srcY = (frame - 1) * bitmap.H() / n;
  }
  DrawBitmap(bitmap, bounds, srcX, srcY, pBlend);
}

void IGraphics::DrawFittedBitmap(const IBitmap& bitmap, const IRECT& bounds, const IBlend* pBlend)
{
  if (bitmap.W() <= 0 || bitmap.H() <= 0)
    return;
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(bounds.W() / bitmap.W(), bounds.H() / bitmap.H());
  DrawBitmap(bitmap, IRECT(0.f, 0.f, float(bitmap.W()), float(bitmap.H())), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawRotatedBitmap(const IBitmap& bitmap, float destCtrX, float destCtrY, double angle,
                                  const IBlend* pBlend)
{
  PathTransformSave();
  PathTransformTranslate(destCtrX, destCtrY);
  PathTransformRotate(static_cast<float>(angle));
  const float w = float(bitmap.W()), h = float(bitmap.H());
  DrawBitmap(bitmap, IRECT(-w / 2.f, -h / 2.f, w / 2.f, h / 2.f), 0, 0, pBlend);
  PathTransformRestore();
}

} // namespace igraphics
} // namespace iplug
