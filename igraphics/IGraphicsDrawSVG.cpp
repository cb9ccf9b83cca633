// Drawing parsed SVG images through the path primitives.
#include "igraphics/IGraphics.h"

#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/IPattern.h"

#include <nanosvg/nanosvg.h>

#include <algorithm>
#include <cmath>

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr int kSVGCurveSteps = 16;
constexpr float kMinSegmentExtent = 1e-8f;

struct Point
{
  float x, y;
};

Point CubicAt(const float* p, float t)
{
  const float u = 1.f - t;
  const float a = u * u * u, b = 3.f * u * u * t, c = 3.f * u * t * t, d = t * t * t;
  return {a * p[0] + b * p[2] + c * p[4] + d * p[6], a * p[1] + b * p[3] + c * p[5] + d * p[7]};
}

/** Crossings of the ray from (x, y) towards +x with the path's Bézier segments. */
int Crossings(const NSVGpath& path, float x, float y)
{
  int crossings = 0;
  for (int i = 0; i + 3 < path.npts; i += 3)
  {
    const float* p = &path.pts[i * 2];
    const float minX = std::min({p[0], p[2], p[4], p[6]}), maxX = std::max({p[0], p[2], p[4], p[6]});
    const float minY = std::min({p[1], p[3], p[5], p[7]}), maxY = std::max({p[1], p[3], p[5], p[7]});
    if (maxX - minX < kMinSegmentExtent && maxY - minY < kMinSegmentExtent)
      continue;
    if (y < minY || y >= maxY || x > maxX)
      continue;
    Point a = CubicAt(p, 0.f);
    for (int step = 1; step <= kSVGCurveSteps; ++step)
    {
      const Point b = CubicAt(p, step / float(kSVGCurveSteps));
      if ((a.y <= y) != (b.y <= y))
      {
        const float xAt = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
        if (xAt > x)
          ++crossings;
      }
      a = b;
    }
  }
  return crossings;
}

/** Inside an odd number of the shape's other paths makes a path a hole. */
bool IsHole(const NSVGshape& shape, const NSVGpath& path)
{
  if (path.npts < 1)
    return false;
  int inside = 0;
  for (const NSVGpath* pOther = shape.paths; pOther; pOther = pOther->next)
    if (pOther != &path && Crossings(*pOther, path.pts[0], path.pts[1]) % 2)
      ++inside;
  return inside % 2 == 1;
}

IColor PackedColor(unsigned int color, int alpha)
{
  return IColor(alpha, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

IPattern GetSVGPattern(const NSVGpaint& paint, float opacity)
{
  const int alpha = std::clamp(static_cast<int>(std::lround(opacity * 255.f)), 0, 255);
  switch (paint.type)
  {
  case NSVG_PAINT_COLOR: return IPattern(PackedColor(paint.color, alpha));
  case NSVG_PAINT_LINEAR_GRADIENT:
  case NSVG_PAINT_RADIAL_GRADIENT:
  {
    const NSVGgradient& g = *paint.gradient;
    IPattern pattern(paint.type == NSVG_PAINT_LINEAR_GRADIENT ? EPatternType::Linear : EPatternType::Radial);
    pattern.mExtend = static_cast<EPatternExtend>(g.spread + 1);
    for (int i = 0; i < std::min(g.nstops, IPattern::kMaxStops); ++i)
      pattern.AddStop(PackedColor(g.stops[i].color, 255), g.stops[i].offset);
    pattern.SetTransform(IMatrix(g.xform[0], g.xform[1], g.xform[2], g.xform[3], g.xform[4], g.xform[5]));
    return pattern;
  }
  default: return IPattern(IColor(alpha, 0, 0, 0));
  }
}

void IGraphics::DrawSVG(const ISVG& svg, const IRECT& bounds, const IBlend* pBlend, const IColor* pStrokeColor,
                        const IColor* pFillColor)
{
  if (!svg.IsValid() || svg.W() <= 0.f || svg.H() <= 0.f)
    return;
  const float scale = std::min(bounds.W() / svg.W(), bounds.H() / svg.H());
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(scale);
  DoDrawSVG(svg, pBlend, pStrokeColor, pFillColor);
  PathTransformRestore();
}

void IGraphics::DrawRotatedSVG(const ISVG& svg, float destCtrX, float destCtrY, float width, float height, double angle,
                               const IBlend* pBlend)
{
  PathTransformSave();
  PathTransformTranslate(destCtrX, destCtrY);
  PathTransformRotate(static_cast<float>(angle));
  DrawSVG(svg, IRECT(-width / 2.f, -height / 2.f, width / 2.f, height / 2.f), pBlend);
  PathTransformRestore();
}

void IGraphics::DoDrawSVG(const ISVG& svg, const IBlend* pBlend, const IColor* pStrokeColor, const IColor* pFillColor)
{
  for (const NSVGshape* pShape = svg.mImage->shapes; pShape; pShape = pShape->next)
  {
    const NSVGshape& shape = *pShape;
    if (!(shape.flags & NSVG_FLAGS_VISIBLE))
      continue;

    PathClear();
    for (const NSVGpath* pPath = shape.paths; pPath; pPath = pPath->next)
    {
      if (pPath->npts < 1)
        continue;
      PathMoveTo(pPath->pts[0], pPath->pts[1]);
      for (int i = 1; i + 2 < pPath->npts; i += 3)
      {
        const float* p = &pPath->pts[i * 2];
        PathCubicBezierTo(p[0], p[1], p[2], p[3], p[4], p[5]);
      }
      if (pPath->closed)
        PathClose();
      PathSetWinding(IsHole(shape, *pPath));
    }

    const bool hasStroke = shape.stroke.type != NSVG_PAINT_NONE;
    if (shape.fill.type != NSVG_PAINT_NONE)
    {
      const IFillOptions options(hasStroke, EFillRule::Preserve);
      PathFill(pFillColor ? IPattern(*pFillColor) : GetSVGPattern(shape.fill, shape.opacity), options, pBlend);
    }
    if (hasStroke)
    {
      IStrokeOptions options;
      options.mMiterLimit = shape.miterLimit;
      options.mJoinOption = static_cast<ELineJoin>(shape.strokeLineJoin);
      options.mCapOption = static_cast<ELineCap>(shape.strokeLineCap);
      options.mDash.SetDash(shape.strokeDashArray, shape.strokeDashOffset, shape.strokeDashCount);
      PathStroke(pStrokeColor ? IPattern(*pStrokeColor) : GetSVGPattern(shape.stroke, shape.opacity), shape.strokeWidth,
                 options, pBlend);
    }
  }
}

} // namespace igraphics
} // namespace iplug
