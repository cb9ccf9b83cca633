// The vector plot on the headless editor: where curves land in the plot area, drawn directly and
// through the cached layer, checked at sampled pixels.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <string>

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVPlotControl.h"

using namespace iplug::igraphics;
using headless::Editor;
using headless::Near;
using headless::Str;

namespace
{

constexpr IColor kBack(255, 255, 255, 255), kCurve(255, 0, 0, 255);

// A 100 x 120 plot: grid cells 10 x 10, so the plot area is (10, 20)..(110, 120) and grid lines
// lie on every tenth pixel; curves are 2 pixels thick.
const IRECT kPlotRect(10.f, 10.f, 110.f, 130.f);
constexpr float kMin = -1.f, kMax = 1.f;

IVStyle PlainStyle()
{
  IVStyle style;
  style.showLabel = false;
  style.showValue = false;
  style.drawFrame = false;
  style.colorSpec = IVColorSpec{kBack};
  return style;
}

struct PlotEditor : Editor
{
  PlotEditor() : Editor(120, 140) { graphics->AttachControl(new IPanelControl(graphics->GetBounds(), kBack)); }

  IVPlotControl* AddPlot(double level, int numPoints = 11, bool useLayer = false)
  {
    return static_cast<IVPlotControl*>(graphics->AttachControl(new IVPlotControl(
      kPlotRect, {{kCurve, [level](double) { return level; }}}, numPoints, "", PlainStyle(), kMin, kMax, useLayer)));
  }

  IColor At(float x, float y) const { return graphics->PixelAt(static_cast<int>(x), static_cast<int>(y)); }
};

} // namespace

TEST(IVPlot, LevelsLandAcrossThePlotAreaDirectlyAndThroughTheLayer)
{
  struct Case
  {
    double level;
    float y; // a pixel row the 2-pixel curve covers
  };
  // The top of the plot area is y 20, its bottom y 120; a tenth of the range beyond the maximum
  // lies in the free row above the area.
  const Case cases[] = {{kMax, 20.f}, {kMin, 119.f}, {0., 70.f}, {kMax + 0.2, 10.f}};
  for (bool useLayer : {false, true})
    for (const Case& c : cases)
    {
      const std::string name = "plot_" + std::to_string(c.level) + (useLayer ? "_layer" : "") + ".png";
      SCOPED_TRACE(name);
      PlotEditor e;
      ASSERT_NE(e.window, nullptr);
      IVPlotControl* pPlot = e.AddPlot(c.level, 11, useLayer);
      EXPECT_EQ(pPlot->GetPlotBounds(), IRECT(10.f, 20.f, 110.f, 120.f));
      e.graphics->Tick();
      EXPECT_TRUE(e.graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + name).c_str()));

      for (float x : {15.f, 65.f, 105.f})
        EXPECT_TRUE(Near(e.At(x, c.y), kCurve)) << x << ": " << Str(e.At(x, c.y));
      EXPECT_TRUE(Near(e.At(65.f, c.y + 5.f), kBack)) << "off the curve: " << Str(e.At(65.f, c.y + 5.f));
    }
}

TEST(IVPlot, FewerThanTwoPointsAreTakenAsTwoSoTheCurveStillSpansTheArea)
{
  for (int numPoints : {1, 0, -3})
  {
    SCOPED_TRACE(numPoints);
    PlotEditor e;
    IVPlotControl* pPlot = e.AddPlot(kMax, numPoints);
    EXPECT_EQ(pPlot->NPoints(), 2);
    e.graphics->Tick();
    for (float x : {13.f, 107.f})
      EXPECT_TRUE(Near(e.At(x, 20.f), kCurve)) << x << ": " << Str(e.At(x, 20.f));
  }
}

TEST(IVPlot, AddedFunctionsDrawBesideTheFirst)
{
  PlotEditor e;
  IVPlotControl* pPlot = e.AddPlot(kMin);
  const IColor green(255, 0, 160, 0);
  pPlot->AddPlotFunc(green, [](double x) { return 2. * x - 1.; });
  pPlot->AddPlotFunc(green, nullptr);
  e.graphics->Tick();
  EXPECT_TRUE(Near(e.At(65.f, 119.f), kCurve)) << Str(e.At(65.f, 119.f));
  // The rising line passes the middle of the area at its centre.
  EXPECT_TRUE(Near(e.At(60.f, 69.f), green, 40)) << Str(e.At(60.f, 69.f));
}

// A function added after the cached picture was made shows at the next frame.
TEST(IVPlot, AFunctionAddedLaterRedrawsTheLayer)
{
  PlotEditor e;
  IVPlotControl* pPlot = e.AddPlot(kMin, 11, true);
  e.graphics->Tick();
  const IColor green(255, 0, 160, 0);
  pPlot->AddPlotFunc(green, [](double) { return kMax; });
  EXPECT_TRUE(e.graphics->Tick()) << "the plot asked to be redrawn";
  EXPECT_TRUE(Near(e.At(65.f, 20.f), green, 40)) << Str(e.At(65.f, 20.f));
}

// With no range between the minimum and the maximum every value lies on the bottom line.
TEST(IVPlot, AnEmptyRangeDrawsAtTheBottomInsteadOfDividingByZero)
{
  PlotEditor e;
  e.graphics->AttachControl(
    new IVPlotControl(kPlotRect, {{kCurve, [](double) { return 0.5; }}}, 11, "", PlainStyle(), 0.5f, 0.5f, false));
  e.graphics->Tick();
  EXPECT_TRUE(Near(e.At(65.f, 119.f), kCurve)) << Str(e.At(65.f, 119.f));
}
