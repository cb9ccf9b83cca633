// The surface's own rules seen through the NanoVG back end: which regions a frame redraws,
// where images are looked for and how they are cached, and shapes that draw nothing.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;
using iplug::kAbsolutePath;
using iplug::kNotFound;

namespace
{

const IColor kRed(255, 255, 0, 0), kGreen(255, 0, 255, 0), kBlue(255, 0, 0, 255), kBlack(255, 0, 0, 0);

std::string OutputPath(const std::string& name)
{
  return std::string(TEST_OUTPUT_DIR) + "/" + name;
}

void WritePNG(const std::string& path, int w, int h, const IColor& c)
{
  std::vector<uint8_t> px(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < px.size(); i += 4)
    px[i] = uint8_t(c.R), px[i + 1] = uint8_t(c.G), px[i + 2] = uint8_t(c.B), px[i + 3] = uint8_t(c.A);
  ASSERT_TRUE(stbi_write_png(path.c_str(), w, h, 4, px.data(), w * 4));
}

DrawFuncControl::DrawFunc Fill(const IColor* color)
{
  return [color](IGraphics& g, DrawFuncControl& self) { g.FillRect(*color, self.GetRECT()); };
}

} // namespace

TEST(SurfaceOnNanoVG, HiddenBackgroundIsStillDrawn)
{
  Editor e(60, 20);
  IColor colors[3] = {kRed, kGreen, kBlue};
  DrawFuncControl* background = e.Add(IRECT(0, 0, 60, 20), Fill(&colors[0]));
  DrawFuncControl* hidden = e.Add(IRECT(20, 0, 40, 20), Fill(&colors[1]));
  background->Hide(true);
  hidden->Hide(true);
  e.graphics->Tick();
  EXPECT_TRUE(Near(e.graphics->PixelAt(5, 10), kRed)) << "a hidden control at index 0";
  EXPECT_TRUE(Near(e.graphics->PixelAt(30, 10), kRed)) << "a hidden control elsewhere";
}

TEST(SurfaceOnNanoVG, StrictDrawingRedrawsTheSpanOfAllDirtyControls)
{
  for (bool strict : {false, true})
  {
    Editor e(90, 20);
    IColor left = kRed, middle = kRed, right = kRed;
    DrawFuncControl* a = e.Add(IRECT(0, 0, 10, 20), Fill(&left));
    e.Add(IRECT(40, 0, 50, 20), Fill(&middle));
    DrawFuncControl* c = e.Add(IRECT(80, 0, 90, 20), Fill(&right));
    e.graphics->SetStrictDrawing(strict);
    e.graphics->Tick();
    middle = kBlue; // changed but clean: shows only when the region spans it
    a->SetDirty(false);
    c->SetDirty(false);
    e.graphics->Tick();
    EXPECT_EQ(Near(e.graphics->PixelAt(45, 10), kBlue), strict) << "strict " << strict;
  }
}

TEST(SurfaceOnNanoVG, ImagesAreLookedForAtTheTargetScaleThenFromTheTop)
{
  const std::string name = OutputPath("search.png");
  std::remove(name.c_str());
  std::remove(OutputPath("search@2x.png").c_str());
  WritePNG(OutputPath("search@3x.png"), 30, 30, kGreen);
  Editor e(10, 10);

  iplug::WDL_String found;
  int scale = 0;
  EXPECT_EQ(e.graphics->SearchImageResource(name.c_str(), "png", found, 2, scale), kAbsolutePath);
  EXPECT_EQ(scale, 3);
  EXPECT_EQ(std::string(found.Get()), OutputPath("search@3x.png"));
  WritePNG(name, 10, 10, kRed);
  EXPECT_EQ(e.graphics->SearchImageResource(name.c_str(), "png", found, 2, scale), kAbsolutePath);
  EXPECT_EQ(scale, 3) << "3 comes before 1 when the target is 2";
  EXPECT_EQ(e.graphics->SearchImageResource(name.c_str(), "png", found, 1, scale), kAbsolutePath);
  EXPECT_EQ(scale, 1);
  EXPECT_EQ(e.graphics->SearchImageResource(name.c_str(), "png", found, 0, scale), kNotFound);

  // A dot before the last separator is no extension: the scale goes at the end.
  const std::string dir = OutputPath("skins.dark");
  mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/knob@2x") << "x";
  EXPECT_EQ(e.graphics->SearchImageResource((dir + "/knob").c_str(), "", found, 2, scale), kAbsolutePath);
  EXPECT_EQ(std::string(found.Get()), dir + "/knob@2x");
}

TEST(SurfaceOnNanoVG, BitmapFoundAtAnotherScaleIsCachedUnderTheKeyAskedFor)
{
  const std::string name = OutputPath("only2x.png");
  std::remove(name.c_str());
  WritePNG(OutputPath("only2x@2x.png"), 8, 8, kBlue);
  Editor e(10, 10);
  const IBitmap first = e.graphics->LoadBitmap(name.c_str(), 1, false, 1);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.GetScale(), 2.f);
  EXPECT_EQ(first.W(), 4);
  EXPECT_EQ(e.graphics->LoadBitmap(name.c_str(), 1, false, 1).GetAPIBitmap(), first.GetAPIBitmap());
}

TEST(SurfaceOnNanoVG, ScalingABitmapKeepsTheScreenScale)
{
  const std::string name = OutputPath("rescaled.png");
  WritePNG(name, 6, 6, kRed);
  Editor e(10, 10);
  e.graphics->SetScreenScale(1.5f);
  const IBitmap source = e.graphics->LoadBitmap(name.c_str(), 1, false, 1);
  ASSERT_TRUE(source.IsValid());
  const IBitmap scaled = e.graphics->ScaleBitmap(source, "rescaled-copy", 3);
  EXPECT_EQ(e.graphics->GetScreenScale(), 1.5f);
  EXPECT_EQ(scaled.GetScale(), 3.f);
  EXPECT_EQ(scaled.W(), 6);
  ASSERT_NE(scaled.GetAPIBitmap(), nullptr);
  EXPECT_EQ(scaled.GetAPIBitmap()->GetWidth(), 18); // kept by the editor's cache until it closes
}

TEST(SurfaceOnNanoVG, BitmapFromMemoryAtAnotherScaleIsScaledOnce)
{
  const std::string name = OutputPath("memory.png");
  WritePNG(name, 4, 4, kGreen);
  std::ifstream in(name, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  Editor e(10, 10);
  const IBitmap scaled = e.graphics->LoadBitmap("memory-image", bytes.data(), int(bytes.size()), 1, false, 2);
  ASSERT_TRUE(scaled.IsValid());
  EXPECT_EQ(scaled.GetScale(), 2.f);
  EXPECT_EQ(scaled.W(), 4);
  // Closing the editor frees the decoded source and the scaled copy exactly once each.
  e.graphics->CloseWindow();
}

TEST(SurfaceOnNanoVG, ResourcesAndSVGsThatCannotBeRead)
{
  const std::string path = OutputPath("resource.bin");
  std::ofstream(path, std::ios::binary) << "12345";
  Editor e(10, 10);
  EXPECT_EQ(e.graphics->LoadResource(path.c_str(), "bin").GetSize(), 5);
  EXPECT_EQ(e.graphics->LoadResource(OutputPath("absent.bin").c_str(), "bin").GetSize(), 0);
  EXPECT_FALSE(e.graphics->LoadSVG(OutputPath("absent.svg").c_str()).IsValid());
  const char notSVG[] = "plain text";
  EXPECT_FALSE(e.graphics->LoadSVG("broken", notSVG, sizeof(notSVG)).IsValid());
}

TEST(SurfaceOnNanoVG, DegenerateShapesDrawNothing)
{
  Editor e(40, 40);
  e.Add(IRECT(0, 0, 40, 40), [](IGraphics& g, DrawFuncControl&) {
    g.FillRect(kBlack, g.GetBounds());
    g.DrawGrid(kRed, g.GetBounds(), 1.f, 0.5f, nullptr, 3.f);
    float y = 0.5f;
    g.DrawData(kRed, g.GetBounds(), &y, 1, nullptr, nullptr, 3.f);
    g.FillEllipse(kRed, 20, 20, 0, 10);
    g.DrawText(DEFAULT_TEXT, "", IRECT(0, 0, 40, 40));
    g.DrawHorizontalLine(kGreen, IRECT(0, 0, 40, 40), 0.f, nullptr, 2.f); // on the bottom edge
  });
  e.graphics->Tick();
  const auto px = e.graphics->ReadPixels();
  int red = 0;
  for (size_t i = 0; i < px.size(); i += 4)
    red += px[i] > 40;
  EXPECT_EQ(red, 0);
  EXPECT_GT(e.graphics->PixelAt(20, 39).G, 100);
}
