// The NanoVG back end drawing off-screen: shapes, paints, text, layers, clips, transforms,
// bitmaps, SVG images and the dirty-region draw loop, checked by sampling pixels.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;

namespace
{

const IColor kBackground(255, 20, 20, 20);

void FillBackground(IGraphics& g)
{
  g.FillRect(kBackground, g.GetBounds());
}

struct Sample
{
  const char* what;
  int x, y;
  IColor expected;
};

void ExpectSamples(const IGraphicsHeadless& g, std::initializer_list<Sample> samples)
{
  for (const Sample& s : samples)
  {
    const IColor got = g.PixelAt(s.x, s.y);
    EXPECT_TRUE(Near(got, s.expected)) << s.what << " at " << s.x << ", " << s.y << ": " << Str(got) << " instead of "
                                       << Str(s.expected);
  }
}

std::string BuildPath(const char* name)
{
  return std::string(TEST_OUTPUT_DIR) + "/" + name;
}

void WriteSolidPNG(const std::string& path, int w, int h, const IColor& c)
{
  std::vector<uint8_t> px(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < px.size(); i += 4)
  {
    px[i] = uint8_t(c.R);
    px[i + 1] = uint8_t(c.G);
    px[i + 2] = uint8_t(c.B);
    px[i + 3] = uint8_t(c.A);
  }
  ASSERT_TRUE(stbi_write_png(path.c_str(), w, h, 4, px.data(), w * 4));
}

const IColor kRed(255, 255, 0, 0), kGreen(255, 0, 255, 0), kBlue(255, 0, 0, 255), kWhite(255, 255, 255, 255);

} // namespace

TEST(NanoVGDrawing, FilledAndStrokedRectangle)
{
  Editor e(100, 100);
  ASSERT_NE(e.window, nullptr);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.FillRect(kRed, IRECT(20, 20, 80, 80));
    g.DrawRect(kWhite, IRECT(10.5f, 10.5f, 89.5f, 89.5f), nullptr, 1.f);
  });
  ASSERT_TRUE(e.graphics->Tick());
  ExpectSamples(*e.graphics, {{"fill", 50, 50, kRed},
                              {"inside the stroke", 15, 50, kBackground},
                              {"stroke left", 10, 50, kWhite},
                              {"stroke top", 50, 10, kWhite},
                              {"outside", 5, 5, kBackground}});
}

TEST(NanoVGDrawing, ArcsRunClockwiseFromTwelve)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.FillArc(kGreen, 50, 50, 40, 0, 90); // the quarter from twelve to three o'clock
  });
  e.graphics->Tick();
  ExpectSamples(
    *e.graphics,
    {{"upper right", 70, 30, kGreen}, {"upper left", 30, 30, kBackground}, {"lower right", 70, 70, kBackground}});
}

TEST(NanoVGDrawing, LinearGradientRunsFromFirstToLastStop)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl&) {
    IPattern pattern(EPatternType::Linear);
    pattern.AddStop(kRed, 0.f);
    pattern.AddStop(kGreen, 0.5f); // middle stops are not drawn by this back end
    pattern.AddStop(kBlue, 1.f);
    pattern.SetTransform(IMatrix(1, 0, 0, 1.0 / 100.0, 0, 0)); // y 0..100 maps onto 0..1
    g.PathClear();
    g.PathRect(g.GetBounds());
    g.PathFill(pattern, IFillOptions());
  });
  e.graphics->Tick();
  const IColor top = e.graphics->PixelAt(50, 1), middle = e.graphics->PixelAt(50, 50),
               bottom = e.graphics->PixelAt(50, 98);
  EXPECT_GT(top.R, 240);
  EXPECT_GT(bottom.B, 240);
  EXPECT_TRUE(Near(middle, IColor(255, 128, 0, 128), 12)) << Str(middle);
}

TEST(NanoVGDrawing, RobotoTextIsMeasuredAndDrawn)
{
  Editor e(300, 60);
  ASSERT_TRUE(e.fontLoaded);
  const IText text(24.f, kWhite, "Roboto-Regular", kAlignNear, kVAlignMiddle);
  IRECT shortBounds(0, 0, 300, 60), longBounds(0, 0, 300, 60);
  const float shortWidth = e.graphics->MeasureText(text, "Brim", shortBounds);
  const float longWidth = e.graphics->MeasureText(text, "Brimvale Brimvale", longBounds);
  EXPECT_GT(shortWidth, 30.f);
  EXPECT_GT(longWidth, 3.f * shortWidth);
  EXPECT_NEAR(shortBounds.MH(), 30.f, 4.f); // centred on the middle
  IRECT untouched(1, 2, 3, 4);
  EXPECT_EQ(e.graphics->MeasureText(text, "", untouched), 0.f);

  const IText unknownFont(24.f, kWhite, "No-Such-Font", kAlignNear, kVAlignMiddle);
  e.Add(IRECT(0, 0, 300, 60), [&](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.DrawText(text, "Brim", IRECT(10, 0, 150, 60));
    g.DrawText(unknownFont, "Brim", IRECT(150, 0, 300, 60));
  });
  e.graphics->Tick();
  auto brightPixels = [&](int x0, int x1) {
    const auto px = e.graphics->ReadPixels();
    int n = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = x0; x < x1; ++x)
        n += px[(static_cast<size_t>(y) * 300 + x) * 4] > 200;
    return n;
  };
  EXPECT_GT(brightPixels(10, 150), 50);
  EXPECT_EQ(brightPixels(150, 300), 0);
}

TEST(NanoVGDrawing, LayerIsDrawnOnceAndReusedUntilInvalid)
{
  Editor e(100, 100);
  int layerDraws = 0;
  DrawFuncControl* c = e.Add(IRECT(10, 10, 60, 60), [&](IGraphics& g, DrawFuncControl& self) {
    if (!g.CheckLayer(self.mLayer))
    {
      g.StartLayer(&self, self.GetRECT());
      g.FillCircle(kBlue, self.GetRECT().MW(), self.GetRECT().MH(), 20);
      self.mLayer = g.EndLayer();
      ++layerDraws;
    }
    g.DrawLayer(self.mLayer);
  });
  e.graphics->Tick();
  ExpectSamples(*e.graphics, {{"first frame", 35, 35, kBlue}});
  c->SetDirty(false);
  e.graphics->Tick();
  EXPECT_EQ(layerDraws, 1);
  EXPECT_EQ(c->mDrawCount, 2);
  ExpectSamples(*e.graphics, {{"reused layer", 35, 35, kBlue}});

  e.graphics->SetControlBounds(c, IRECT(40, 40, 90, 90));
  e.graphics->Tick();
  EXPECT_EQ(layerDraws, 2);
  ExpectSamples(*e.graphics, {{"moved layer", 65, 65, kBlue}});
}

TEST(NanoVGDrawing, LayerIsRemadeAtANewDrawScale)
{
  Editor e(100, 100);
  DrawFuncControl* c = e.Add(IRECT(0, 0, 50, 50), [&](IGraphics& g, DrawFuncControl& self) {
    if (!g.CheckLayer(self.mLayer))
    {
      g.StartLayer(&self, self.GetRECT());
      g.FillRect(kRed, self.GetRECT());
      self.mLayer = g.EndLayer();
    }
    g.DrawLayer(self.mLayer);
  });
  e.graphics->Tick();
  ASSERT_NE(c->mLayer, nullptr);
  EXPECT_EQ(c->mLayer->GetAPIBitmap()->GetWidth(), 50);
  e.graphics->Resize(100, 100, 2.f);
  e.graphics->Tick();
  EXPECT_EQ(c->mLayer->GetAPIBitmap()->GetWidth(), 100);
  EXPECT_EQ(e.graphics->WindowPixelWidth(), 200);
  ExpectSamples(*e.graphics, {{"scaled layer", 90, 90, kRed}, {"outside it", 110, 110, IColor()}});
}

TEST(NanoVGDrawing, LayerShadowFallsBesideTheShape)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl& self) {
    g.FillRect(kWhite, g.GetBounds());
    g.StartLayer(&self, self.GetRECT());
    g.FillRect(kRed, IRECT(20, 20, 50, 50));
    self.mLayer = g.EndLayer();
    const IShadow shadow(IPattern(IColor(255, 0, 0, 0)), 2.f, 20.f, 20.f, 1.f, true);
    g.ApplyLayerDropShadow(self.mLayer, shadow);
    g.DrawLayer(self.mLayer);
  });
  e.graphics->Tick();
  const IColor shadowPixel = e.graphics->PixelAt(60, 60);
  EXPECT_LT(shadowPixel.R, 60) << Str(shadowPixel);
  ExpectSamples(*e.graphics, {{"shape over its shadow", 35, 35, kRed},
                              {"shadow keeps its distance", 90, 90, kWhite},
                              {"no shadow above", 60, 10, kWhite}});
}

TEST(NanoVGDrawing, FittedLayerIsStretchedOverTheGivenBounds)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl& self) {
    FillBackground(g);
    g.StartLayer(&self, IRECT(0, 0, 20, 20));
    g.FillRect(kRed, IRECT(0, 0, 10, 20));
    g.FillRect(kGreen, IRECT(10, 0, 20, 20));
    self.mLayer = g.EndLayer();
    g.DrawFittedLayer(self.mLayer, IRECT(20, 40, 100, 60)); // four times as wide, as tall
  });
  e.graphics->Tick();
  ExpectSamples(*e.graphics, {{"left half", 25, 50, kRed},
                              {"left half's end", 55, 45, kRed},
                              {"right half", 65, 55, kGreen},
                              {"left of the bounds", 15, 50, kBackground},
                              {"below the bounds", 50, 65, kBackground}});
}

TEST(NanoVGDrawing, ClipRegionLimitsFilling)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.PathClipRegion(IRECT(0, 0, 50, 100));
    g.FillRect(kGreen, g.GetBounds());
    g.PathClipRegion();
    g.FillRect(kBlue, IRECT(0, 90, 100, 100)); // the whole area again
  });
  e.graphics->Tick();
  ExpectSamples(*e.graphics, {{"inside the clip", 25, 50, kGreen},
                              {"outside the clip", 75, 50, kBackground},
                              {"after the clip is lifted", 75, 95, kBlue}});
}

TEST(NanoVGDrawing, RotationTurnsABarUpright)
{
  Editor e(100, 100);
  e.Add(IRECT(0, 0, 100, 100), [](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.PathTransformTranslate(50, 50);
    g.PathTransformRotate(90);
    g.FillRect(kRed, IRECT(-40, -5, 40, 5)); // horizontal before turning
  });
  e.graphics->Tick();
  ExpectSamples(*e.graphics, {{"upright bar top", 50, 15, kRed},
                              {"upright bar bottom", 50, 85, kRed},
                              {"where the bar lay", 15, 50, kBackground}});
}

TEST(NanoVGDrawing, BitmapAtTwoScales)
{
  const std::string base = BuildPath("swatch.png"), doubled = BuildPath("swatch@2x.png");
  WriteSolidPNG(base, 10, 10, kRed);
  WriteSolidPNG(doubled, 20, 20, kBlue);

  Editor e(100, 100);
  const IBitmap one = e.graphics->LoadBitmap(base.c_str(), 1, false, 1);
  const IBitmap two = e.graphics->LoadBitmap(base.c_str(), 1, false, 2);
  ASSERT_TRUE(one.IsValid());
  ASSERT_TRUE(two.IsValid());
  EXPECT_EQ(one.W(), 10);
  EXPECT_EQ(two.W(), 10); // 20 device pixels at scale 2
  EXPECT_EQ(two.GetScale(), 2.f);
  EXPECT_EQ(e.graphics->LoadBitmap(base.c_str(), 1, false, 2).GetAPIBitmap(), two.GetAPIBitmap());
  EXPECT_FALSE(e.graphics->LoadBitmap(BuildPath("missing.png").c_str()).IsValid());

  e.Add(IRECT(0, 0, 100, 100), [&](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.DrawBitmap(one, IRECT(10, 10, 20, 20), 1);
    g.DrawBitmap(two, IRECT(50, 50, 60, 60), 1);
  });
  e.graphics->Tick();
  ExpectSamples(
    *e.graphics,
    {{"scale 1 image", 15, 15, kRed}, {"scale 2 image", 55, 55, kBlue}, {"beside them", 30, 30, kBackground}});
}

TEST(NanoVGDrawing, SVGIsFittedIntoItsBounds)
{
  const std::string path = BuildPath("square.svg");
  std::ofstream(path) << "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                         "<rect x='0' y='0' width='5' height='10' fill='#00ff00'/>"
                         "<rect x='5' y='0' width='5' height='10' fill='#0000ff'/></svg>";
  Editor e(100, 100);
  const ISVG svg = e.graphics->LoadSVG(path.c_str());
  ASSERT_TRUE(svg.IsValid());
  EXPECT_EQ(e.graphics->LoadSVG(path.c_str(), "mm", 10.f).mImage, svg.mImage); // cached by name
  e.Add(IRECT(0, 0, 100, 100), [&](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    g.DrawSVG(svg, IRECT(0, 0, 100, 50)); // fitted by height: 50 x 50
  });
  e.graphics->Tick();
  ExpectSamples(*e.graphics, {{"left half", 10, 25, kGreen},
                              {"right half", 40, 25, kBlue},
                              {"outside the fit", 75, 25, kBackground},
                              {"below", 25, 75, kBackground}});
}

TEST(NanoVGDrawing, OnlyTheDirtyRegionChanges)
{
  Editor e(200, 100);
  IColor leftColor = kRed, rightColor = kRed;
  e.Add(IRECT(0, 0, 100, 100), [&](IGraphics& g, DrawFuncControl& self) { g.FillRect(leftColor, self.GetRECT()); });
  DrawFuncControl* right = e.Add(IRECT(100, 0, 200, 100),
                                 [&](IGraphics& g, DrawFuncControl& self) { g.FillRect(rightColor, self.GetRECT()); });
  ASSERT_TRUE(e.graphics->Tick());
  const std::vector<uint8_t> before = e.graphics->ReadPixels();
  EXPECT_FALSE(e.graphics->Tick()); // nothing dirty: no frame

  leftColor = kBlue; // changed, but not marked dirty: must not show
  rightColor = kGreen;
  right->SetDirty(false);
  ASSERT_TRUE(e.graphics->Tick());
  const std::vector<uint8_t> after = e.graphics->ReadPixels();

  int changedInside = 0, changedOutside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
    {
      const size_t i = (static_cast<size_t>(y) * 200 + x) * 4;
      const bool changed = before[i] != after[i] || before[i + 1] != after[i + 1] || before[i + 2] != after[i + 2];
      (x >= 99 ? changedInside : changedOutside) += changed; // the region is padded by one pixel
    }
  EXPECT_GT(changedInside, 100 * 95);
  EXPECT_EQ(changedOutside, 0);
}

TEST(NanoVGDrawing, LayerReleasedDuringAFrameOutlivesIt)
{
  Editor e(50, 50);
  auto* g = e.graphics.get();
  int deferredInFrame = -1;
  e.Add(IRECT(0, 0, 50, 50), [&](IGraphics& graphics, DrawFuncControl& self) {
    graphics.StartLayer(&self, self.GetRECT());
    self.mLayer = graphics.EndLayer();
    self.mLayer.reset();
    deferredInFrame = g->NumDeferredFBOs();
  });
  e.graphics->Tick();
  EXPECT_EQ(deferredInFrame, 1);
  EXPECT_EQ(g->NumDeferredFBOs(), 0);
}

TEST(NanoVGBackEnd, BitmapExtensions)
{
  Editor e(10, 10);
  struct Case
  {
    const char* ext;
    bool supported;
  };
  const std::string longName(200, 'x');
  for (const Case& c : {Case{"png", true}, Case{"PNG", true}, Case{"JPEG", true}, Case{"jpg", true}, Case{"gif", false},
                        Case{"svg", false}, Case{"apng", true}, Case{"", false}, Case{longName.c_str(), false}})
    EXPECT_EQ(e.graphics->BitmapExtSupported(c.ext), c.supported) << c.ext;
  EXPECT_FALSE(e.graphics->BitmapExtSupported(nullptr));
  EXPECT_STREQ(e.graphics->GetDrawingAPIStr(), "NanoVG | GL2");
}

TEST(NanoVGBackEnd, FontsAreRefusedWhenTheyCannotBeUsed)
{
  Editor e(10, 10);
  ASSERT_TRUE(e.fontLoaded);
  EXPECT_TRUE(e.graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf")); // cached now
  EXPECT_FALSE(e.graphics->LoadFont("Missing", "No-Such-File.ttf"));
  std::vector<uint8_t> garbage(4096, 0x41);
  EXPECT_FALSE(e.graphics->LoadFont("Garbage", garbage.data(), int(garbage.size())));
}

TEST(NanoVGBackEnd, DottedLinesWithoutADashLengthDrawNothingAndEnd)
{
  Editor e(50, 50);
  e.Add(IRECT(0, 0, 50, 50), [](IGraphics& g, DrawFuncControl&) {
    FillBackground(g);
    for (float dash : {0.f, -1.f, NAN})
    {
      g.DrawDottedLine(kWhite, 0, 25, 50, 25, nullptr, 3.f, dash);
      g.DrawDottedRect(kWhite, IRECT(5, 5, 45, 45), nullptr, 3.f, dash);
    }
    g.DrawDottedLine(kRed, 0, 10, 10, 10, nullptr, 3.f, 5.f); // two steps: one dash over the first half
  });
  ASSERT_TRUE(e.graphics->Tick());
  ExpectSamples(*e.graphics, {{"no line", 25, 25, kBackground},
                              {"no rect", 5, 25, kBackground},
                              {"the dash", 2, 10, kRed},
                              {"the gap", 8, 10, kBackground}});
}
