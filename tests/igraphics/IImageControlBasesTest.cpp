// The bitmap base, the plain bitmap control and the SVG control, drawn by the headless editor on a
// white panel and checked at sampled pixels. The images are PNG files that the tests write first.
#include "platforms/HeadlessEditor.h"
#include "FrameStripImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "igraphics/IContainerBase.h"
#include "igraphics/IGraphics.h"
#include "igraphics/IImageControlBases.h"

using namespace iplug;
using namespace iplug::igraphics;
using headless::Editor;
using headless::kFrameColors;
using headless::Near;
using headless::Str;

namespace
{

const IColor kWhite(255, 255, 255, 255);

/** An editor with a white panel under the controls. */
struct Scene : Editor
{
  Scene(int w, int h) : Editor(w, h) { graphics->AttachControl(new IPanelControl(graphics->GetBounds(), kWhite)); }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(graphics->AttachControl(pControl));
  }

  IColor At(float x, float y) const
  {
    const float s = graphics->GetBackingPixelScale();
    return graphics->PixelAt(static_cast<int>(std::floor(x * s)), static_cast<int>(std::floor(y * s)));
  }
};

constexpr int kFW = 20, kFH = 16;

} // namespace

TEST(BitmapBase, ShowsTheFrameNearestTheValueInEitherLayout)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case
  {
    double value;
    int frame; // 1-based
  };
  // Values from the delegate or a host are not trusted: out of range or not a number, they still
  // pick one of the frames.
  const Case cases[] = {{0., 1},   {0.12, 1}, {0.13, 2}, {0.5, 3}, {1., 5},   {nan, 1},
                        {-0.7, 1}, {-inf, 1}, {1.3, 5},  {inf, 5}, {1e300, 5}};

  for (const bool horizontal : {true, false})
  {
    SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
    Scene s(60, 60);
    ASSERT_NE(s.window, nullptr);
    const std::string path = headless::WriteStrip(TEST_OUTPUT_DIR, horizontal ? "strip5_h.png" : "strip5_v.png", 5, kFW,
                                                  kFH, horizontal);
    const IBitmap bitmap = s.graphics->LoadBitmap(path.c_str(), 5, horizontal);
    ASSERT_TRUE(bitmap.IsValid());
    auto* pControl = s.Add(new IBitmapControl(10.f, 20.f, bitmap));
    EXPECT_EQ(pControl->GetRECT(), IRECT(10.f, 20.f, 10.f + kFW, 20.f + kFH));

    for (const Case& c : cases)
    {
      SCOPED_TRACE("value " + std::to_string(c.value));
      pControl->SetValue(c.value);
      pControl->SetDirty(false);
      s.graphics->Tick();
      const IColor want = kFrameColors[c.frame - 1];
      // Corners of the frame as well as its centre: a source offset by a fraction of a frame
      // would show a neighbour's colour at one edge.
      for (const auto& [x, y] : {std::pair{11.f, 21.f}, std::pair{20.f, 28.f}, std::pair{29.f, 35.f}})
        EXPECT_TRUE(Near(s.At(x, y), want)) << x << "," << y << ": " << Str(s.At(x, y));
      EXPECT_TRUE(Near(s.At(9.f, 28.f), kWhite));
      EXPECT_TRUE(Near(s.At(31.f, 28.f), kWhite));
    }
  }
}

TEST(BitmapBase, ASingleFrameBitmapAlwaysShowsTheWholeImage)
{
  Scene s(60, 60);
  ASSERT_NE(s.window, nullptr);
  // Left half red, right half blue: any offset into the image would lose one half.
  const std::string path = headless::WriteFrames(
    TEST_OUTPUT_DIR, "single_halves.png", 1, kFW, kFH, true,
    [](int, int x, int) { return x < kFW / 2 ? kFrameColors[0] : kFrameColors[2]; });
  auto* pControl = s.Add(new IBitmapControl(10.f, 10.f, s.graphics->LoadBitmap(path.c_str(), 1)));

  for (const double value : {0., 0.5, 1., std::numeric_limits<double>::quiet_NaN()})
  {
    SCOPED_TRACE(value);
    pControl->SetValue(value);
    pControl->SetDirty(false);
    s.graphics->Tick();
    EXPECT_TRUE(Near(s.At(12.f, 18.f), kFrameColors[0])) << Str(s.At(12.f, 18.f));
    EXPECT_TRUE(Near(s.At(28.f, 18.f), kFrameColors[2])) << Str(s.At(28.f, 18.f));
  }
}

TEST(BitmapBase, AControlLargerThanItsFrameDrawsTheFrameCentredNotStretched)
{
  Scene s(100, 100);
  ASSERT_NE(s.window, nullptr);
  const std::string path = headless::WriteStrip(TEST_OUTPUT_DIR, "strip5_h.png", 5, kFW, kFH, true);
  auto* pControl = s.Add(new IBitmapControl(0.f, 0.f, s.graphics->LoadBitmap(path.c_str(), 5, true)));
  s.graphics->SetControlBounds(pControl, IRECT(10.f, 10.f, 70.f, 60.f));
  pControl->SetValue(0.5);
  s.graphics->Tick();
  ASSERT_TRUE(s.graphics->WritePNG(TEST_OUTPUT_DIR "/bitmap_centred.png"));

  // The 20 x 16 frame centred on (40, 35): (30, 27) to (50, 43).
  const IColor frame3 = kFrameColors[2];
  EXPECT_TRUE(Near(s.At(31.f, 28.f), frame3)) << Str(s.At(31.f, 28.f));
  EXPECT_TRUE(Near(s.At(49.f, 42.f), frame3)) << Str(s.At(49.f, 42.f));
  for (const auto& [x, y] : {std::pair{29.f, 35.f}, std::pair{51.f, 35.f}, std::pair{40.f, 26.f}, std::pair{40.f, 44.f},
                             std::pair{12.f, 12.f}, std::pair{68.f, 58.f}})
    EXPECT_TRUE(Near(s.At(x, y), kWhite)) << x << "," << y << ": " << Str(s.At(x, y));
}

TEST(BitmapControl, TakesItsParameterAndBlend)
{
  Scene s(60, 60);
  ASSERT_NE(s.window, nullptr);
  const std::string path = headless::WriteStrip(TEST_OUTPUT_DIR, "strip5_v.png", 5, kFW, kFH, false);
  const IBitmapControl control(10.f, 10.f, s.graphics->LoadBitmap(path.c_str(), 5, false), 3, EBlend::Add);
  EXPECT_EQ(control.GetRECT(), IRECT(10.f, 10.f, 30.f, 26.f));
  EXPECT_EQ(control.GetParamIdx(), 3);
  EXPECT_EQ(control.GetBlend().mMethod, EBlend::Add);
  EXPECT_EQ(control.GetBlend().mWeight, 1.f);
}

TEST(BitmapControl, RescaleSwitchesToTheImageForTheNewScreenScale)
{
  Scene s(40, 40);
  ASSERT_NE(s.window, nullptr);
  // The 2x variant is twice the size in another colour, so the picture shows which one is drawn.
  const std::string path = headless::WriteFrames(TEST_OUTPUT_DIR, "rescale.png", 1, 10, 10, true,
                                                 [](int, int, int) { return kFrameColors[0]; });
  headless::WriteFrames(TEST_OUTPUT_DIR, "rescale@2x.png", 1, 20, 20, true,
                        [](int, int, int) { return kFrameColors[1]; });
  s.Add(new IBitmapControl(10.f, 10.f, s.graphics->LoadBitmap(path.c_str(), 1)));
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(15.f, 15.f), kFrameColors[0])) << Str(s.At(15.f, 15.f));

  s.graphics->SetScreenScale(2.f);
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(15.f, 15.f), kFrameColors[1])) << Str(s.At(15.f, 15.f));
  // Still one frame of 10 x 10 editor pixels.
  EXPECT_TRUE(Near(s.At(19.5f, 19.5f), kFrameColors[1])) << Str(s.At(19.5f, 19.5f));
  EXPECT_TRUE(Near(s.At(20.5f, 15.f), kWhite)) << Str(s.At(20.5f, 15.f));
}

namespace
{

// Exposes the cached layer.
class LayerProbe : public ISVGControl
{
public:
  using ISVGControl::ISVGControl;
  const ILayer* Layer() const { return mLayer.get(); }
};

// 40 x 40: left half red, right half blue.
const char kHalvesSVG[] = "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='40'>"
                          "<rect x='0' y='0' width='20' height='40' fill='#ff0000'/>"
                          "<rect x='20' y='0' width='20' height='40' fill='#0000ff'/></svg>";

ISVG LoadHalvesSVG(IGraphics& g)
{
  return g.LoadSVG("halves.svg", static_cast<const void*>(kHalvesSVG), static_cast<int>(sizeof(kHalvesSVG) - 1));
}

} // namespace

TEST(SVGControl, DrawsTheImageFittedWithTheControlsBlendWithOrWithoutALayer)
{
  struct Case
  {
    bool useLayer;
    float weight;
    IColor left, right;
  };
  // Half weight over white: drawn into the layer at full strength, the blend is applied once.
  const Case cases[] = {{false, 1.f, kFrameColors[0], kFrameColors[2]},
                        {true, 1.f, kFrameColors[0], kFrameColors[2]},
                        {false, 0.5f, IColor(255, 255, 128, 128), IColor(255, 128, 128, 255)},
                        {true, 0.5f, IColor(255, 255, 128, 128), IColor(255, 128, 128, 255)}};
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::string(c.useLayer ? "layer" : "direct") + " weight " + std::to_string(c.weight));
    Scene s(100, 100);
    ASSERT_NE(s.window, nullptr);
    const ISVG svg = LoadHalvesSVG(*s.graphics);
    ASSERT_TRUE(svg.IsValid());
    // 60 x 60 at (20, 20): the image scaled by 1.5, its halves split at x = 50.
    auto* pControl = s.Add(new ISVGControl(IRECT(20.f, 20.f, 80.f, 80.f), svg, c.useLayer));
    pControl->SetBlend(IBlend(EBlend::Default, c.weight));
    s.graphics->Tick();
    EXPECT_TRUE(Near(s.At(25.f, 50.f), c.left)) << Str(s.At(25.f, 50.f));
    EXPECT_TRUE(Near(s.At(48.f, 78.f), c.left)) << Str(s.At(48.f, 78.f));
    EXPECT_TRUE(Near(s.At(52.f, 22.f), c.right)) << Str(s.At(52.f, 22.f));
    EXPECT_TRUE(Near(s.At(78.f, 50.f), c.right)) << Str(s.At(78.f, 50.f));
    EXPECT_TRUE(Near(s.At(18.f, 50.f), kWhite)) << Str(s.At(18.f, 50.f));
    EXPECT_TRUE(Near(s.At(82.f, 50.f), kWhite)) << Str(s.At(82.f, 50.f));
  }
}

TEST(SVGControl, KeepsItsLayerAcrossFramesAndRendersANewOneWhenMoved)
{
  Scene s(100, 100);
  ASSERT_NE(s.window, nullptr);
  const ISVG svg = LoadHalvesSVG(*s.graphics);
  auto* pWith = s.Add(new LayerProbe(IRECT(10.f, 10.f, 50.f, 50.f), svg, true));
  auto* pWithout = s.Add(new LayerProbe(IRECT(50.f, 50.f, 90.f, 90.f), svg, false));
  EXPECT_EQ(pWith->Layer(), nullptr);

  s.graphics->Tick();
  const ILayer* pFirst = pWith->Layer();
  ASSERT_NE(pFirst, nullptr);
  EXPECT_EQ(pWithout->Layer(), nullptr);

  pWith->SetDirty(false);
  s.graphics->Tick();
  EXPECT_EQ(pWith->Layer(), pFirst);
  EXPECT_TRUE(Near(s.At(15.f, 30.f), kFrameColors[0])) << Str(s.At(15.f, 30.f));

  // A layer made for the old place is stale: the image follows the control.
  s.graphics->SetControlPosition(pWith, 50.f, 10.f);
  s.graphics->SetAllControlsDirty();
  s.graphics->Tick();
  EXPECT_NE(pWith->Layer(), nullptr);
  EXPECT_TRUE(Near(s.At(55.f, 30.f), kFrameColors[0])) << Str(s.At(55.f, 30.f));
  EXPECT_TRUE(Near(s.At(85.f, 30.f), kFrameColors[2])) << Str(s.At(85.f, 30.f));
  EXPECT_TRUE(Near(s.At(15.f, 30.f), kWhite)) << Str(s.At(15.f, 30.f));
}

TEST(BitmapControl, ABitmapWithoutAResourceNameSurvivesRescaling)
{
  Scene s(40, 40);
  ASSERT_NE(s.window, nullptr);
  const std::string path = headless::WriteStrip(TEST_OUTPUT_DIR, "strip5_h.png", 5, kFW, kFH, true);
  // The same image, but with nothing to reload it by.
  const IBitmap nameless(s.graphics->LoadBitmap(path.c_str(), 5, true).GetAPIBitmap(), 5, true);
  auto* pControl = s.Add(new IBitmapControl(10.f, 10.f, nameless));
  pControl->SetValue(1.);
  s.graphics->SetScreenScale(1.f);
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(20.f, 18.f), kFrameColors[4])) << Str(s.At(20.f, 18.f));
}

// A background image goes first in the list, under every control attached before it. A file that
// does not load still takes its place there and draws nothing, so the other controls keep their
// indices whether it is there or not.
TEST(Backgrounds, AnImageOrSVGFileGoesUnderEveryControlAndAMissingOneDrawsNothing)
{
  const std::string svgPath = std::string(TEST_OUTPUT_DIR) + "/background.svg";
  std::ofstream(svgPath) << "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                            "<rect width='10' height='10' fill='#0000ff'/></svg>";
  const std::string pngPath = headless::WriteStrip(TEST_OUTPUT_DIR, "background.png", 1, kFW, kFH);

  Scene s(40, 30);
  IControl* panel = s.graphics->GetControl(0);
  s.graphics->AttachBackground(pngPath.c_str());
  ASSERT_EQ(s.graphics->NControls(), 2);
  auto* bitmap = dynamic_cast<IBitmapControl*>(s.graphics->GetControl(0));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->GetRECT(), IRECT(0, 0, kFW, kFH));

  s.graphics->AttachSVGBackground(svgPath.c_str());
  ASSERT_EQ(s.graphics->NControls(), 3);
  auto* svg = dynamic_cast<ISVGControl*>(s.graphics->GetControl(0));
  ASSERT_TRUE(svg);
  EXPECT_EQ(svg->GetRECT(), s.graphics->GetBounds());

  const struct
  {
    const char* name;
    std::function<void()> attach;
  } missing[] = {
    {"missing image", [&] { s.graphics->AttachBackground((std::string(TEST_OUTPUT_DIR) + "/missing.png").c_str()); }},
    {"missing SVG", [&] { s.graphics->AttachSVGBackground((std::string(TEST_OUTPUT_DIR) + "/missing.svg").c_str()); }},
    {"no name", [&] { s.graphics->AttachBackground(""); }},
  };
  for (const auto& m : missing)
  {
    SCOPED_TRACE(m.name);
    const int before = s.graphics->NControls();
    m.attach();
    ASSERT_EQ(s.graphics->NControls(), before + 1);
    EXPECT_EQ(s.graphics->GetControl(before), panel) << "the panel keeps its place at the end";
  }
  // A frame draws the backgrounds without a file too; the white panel, attached first, covers them all.
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(5.f, 5.f), kWhite)) << Str(s.At(5.f, 5.f));
}

TEST(Backgrounds, TheImageAndTheSVGDrawUnderTheControlsAttachedBeforeThem)
{
  // A 20 x 16 red image over a blue SVG of the editor's own size, and a white panel over both.
  const std::string svgPath = std::string(TEST_OUTPUT_DIR) + "/background_full.svg";
  std::ofstream(svgPath) << "<svg xmlns='http://www.w3.org/2000/svg' width='60' height='40'>"
                            "<rect width='60' height='40' fill='#0000ff'/></svg>";
  const std::string pngPath = headless::WriteStrip(TEST_OUTPUT_DIR, "background.png", 1, kFW, kFH);
  const IColor red = kFrameColors[0], blue = kFrameColors[2];

  Editor e(60, 40);
  ASSERT_NE(e.window, nullptr);
  e.graphics->AttachControl(new IPanelControl(IRECT(5.f, 5.f, 15.f, 12.f), kWhite));
  e.graphics->AttachBackground(pngPath.c_str());
  e.graphics->AttachSVGBackground(svgPath.c_str());
  e.graphics->Tick();

  struct Sample
  {
    float x, y;
    IColor want;
  };
  const Sample samples[] = {
    // The control.
    {10.f, 8.f, kWhite},
    // The image, around the control.
    {1.f, 1.f, red},
    {18.f, 14.f, red},
    {3.f, 13.f, red},
    // Just past the image's edges: it is drawn at its own size.
    {21.f, 8.f, blue},
    {10.f, 17.f, blue},
    // The SVG, into every corner.
    {58.f, 38.f, blue},
    {40.f, 2.f, blue},
    {2.f, 38.f, blue},
  };
  for (const Sample& s : samples)
  {
    const IColor got = e.graphics->PixelAt(static_cast<int>(s.x), static_cast<int>(s.y));
    EXPECT_TRUE(Near(got, s.want)) << s.x << "," << s.y << ": " << Str(got);
  }
}
