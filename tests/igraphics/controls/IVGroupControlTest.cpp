// The vector group box: its bounds taken from a named control group, and its frame and caption
// drawn by the headless editor on a white panel and checked at sampled pixels.
#include "../EventLog.h"
#include "../FakeEditorDelegate.h"
#include "../RecordingGraphics.h"
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVGroupControl.h"

using namespace iplug::igraphics;
using headless::Near;
using headless::Str;

namespace
{

// The default style's frame is drawn in its translucent shadow colour: light grey on white.
bool IsFrameGrey(const IColor& c)
{
  return c.R < 235 && c.R > 150 && c.R == c.G && c.G == c.B;
}

bool IsWhite(const IColor& c)
{
  return Near(c, COLOR_WHITE, 4);
}

struct Snapshot
{
  Snapshot() : editor(240, 160)
  {
    editor.graphics->AttachControl(new IPanelControl(editor.graphics->GetBounds(), COLOR_WHITE));
  }

  void AddToGroup(const IRECT& r, const char* group)
  {
    editor.graphics->AttachControl(new headless::DrawFuncControl(r, [](IGraphics&, headless::DrawFuncControl&) {}),
                                   iplug::kNoTag, group);
  }

  IVGroupControl* Add(IVGroupControl* pGroup)
  {
    return static_cast<IVGroupControl*>(editor.graphics->AttachControl(pGroup));
  }

  void Draw(const std::string& pngName)
  {
    editor.graphics->Tick();
    EXPECT_TRUE(editor.graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }

  IColor At(float x, float y) const
  {
    return editor.graphics->PixelAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  int InkIn(const IRECT& r) const
  {
    int n = 0;
    for (int y = static_cast<int>(r.T); y < static_cast<int>(r.B); ++y)
      for (int x = static_cast<int>(r.L); x < static_cast<int>(r.R); ++x)
        if (editor.graphics->PixelAt(x, y).R < 128)
          ++n;
    return n;
  }

  headless::Editor editor;
};

} // namespace

TEST(IVGroupControl, FramesTheUnionOfItsGroupGrownByThePaddings)
{
  struct Case
  {
    const char* groupName;
    IRECT expected;
  };
  for (const Case& c : {Case{"osc", IRECT(15.f, 10.f, 106.f, 97.f)}, Case{"nothing", IRECT(-5.f, -20.f, 6.f, 7.f)}})
  {
    SCOPED_TRACE(c.groupName);
    Snapshot s;
    s.AddToGroup(IRECT(20.f, 30.f, 60.f, 50.f), "osc");
    s.AddToGroup(IRECT(50.f, 40.f, 100.f, 90.f), "osc");
    s.AddToGroup(IRECT(), "osc"); // adds nothing, though the origin lies outside the others
    s.AddToGroup(IRECT(150.f, 100.f, 200.f, 150.f), "env");
    IVGroupControl* pGroup = s.Add(new IVGroupControl("Osc", c.groupName, 5.f, 20.f, 6.f, 7.f));
    EXPECT_EQ(pGroup->GetRECT(), c.expected);
  }

  Snapshot s;
  s.AddToGroup(IRECT(20.f, 30.f, 60.f, 50.f), "osc");
  IVGroupControl* pGroup = s.Add(new IVGroupControl(IRECT(0.f, 0.f, 10.f, 10.f), "Osc"));
  pGroup->SetBoundsBasedOnGroup("osc", 1.f, 2.f, 3.f, 4.f);
  EXPECT_EQ(pGroup->GetRECT(), IRECT(19.f, 28.f, 63.f, 54.f));
  EXPECT_EQ(pGroup->GetWidgetBounds().R, 63.f) << "laid out again";
}

TEST(IVGroupControl, DrawsAFrameWithTheCaptionInAGapOfItsTopLine)
{
  Snapshot s;
  ASSERT_TRUE(s.editor.fontLoaded);
  const IRECT bounds(20.f, 20.f, 220.f, 140.f);
  IVGroupControl* pGroup = s.Add(new IVGroupControl(bounds, "Osc"));
  s.Draw("group_default.png");

  const IRECT label = pGroup->GetLabelBounds();
  // A caption of Roboto at 19 px is some 10 to 30 px tall; it sits 10 px from the corner, with 10 px
  // kept free of the frame on both sides.
  ASSERT_GT(label.H(), 10.f);
  ASSERT_LT(label.H(), 30.f);
  EXPECT_FLOAT_EQ(label.L, bounds.L + 1.f + 10.f);
  EXPECT_GT(s.InkIn(label), 20) << "the caption";

  // The top line runs through the caption's middle; it is 1 px wide on the pixel grid.
  const float lineY = bounds.T + label.H() / 2.f;
  for (float x : {bounds.L + 5.f, label.R + 5.f, bounds.R - 5.f})
    EXPECT_TRUE(IsFrameGrey(s.At(x, lineY))) << "top line at " << x << ": " << Str(s.At(x, lineY));
  for (float x : {label.L + 3.f, label.R - 3.f})
    EXPECT_TRUE(IsWhite(s.At(x, lineY))) << "gap at " << x << ": " << Str(s.At(x, lineY));
  for (auto [x, y] : {std::pair{bounds.L, 80.f}, {bounds.R - 1.f, 80.f}, {120.f, bounds.B - 1.f}})
    EXPECT_TRUE(IsFrameGrey(s.At(x, y))) << x << ", " << y << ": " << Str(s.At(x, y));
  EXPECT_TRUE(IsWhite(s.At(120.f, 80.f))) << "nothing fills the inside";
  EXPECT_TRUE(IsWhite(s.At(120.f, lineY - 3.f))) << "nothing above the top line";
}

TEST(IVGroupControl, WithoutShadowsARoundedFrameInTheFrameColour)
{
  Snapshot s;
  IVStyle style;
  style.drawShadows = false;
  style.roundness = 1.f;
  style.frameThickness = 2.f;
  const IRECT bounds(20.f, 20.f, 220.f, 140.f);
  IVGroupControl* pGroup = s.Add(new IVGroupControl(bounds, "", 10.f, style));
  s.Draw("group_rounded.png");

  // No caption: the frame's top is its top edge, and the corners are arcs of half the shorter side.
  const IRECT w = pGroup->GetWidgetBounds();
  EXPECT_EQ(w, IRECT(20.f, 19.f, 220.f, 140.f));
  for (auto [x, y] : {std::pair{120.f, 20.f}, {20.5f, 80.f}, {120.f, 139.f}})
    EXPECT_TRUE(Near(s.At(x, y), DEFAULT_FRCOLOR, 12)) << x << ", " << y << ": " << Str(s.At(x, y));
  EXPECT_TRUE(IsWhite(s.At(24.f, 24.f))) << "the corner is cut: " << Str(s.At(24.f, 24.f));
}

TEST(IVGroupControl, WithoutACaptionTheFrameStartsAndEndsAtTheTopCentre)
{
  EventLog log;
  FakeEditorDelegate dlg{log, 0};
  RecordingGraphics g{log, dlg, 300, 200};
  auto* pGroup = static_cast<IVGroupControl*>(g.AttachControl(new IVGroupControl(IRECT(20.f, 30.f, 120.f, 90.f))));
  pGroup->Draw(g);

  const auto moves = g.DrawCallsOf("path move");
  const auto lines = g.DrawCallsOf("path line");
  ASSERT_EQ(moves.size(), 1u);
  ASSERT_FALSE(lines.empty());
  const std::vector<float> topCentre{70.f, 30.f};
  EXPECT_EQ(moves.front().coords, topCentre);
  EXPECT_EQ(lines.back().coords, topCentre);
  EXPECT_EQ(g.DrawCallsOf("text").size(), 0u);
}
