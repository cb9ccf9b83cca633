// Paths, paints, bitmaps and text of the NanoVG back end.
#include "igraphics/drawing/IGraphicsNanoVG.h"

#include "igraphics/drawing/NanoVGRenderer.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace iplug
{
namespace igraphics
{

namespace
{

using brimvale::utility::kPiFloat;
// Dashes finer than this are far below a pixel on any screen; such a line is not drawn.
constexpr float kMaxDashes = 1e6f;

float Weight(const IBlend* pBlend)
{
  return pBlend ? pBlend->mWeight : 1.f;
}

NVGcolor NanoVGColor(const IColor& color, const IBlend* pBlend = nullptr)
{
  NVGcolor c;
  c.r = color.R / 255.f;
  c.g = color.G / 255.f;
  c.b = color.B / 255.f;
  c.a = (color.A / 255.f) * Weight(pBlend);
  return c;
}

void NanoVGSetBlendMode(NVGcontext* pContext, const IBlend* pBlend)
{
  if (!pBlend)
  {
    nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OVER);
    return;
  }
  switch (pBlend->mMethod)
  {
  case EBlend::SrcIn: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_IN); break;
  case EBlend::SrcOut: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OUT); break;
  case EBlend::SrcAtop: nvgGlobalCompositeOperation(pContext, NVG_ATOP); break;
  case EBlend::DstOver: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_OVER); break;
  case EBlend::DstIn: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_IN); break;
  case EBlend::DstOut: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_OUT); break;
  case EBlend::DstAtop: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_ATOP); break;
  case EBlend::Add: nvgGlobalCompositeBlendFunc(pContext, NVG_SRC_ALPHA, NVG_DST_ALPHA); break;
  case EBlend::XOR: nvgGlobalCompositeOperation(pContext, NVG_XOR); break;
  case EBlend::Default:
  default: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OVER); break;
  }
}

NVGpaint NanoVGPaint(NVGcontext* pContext, const IPattern& pattern, const IBlend* pBlend)
{
  const int last = std::max(pattern.NStops() - 1, 0);
  const NVGcolor inner = NanoVGColor(pattern.GetStop(0).mColor, pBlend);
  const NVGcolor outer = NanoVGColor(pattern.GetStop(last).mColor, pBlend);
  // The pattern maps editor space into gradient space; its inverse places the gradient.
  const IMatrix inverse = pattern.mTransform.Inverted();
  double sx = 0, sy = 0;
  inverse.TransformPoint(sx, sy);

  if (pattern.mType == EPatternType::Radial)
  {
    const float outerRadius = static_cast<float>(inverse.mXX);
    const float innerRadius = pattern.GetStop(0).mOffset * outerRadius;
    return nvgRadialGradient(pContext, float(sx), float(sy), innerRadius, outerRadius, inner, outer);
  }
  double ex = 0, ey = 1;
  inverse.TransformPoint(ex, ey);
  return nvgLinearGradient(pContext, float(sx), float(sy), float(ex), float(ey), inner, outer);
}

/** Where text of this style is anchored in r, and NanoVG's alignment flags for it. */
int TextAnchor(const IText& text, const IRECT& r, double& x, double& y)
{
  int align = 0;
  switch (text.mAlign)
  {
  case kAlignNear:
    x = r.L;
    align = NVG_ALIGN_LEFT;
    break;
  case kAlignCenter:
    x = r.MW();
    align = NVG_ALIGN_CENTER;
    break;
  case kAlignFar:
    x = r.R;
    align = NVG_ALIGN_RIGHT;
    break;
  default: x = r.L; break;
  }
  switch (text.mVAlign)
  {
  case kVAlignTop:
    y = r.T;
    align |= NVG_ALIGN_TOP;
    break;
  case kVAlignMiddle:
    y = r.MH();
    align |= NVG_ALIGN_MIDDLE;
    break;
  case kVAlignBottom:
    y = r.B;
    align |= NVG_ALIGN_BOTTOM;
    break;
  default: y = r.T; break;
  }
  return align;
}

} // namespace

void IGraphicsNanoVG::PathClear()
{
  nvgBeginPath(mNanoContext);
}

void IGraphicsNanoVG::PathClose()
{
  nvgClosePath(mNanoContext);
}

void IGraphicsNanoVG::PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding)
{
  nvgArc(mNanoContext, cx, cy, r, (a1 - 90.f) / 180.f * kPiFloat, (a2 - 90.f) / 180.f * kPiFloat,
         winding == EWinding::CW ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::PathMoveTo(float x, float y)
{
  nvgMoveTo(mNanoContext, x, y);
}

void IGraphicsNanoVG::PathLineTo(float x, float y)
{
  nvgLineTo(mNanoContext, x, y);
}

void IGraphicsNanoVG::PathSetWinding(bool clockwise)
{
  nvgPathWinding(mNanoContext, clockwise ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  nvgBezierTo(mNanoContext, c1x, c1y, c2x, c2y, x2, y2);
}

void IGraphicsNanoVG::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  nvgQuadTo(mNanoContext, cx, cy, x2, y2);
}

void IGraphicsNanoVG::PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* pBlend)
{
  if (options.mFillRule == EFillRule::Winding)
    nvgPathWinding(mNanoContext, NVG_CCW);
  else if (options.mFillRule == EFillRule::EvenOdd)
    nvgPathWinding(mNanoContext, NVG_CW);

  if (pattern.mType == EPatternType::Solid)
    nvgFillColor(mNanoContext, NanoVGColor(pattern.GetStop(0).mColor, pBlend));
  else
    nvgFillPaint(mNanoContext, NanoVGPaint(mNanoContext, pattern, pBlend));

  NanoVGSetBlendMode(mNanoContext, pBlend);
  nvgFill(mNanoContext);
  nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
  if (!options.mPreserve)
    nvgBeginPath(mNanoContext);
}

void IGraphicsNanoVG::PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                                 const IBlend* pBlend)
{
  switch (options.mCapOption)
  {
  case ELineCap::Butt: nvgLineCap(mNanoContext, NVG_BUTT); break;
  case ELineCap::Round: nvgLineCap(mNanoContext, NVG_ROUND); break;
  case ELineCap::Square: nvgLineCap(mNanoContext, NVG_SQUARE); break;
  default: break;
  }
  switch (options.mJoinOption)
  {
  case ELineJoin::Miter: nvgLineJoin(mNanoContext, NVG_MITER); break;
  case ELineJoin::Round: nvgLineJoin(mNanoContext, NVG_ROUND); break;
  case ELineJoin::Bevel: nvgLineJoin(mNanoContext, NVG_BEVEL); break;
  default: break;
  }
  nvgMiterLimit(mNanoContext, options.mMiterLimit);
  nvgStrokeWidth(mNanoContext, thickness);

  if (pattern.mType == EPatternType::Solid)
    nvgStrokeColor(mNanoContext, NanoVGColor(pattern.GetStop(0).mColor, pBlend));
  else
    nvgStrokePaint(mNanoContext, NanoVGPaint(mNanoContext, pattern, pBlend));

  nvgPathWinding(mNanoContext, NVG_CCW);
  NanoVGSetBlendMode(mNanoContext, pBlend);
  nvgStroke(mNanoContext);
  nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
  if (!options.mPreserve)
    nvgBeginPath(mNanoContext);
}

void IGraphicsNanoVG::PathTransformSetMatrix(const IMatrix& m)
{
  nvgResetTransform(mNanoContext);
  nvgScale(mNanoContext, GetDrawScale(), GetDrawScale());
  if (!mLayers.empty())
  {
    const IRECT& layer = mLayers.back()->Bounds();
    nvgTranslate(mNanoContext, -layer.L, -layer.T);
  }
  nvgTransform(mNanoContext, float(m.mXX), float(m.mYX), float(m.mXY), float(m.mYY), float(m.mTX), float(m.mTY));
}

void IGraphicsNanoVG::SetClipRegion(const IRECT& r)
{
  nvgScissor(mNanoContext, r.L, r.T, r.W(), r.H());
}

IColor IGraphicsNanoVG::GetPoint(int /*x*/, int /*y*/)
{
  return COLOR_BLACK;
}

void IGraphicsNanoVG::DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* pBlend)
{
  const APIBitmap* pAPIBitmap = bitmap.GetAPIBitmap();
  if (!pAPIBitmap)
    return;
  const float scale = 1.f / (pAPIBitmap->GetScale() * pAPIBitmap->GetDrawScale());
  const NVGpaint image = nvgImagePattern(mNanoContext, dest.L - srcX, dest.T - srcY, pAPIBitmap->GetWidth() * scale,
                                         pAPIBitmap->GetHeight() * scale, 0.f, pAPIBitmap->GetBitmap(), Weight(pBlend));
  nvgBeginPath(mNanoContext);
  nvgRect(mNanoContext, dest.L, dest.T, dest.W(), dest.H());
  nvgFillPaint(mNanoContext, image);
  NanoVGSetBlendMode(mNanoContext, pBlend);
  nvgFill(mNanoContext);
  nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
  nvgBeginPath(mNanoContext);
}

void IGraphicsNanoVG::DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                                     float thickness, float dashLen)
{
  // A dash length of zero or less (or a line that is not finite) has no dashes to draw.
  if (!(dashLen > 0.f))
    return;
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  const float n = std::round(std::sqrt(dx * dx + dy * dy) / dashLen);
  if (!std::isfinite(n) || n <= 1.f || n > kMaxDashes)
    return;

  PathMoveTo(x1, y1);
  for (int i = 1; i < n; i += 2)
  {
    PathLineTo(x1 + dx * (i / n), y1 + dy * (i / n));
    PathMoveTo(x1 + dx * ((i + 1) / n), y1 + dy * ((i + 1) / n));
  }
  IPattern pattern(color);
  pattern.mExtend = EPatternExtend::Pad;
  PathStroke(pattern, thickness, IStrokeOptions(), pBlend);
}

void IGraphicsNanoVG::DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness,
                                     float dashLen)
{
  if (!(dashLen > 0.f))
    return;
  const float fh = std::ceil(bounds.W() / (2.f * dashLen));
  const float fv = std::ceil(bounds.H() / (2.f * dashLen));
  if (!(fh <= kMaxDashes) || !(fv <= kMaxDashes))
    return;
  const int nh = static_cast<int>(fh);
  const int nv = static_cast<int>(fv);
  auto clampX = [&](float x) { return std::clamp(x, bounds.L, bounds.R); };
  auto clampY = [&](float y) { return std::clamp(y, bounds.T, bounds.B); };

  float x = bounds.L, y = bounds.T;
  PathMoveTo(x, y);
  // Each edge in turn, clockwise: a dash, then a gap, clamped to the rectangle.
  const struct
  {
    int count;
    float dx, dy;
  } edges[] = {{nh, 1.f, 0.f}, {nv, 0.f, 1.f}, {nh, -1.f, 0.f}, {nv, 0.f, -1.f}};
  for (const auto& edge : edges)
    for (int i = 0; i < edge.count; ++i)
    {
      x = clampX(x + edge.dx * dashLen);
      y = clampY(y + edge.dy * dashLen);
      PathLineTo(x, y);
      x = clampX(x + edge.dx * dashLen);
      y = clampY(y + edge.dy * dashLen);
      PathMoveTo(x, y);
    }
  IPattern pattern(color);
  pattern.mExtend = EPatternExtend::Pad;
  PathStroke(pattern, thickness, IStrokeOptions(), pBlend);
}

void IGraphicsNanoVG::DrawFastDropShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop,
                                         float roundness, float blur, const IBlend* pBlend)
{
  const IRECT r = innerBounds.GetTranslated(xyDrop, xyDrop);
  const NVGpaint shadow = nvgBoxGradient(mNanoContext, r.L, r.T, r.W(), r.H(), roundness, blur,
                                         NanoVGColor(COLOR_BLACK_DROP_SHADOW, pBlend),
                                         NanoVGColor(COLOR_TRANSPARENT, nullptr));
  nvgBeginPath(mNanoContext);
  nvgRect(mNanoContext, outerBounds.L, outerBounds.T, outerBounds.W(), outerBounds.H());
  nvgFillPaint(mNanoContext, shadow);
  nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
  nvgFill(mNanoContext);
  nvgBeginPath(mNanoContext);
}

void IGraphicsNanoVG::PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, double& x, double& y) const
{
  float bounds[4] = {};
  nvgFontBlur(mNanoContext, 0.f);
  nvgFontSize(mNanoContext, text.mSize);
  nvgFontFace(mNanoContext, text.mFont);
  const int align = TextAnchor(text, r, x, y);
  nvgTextAlign(mNanoContext, align);
  nvgTextBounds(mNanoContext, float(x), float(y), str, nullptr, bounds);
  r = IRECT(bounds[0], bounds[1], bounds[2], bounds[3]);
}

float IGraphicsNanoVG::DoMeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!mNanoContext)
    return 0.f;
  const IRECT layout = bounds;
  double x = 0, y = 0;
  PrepareAndMeasureText(text, str, bounds, x, y);
  DoMeasureTextRotation(text, layout, bounds);
  return bounds.W();
}

void IGraphicsNanoVG::DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  IRECT measured = bounds;
  double x = 0, y = 0;
  PrepareAndMeasureText(text, str, measured, x, y);
  PathTransformSave();
  if (text.mAngle != 0.f)
  {
    double tx = 0, ty = 0;
    CalculateTextRotation(text, bounds, measured, tx, ty);
    PathTransformTranslate(float(tx), float(ty));
    PathTransformRotate(text.mAngle);
  }
  nvgFillColor(mNanoContext, NanoVGColor(text.mFGColor, pBlend));
  NanoVGSetBlendMode(mNanoContext, pBlend);
  nvgText(mNanoContext, float(x), float(y), str, nullptr);
  nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
  PathTransformRestore();
}

void IGraphicsNanoVG::DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  if (!str || !*str)
    return;
  nvgSave(mNanoContext);
  nvgFontSize(mNanoContext, text.mSize);
  nvgFontFace(mNanoContext, text.mFont);

  double x = 0, unused = 0;
  int align = TextAnchor(text, bounds, x, unused) & (NVG_ALIGN_LEFT | NVG_ALIGN_CENTER | NVG_ALIGN_RIGHT);
  float y0 = bounds.T, factor = 0.f;
  switch (text.mVAlign)
  {
  case kVAlignTop: align |= NVG_ALIGN_TOP; break;
  case kVAlignMiddle:
    y0 = bounds.MH();
    factor = 0.5f;
    align |= NVG_ALIGN_MIDDLE;
    break;
  case kVAlignBottom:
    y0 = bounds.B;
    factor = 1.f;
    align |= NVG_ALIGN_BOTTOM;
    break;
  default: break;
  }
  nvgTextAlign(mNanoContext, align);
  float lineHeight = 0.f;
  nvgTextMetrics(mNanoContext, nullptr, nullptr, &lineHeight);
  nvgFillColor(mNanoContext, NanoVGColor(text.mFGColor, pBlend));

  const float breakWidth = bounds.W();
  NVGtextRow rows[3];
  int lineCount = 0;
  for (const char* start = str; int n = nvgTextBreakLines(mNanoContext, start, nullptr, breakWidth, rows, 3);)
  {
    lineCount += n;
    start = rows[n - 1].next;
  }
  int line = 0;
  for (const char* start = str; int n = nvgTextBreakLines(mNanoContext, start, nullptr, breakWidth, rows, 3);)
  {
    for (int i = 0; i < n; ++i, ++line)
      nvgText(mNanoContext, float(x), y0 + line * lineHeight - lineCount * lineHeight * factor, rows[i].start,
              rows[i].end);
    start = rows[n - 1].next;
  }
  nvgRestore(mNanoContext);
}

} // namespace igraphics
} // namespace iplug
