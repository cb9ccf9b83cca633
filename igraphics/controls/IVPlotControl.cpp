#include "igraphics/controls/IVPlotControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IVPlotControl::IVPlotControl(const IRECT& bounds, std::initializer_list<Plot> plots, int numPoints, const char* label,
                             const IVStyle& style, float minValue, float maxValue, bool useLayer)
: IControl(bounds)
, IVectorBase(style, false, false)
, mPlots(plots)
, mMinValue(minValue)
, mMaxValue(maxValue)
, mUseLayer(useLayer)
, mPoints(static_cast<size_t>(std::max(numPoints, 2)))
{
  AttachIControl(this, label);
}

void IVPlotControl::AddPlotFunc(const IColor& color, const std::function<double(double)>& func)
{
  mPlots.push_back({color, func});
  // A cached picture would hide the new curve until something else redrew it.
  if (mLayer)
    mLayer->Invalidate();
  SetDirty(false);
}

void IVPlotControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, false));
  SetDirty(false);
}

IRECT IVPlotControl::GetPlotBounds() const
{
  const float cellHeight = mWidgetBounds.H() / static_cast<float>(mVerticalDivisions + 2);
  return IRECT(mWidgetBounds.L, mWidgetBounds.T + cellHeight, mWidgetBounds.R, mWidgetBounds.B - cellHeight);
}

void IVPlotControl::Draw(IGraphics& g)
{
  DrawBackground(g, mRect);
  DrawLabel(g);

  if (!mUseLayer)
  {
    DrawContent(g);
    return;
  }
  if (!g.CheckLayer(mLayer))
  {
    g.StartLayer(this, mRect);
    DrawContent(g);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, &mBlend);
}

void IVPlotControl::DrawContent(IGraphics& g)
{
  const float cellWidth = mWidgetBounds.W() / static_cast<float>(mHorizontalDivisions);
  const float cellHeight = mWidgetBounds.H() / static_cast<float>(mVerticalDivisions + 2);
  g.DrawGrid(GetColor(kSH), mWidgetBounds, cellWidth, cellHeight, &mBlend, 1.f);

  const IRECT plotBounds = GetPlotBounds();
  const int n = NPoints();
  // An empty value range maps every value to the bottom rather than dividing by zero.
  const double range = mMaxValue - mMinValue;
  for (const Plot& plot : mPlots)
  {
    if (!plot.func)
      continue;
    for (int k = 0; k < n; ++k)
    {
      const double x = static_cast<double>(k) / (n - 1);
      mPoints[k] = range != 0.0 ? static_cast<float>((plot.func(x) - mMinValue) / range) : 0.f;
    }
    g.DrawData(plot.color, plotBounds, mPoints.data(), n, nullptr, &mBlend, mTrackSize);
  }

  if (mStyle.drawFrame)
    g.DrawRect(GetColor(kFR), mWidgetBounds, &mBlend, mStyle.frameThickness);
}

} // namespace igraphics
} // namespace iplug
