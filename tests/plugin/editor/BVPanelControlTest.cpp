// The instrument's panel drawn for real on the headless editor, checked by sampling pixels.
#include "plugin/editor/BVPanelControl.h"
#include "plugin/editor/BVPalette.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;
using brimvale::editor::BVPanelControl;
using brimvale::editor::COLOR_BV_BG;
using brimvale::editor::COLOR_BV_MUTED;
using brimvale::editor::COLOR_BV_PANEL;
using brimvale::editor::COLOR_BV_PANEL_DARK;
using brimvale::editor::COLOR_BV_TEXT;

namespace
{

constexpr int kWidth = 1480;
constexpr int kHeight = 360;

struct PanelEditor
{
  PanelEditor() : editor(kWidth, kHeight)
  {
    panel = new BVPanelControl(IRECT(0, 0, kWidth, kHeight));
    editor.graphics->AttachControl(panel, 0);
  }

  void Send(const PanelScopePayload& state, int size = 56, int msgTag = 1001)
  {
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    std::memcpy(bytes.data(), &state, std::min<size_t>(sizeof(state), bytes.size()));
    editor.graphics->GetControlWithTag(0)->OnMsgFromDelegate(msgTag, size, bytes.data());
  }

  IColor At(int x, int y) const { return editor.graphics->PixelAt(x, y); }

  /** Pixels in r (design units = device pixels here) that pass the test. */
  int Count(const IRECT& r, const std::function<bool(const IColor&)>& test) const
  {
    const auto px = editor.graphics->ReadPixels();
    int n = 0;
    for (int y = int(r.T); y < int(r.B); ++y)
      for (int x = int(r.L); x < int(r.R); ++x)
      {
        const uint8_t* p = &px[(static_cast<size_t>(y) * kWidth + x) * 4];
        n += test(IColor(p[3], p[0], p[1], p[2]));
      }
    return n;
  }

  Editor editor;
  BVPanelControl* panel;
};

bool IsCyan(const IColor& c)
{
  return c.G > 150 && c.B > 160 && c.R < 60;
}

bool IsLike(const IColor& c, const IColor& target)
{
  return Near(c, target, 40) && c.R + c.G + c.B > 200;
}

PanelScopePayload LiveState()
{
  PanelScopePayload s;
  s.blendPhase = 0.0;
  s.blendDepth = 1.0;
  s.motionAPhase = 0.0;
  s.motionBPhase = 0.0;
  s.motionADepth = 1.0;
  s.motionBDepth = 1.0;
  s.motionAShape = 0; // sine
  s.motionBShape = 3; // ramp down
  return s;
}

} // namespace

TEST(BVPanelControl, SnapshotShowsTitleSectionsAndScopes)
{
  PanelEditor p;
  ASSERT_TRUE(p.editor.fontLoaded);
  ASSERT_TRUE(p.editor.graphics->Tick());
  p.Send(LiveState());
  ASSERT_TRUE(p.editor.graphics->Tick()); // the message made the panel dirty
  EXPECT_TRUE(p.editor.graphics->WritePNG((std::string(SNAPSHOT_DIR) + "/panel.png").c_str()));

  struct Spot
  {
    const char* what;
    int x, y;
    IColor expected;
  };
  const Spot spots[] = {
    {"background above the sections", 800, 50, COLOR_BV_BG},
    {"background between sections", 226, 200, COLOR_BV_BG},
    {"Sample A panel", 100, 200, COLOR_BV_PANEL},
    {"Filter panel", 760, 300, COLOR_BV_PANEL},
    {"Output panel", 1400, 300, COLOR_BV_PANEL},
    {"meter well", 1453, 200, COLOR_BV_PANEL_DARK},
    {"scope A background", 1106, 197, IColor(255, 8, 18, 24)},
    {"Blend preview background", 466, 229, IColor(255, 8, 18, 24)},
  };
  for (const Spot& s : spots)
    EXPECT_TRUE(Near(p.At(s.x, s.y), s.expected, 3)) << s.what << ": " << Str(p.At(s.x, s.y));

  // Section frames: the 1.2 wide outline lands on the box edge.
  EXPECT_GT(p.Count(IRECT(10, 150, 15, 151), [](const IColor& c) { return c.R > 35 && c.B > 55; }), 0);

  const auto isText = [](const IColor& c) { return IsLike(c, COLOR_BV_TEXT); };
  const auto isMuted = [](const IColor& c) { return IsLike(c, COLOR_BV_MUTED); };
  EXPECT_GT(p.Count(IRECT(14, 5, 344, 45), isText), 150) << "title";
  EXPECT_GT(p.Count(IRECT(360, 9, 780, 43), isMuted), 150) << "subtitle";
  EXPECT_GT(p.Count(IRECT(1368, 12, 1460, 36), isMuted), 30) << "version line";
  for (float left : {12.f, 230.f, 448.f, 584.f, 952.f, 1216.f, 1380.f})
    EXPECT_GT(p.Count(IRECT(left + 12, 68, left + 80, 90), isText), 30) << "caption at " << left;

  // Scope A (sine, full depth): the wave peaks a quarter of the way in, 0.27 of the height up.
  EXPECT_GT(p.Count(IRECT(1123, 173, 1126, 178), IsCyan), 0);
  EXPECT_EQ(p.Count(IRECT(1123, 190, 1126, 199), IsCyan), 0);
  // Scope B (ramp down): high at the left edge, low at the right.
  EXPECT_GT(p.Count(IRECT(1103, 267, 1106, 272), IsCyan), 0);
  EXPECT_GT(p.Count(IRECT(1186, 284, 1189, 289), IsCyan), 0);
  // Blend preview at full depth: up a quarter in, down three quarters in.
  EXPECT_GT(p.Count(IRECT(486, 236, 489, 241), IsCyan), 0);
  EXPECT_GT(p.Count(IRECT(536, 265, 539, 270), IsCyan), 0);
}

TEST(BVPanelControl, InitialPreviewIsAFlatBlendAndTwoSines)
{
  PanelEditor p;
  const PanelScopePayload& s = p.panel->GetPreviewState();
  EXPECT_EQ(s.motionAPhase, 0.2);
  EXPECT_EQ(s.motionBPhase, 1.1);
  EXPECT_EQ(s.motionADepth, 0.45);
  EXPECT_EQ(s.motionBDepth, 0.3);
  EXPECT_EQ(s.blendDepth, 0.0);
  p.editor.graphics->Tick();
  // A flat Blend wave lies on the middle line only.
  EXPECT_GT(p.Count(IRECT(470, 252, 560, 255), IsCyan), 60);
  EXPECT_EQ(p.Count(IRECT(470, 228, 560, 249), IsCyan), 0);
  EXPECT_TRUE(p.panel->GetIgnoreMouse());
}

TEST(BVPanelControl, OnlyTheScopeMessageOfTheRightSizeIsTaken)
{
  struct Case
  {
    const char* what;
    int size, tag;
    bool taken;
  };
  const Case cases[] = {
    {"48 bytes", 48, 1001, false},
    {"64 bytes", 64, 1001, false},
    {"another message", 56, 1002, false},
    {"the scope message", 56, 1001, true},
  };
  for (const Case& c : cases)
  {
    PanelEditor p;
    p.editor.graphics->Tick();
    p.Send(LiveState(), c.size, c.tag);
    EXPECT_EQ(p.panel->GetPreviewState().blendDepth == 1.0, c.taken) << c.what;
    EXPECT_EQ(p.editor.graphics->Tick(), c.taken) << c.what; // redrawn only when taken
  }
  PanelEditor p;
  p.panel->OnMsgFromDelegate(1001, 56, nullptr);
  EXPECT_EQ(p.panel->GetPreviewState().motionADepth, 0.45);
}

// Shapes and depths are clamped when drawn: compare the scope's pixels with the clamped value.
TEST(BVPanelControl, ScopeClampsShapeAndDepth)
{
  auto render = [](int shape, double depth) {
    Editor e(100, 50);
    e.Add(IRECT(0, 0, 100, 50), [=](IGraphics& g, DrawFuncControl&) {
      BVPanelControl::DrawShapeScope(g, IRECT(5, 5, 93, 37), 0.3, shape, depth);
    });
    e.graphics->Tick();
    return e.graphics->ReadPixels();
  };
  EXPECT_EQ(render(9, 0.8), render(6, 0.8)) << "shape 9 draws the Glider";
  EXPECT_EQ(render(-3, 0.8), render(0, 0.8)) << "shape -3 draws the Sine";
  EXPECT_EQ(render(2, 2.0), render(2, 1.0)) << "depth 2 draws as depth 1";
  EXPECT_EQ(render(2, -1.0), render(2, 0.0)) << "a negative depth draws a flat line";
  EXPECT_NE(render(2, 1.0), render(2, 0.0));
}

// Each box edge to the pixel: the last pixel of the fill inside the frame, and the first beyond it.
TEST(BVPanelControl, SectionBoxesAndTheMeterWellEndOnTheDesignGrid)
{
  PanelEditor p;
  ASSERT_TRUE(p.editor.graphics->Tick());
  const struct
  {
    const char* what;
    int x, y;
    IColor expected;
  } spots[] = {
    {"Sample A box, bottom, inside", 100, 326, COLOR_BV_PANEL},
    {"Sample A box, bottom, outside", 100, 329, COLOR_BV_BG},
    {"Output box, bottom, inside", 1420, 326, COLOR_BV_PANEL},
    {"Output box, bottom, outside", 1420, 329, COLOR_BV_BG},
    {"Output box, right, inside", 1470, 200, COLOR_BV_PANEL},
    {"Output box, right, outside", 1473, 200, COLOR_BV_BG},
    {"meter well, left, outside", 1444, 200, COLOR_BV_PANEL},
    {"meter well, left, inside", 1447, 200, COLOR_BV_PANEL_DARK},
    {"meter well, right, inside", 1458, 200, COLOR_BV_PANEL_DARK},
    {"meter well, right, outside", 1461, 200, COLOR_BV_PANEL},
    {"meter well, top, outside", 1453, 116, COLOR_BV_PANEL},
    {"meter well, top, inside", 1453, 119, COLOR_BV_PANEL_DARK},
    {"meter well, bottom, inside", 1453, 284, COLOR_BV_PANEL_DARK},
    {"meter well, bottom, outside", 1453, 287, COLOR_BV_PANEL},
  };
  for (const auto& s : spots)
    EXPECT_EQ(Str(p.At(s.x, s.y)), Str(s.expected)) << s.what;
}
