#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/ILayer.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** Graphs of functions over 0..1 on a grid. Values from minValue to maxValue span the plot area,
    which leaves one grid row free above and below for curves that overshoot. */
class IVPlotControl : public IControl, public IVectorBase
{
public:
  struct Plot
  {
    IColor color;
    std::function<double(double)> func;
  };

  /** Each curve is sampled at numPoints evenly spaced x values, the ends included; fewer than 2
      points cannot span the range, so 2 are taken then. */
  IVPlotControl(const IRECT& bounds, std::initializer_list<Plot> plots, int numPoints, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, float minValue = -1.f, float maxValue = 1.f,
                bool useLayer = false);

  void OnResize() override;
  void Draw(IGraphics& g) override;

  void AddPlotFunc(const IColor& color, const std::function<double(double)>& func);

  int NPoints() const { return static_cast<int>(mPoints.size()); }
  /** The widget without one grid row at the top and one at the bottom. */
  IRECT GetPlotBounds() const;

protected:
  ILayerPtr mLayer;
  std::vector<Plot> mPlots;
  float mMinValue;
  float mMaxValue;
  bool mUseLayer;
  int mHorizontalDivisions = 10;
  int mVerticalDivisions = 10;
  std::vector<float> mPoints;

private:
  void DrawContent(IGraphics& g);
};

} // namespace igraphics
} // namespace iplug
