// What a test host reaches through the window record alone, as it must when the editor lives in a
// loaded module: the window's pixels, a PNG of it, the regions each tick drew, and idle time.
#include "HeadlessEditor.h"

#include "iplug/IPlugManualTimer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug;
using namespace iplug::igraphics;

namespace
{

const IRECT kLeft(0, 0, 30, 40);
const IRECT kRight(30, 10, 50, 30);

/** A 60 x 40 editor at draw scale 2 (120 x 80 device pixels) on a window record, red on the
 * left, blue on the right. */
class HeadlessWindowTools : public ::testing::Test
{
protected:
  void SetUp() override
  {
    window.host = this;
    window.drew = [](void* host, const float* ltrb, int nRects) {
      static_cast<HeadlessWindowTools*>(host)->drawn.emplace_back(ltrb, ltrb + 4 * nRects);
    };
    ASSERT_NE(graphics.OpenWindow(&window), nullptr);
    graphics.AttachControl(
      new DrawFuncControl(kLeft, [](IGraphics& g, DrawFuncControl& c) { g.FillRect(COLOR_RED, c.GetRECT()); }));
    right = static_cast<DrawFuncControl*>(graphics.AttachControl(
      new DrawFuncControl(kRight, [](IGraphics& g, DrawFuncControl& c) { g.FillRect(COLOR_BLUE, c.GetRECT()); })));
  }

  int Send(int type, float delta = 0.f)
  {
    HeadlessEvent event{};
    event.type = type;
    event.delta = delta;
    return window.send(window.editor, &event);
  }

  TestDelegate dlg;
  IGraphicsHeadless graphics{dlg, 60, 40, 60, 2.f};
  HeadlessWindow window{};
  DrawFuncControl* right = nullptr;
  std::vector<std::vector<float>> drawn;
};

} // namespace

TEST_F(HeadlessWindowTools, ReadPixelsGivesTheWindowInDevicePixelsTopRowFirst)
{
  ASSERT_EQ(Send(kHeadlessTick), 1);
  int w = 0;
  int h = 0;
  const int needed = 120 * 80 * 4;
  EXPECT_EQ(window.readPixels(window.editor, nullptr, 0, &w, &h), needed);
  EXPECT_EQ(w, 120);
  EXPECT_EQ(h, 80);

  std::vector<unsigned char> rgba(needed, 0xAB);
  EXPECT_EQ(window.readPixels(window.editor, rgba.data(), needed - 1, &w, &h), needed);
  EXPECT_EQ(rgba, std::vector<unsigned char>(needed, 0xAB)) << "too small a buffer is left alone";

  EXPECT_EQ(window.readPixels(window.editor, rgba.data(), needed, &w, &h), needed);
  EXPECT_EQ(rgba, graphics.ReadPixels());
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{70, 30}, std::pair{119, 79}, std::pair{100, 10}})
  {
    const unsigned char* p = &rgba[(static_cast<size_t>(y) * 120 + x) * 4];
    EXPECT_TRUE(Near(IColor(p[3], p[0], p[1], p[2]), graphics.PixelAt(x, y), 0)) << x << "," << y;
  }
}

TEST_F(HeadlessWindowTools, WritePNGWritesAFile)
{
  Send(kHeadlessTick);
  const std::string path = ::testing::TempDir() + "headless-window.png";
  ASSERT_EQ(window.writePNG(window.editor, path.c_str()), 1);
  std::ifstream in(path, std::ios::binary);
  char signature[4] = {};
  in.read(signature, 4);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  EXPECT_EQ(window.writePNG(window.editor, "/nonexistent-dir/x.png"), 0);
}

TEST_F(HeadlessWindowTools, DrewReportsTheDirtyRegionAndNothingWhenClean)
{
  Send(kHeadlessTick);
  ASSERT_EQ(drawn.size(), 1u) << "the first tick draws everything";

  right->SetDirty(false);
  EXPECT_EQ(Send(kHeadlessTick), 1);
  ASSERT_EQ(drawn.size(), 2u);
  ASSERT_EQ(drawn[1].size(), 4u) << "one region";
  const IRECT r(drawn[1][0], drawn[1][1], drawn[1][2], drawn[1][3]);
  EXPECT_TRUE(r.Contains(kRight)) << "covers the dirty control, in design units";
  EXPECT_TRUE(kRight.GetPadded(1.f).Contains(r)) << "and not much more";

  EXPECT_EQ(Send(kHeadlessTick), 0);
  EXPECT_EQ(drawn.size(), 2u) << "a clean tick reports nothing";
}

TEST_F(HeadlessWindowTools, IdleRunsTheModulesManualTimers)
{
  int fired = 0;
  ManualTimer timer([&](Timer&) { ++fired; }, 20);
  EXPECT_EQ(Send(kHeadlessIdle, 45.f), 1);
  EXPECT_EQ(fired, 2);
}
