// The bubble, the corner resizer and the frame-time display in their default looks, drawn by the
// headless editor and checked at sampled pixels; each snapshot is also written as a PNG.
#include "platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "igraphics/IBubbleControl.h"
#include "igraphics/ICornerResizerControl.h"
#include "igraphics/IFPSDisplayControl.h"

using namespace headless;
using namespace iplug::igraphics;

namespace
{

const IColor kBackground = COLOR_DARK_GRAY;

struct SnapshotEditor : Editor
{
  SnapshotEditor(int w, int h) : Editor(w, h) { graphics->AttachPanelBackground(IPattern(kBackground)); }

  void Snapshot(const char* name)
  {
    graphics->Tick();
    EXPECT_TRUE(graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + name).c_str()));
  }

  IColor At(float x, float y) const { return graphics->PixelAt(static_cast<int>(x), static_cast<int>(y)); }
};

TEST(SpecialControlsSnapshot, BubbleShownBesideItsControl)
{
  SnapshotEditor e(200, 100);
  ASSERT_TRUE(e.fontLoaded);
  e.graphics->AttachBubbleControl();
  DrawFuncControl* pKnob = e.Add(IRECT(20, 30, 60, 70), [](IGraphics&, DrawFuncControl&) {});
  e.graphics->ShowBubbleControl(pKnob, 60, 50, "0.50", EDirection::Horizontal);

  // Past the fade-in, the bubble is drawn at its full opacity.
  e.graphics->Tick();
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  e.Snapshot("special_bubble.png");

  const IRECT body = e.graphics->GetBubbleControl(0)->GetRECT().GetPadded(-10.f);
  EXPECT_TRUE(Near(e.At(body.L + 3, body.MH()), IColor(255, 246, 246, 246))) << Str(e.At(body.L + 3, body.MH()));
  EXPECT_TRUE(Near(e.At(body.MW(), body.T), COLOR_BLACK, 40)) << "outline " << Str(e.At(body.MW(), body.T));
  const IColor callout = e.At(body.L - 3, body.MH());
  EXPECT_GT(callout.R, 200) << "callout towards the knob " << Str(callout);
  EXPECT_TRUE(Near(e.At(150, 10), kBackground)) << "away from the bubble";
}

TEST(SpecialControlsSnapshot, CornerResizerInTheCorner)
{
  SnapshotEditor e(200, 100);
  e.graphics->AttachCornerResizer();
  e.graphics->Tick();
  EXPECT_TRUE(Near(e.At(197, 97), kBackground)) << "nearly transparent when the mouse is away";

  e.graphics->OnMouseOver(195, 95, IMouseMod());
  e.Snapshot("special_corner_resizer.png");

  EXPECT_TRUE(Near(e.At(197, 97), COLOR_BLACK)) << Str(e.At(197, 97));
  EXPECT_TRUE(Near(e.At(184, 84), kBackground)) << "above the diagonal " << Str(e.At(184, 84));
  EXPECT_TRUE(Near(e.At(170, 97), kBackground)) << "left of the handle";
}

TEST(SpecialControlsSnapshot, FrameTimeDisplay)
{
  SnapshotEditor e(240, 80);
  ASSERT_TRUE(e.fontLoaded);
  e.graphics->ShowFPSDisplay(true);
  for (int frame = 0; frame < 3; ++frame)
    e.graphics->Tick();
  e.Snapshot("special_frame_time_display.png");

  // Frames of the display's empty entries count as 80 per second, the top of the graph.
  EXPECT_TRUE(Near(e.At(11, 35), COLOR_WHITE)) << "background " << Str(e.At(11, 35));
  EXPECT_TRUE(Near(e.At(110, 35), DEFAULT_FGCOLOR)) << "graph " << Str(e.At(110, 35));
  // The one-pixel frame lies on the control's edge, half over the top row.
  EXPECT_LT(e.At(110, 10).R, 160) << "frame " << Str(e.At(110, 10));
  EXPECT_TRUE(Near(e.At(225, 35), kBackground)) << "outside";
}

} // namespace
