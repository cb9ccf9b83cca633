// Children of containers repaint and draw only within their containers.
#include "SurfaceFixture.h"

#include "igraphics/IContainerBase.h"

using namespace iplug::igraphics;

namespace
{

class ClipRecordingGraphics : public RecordingGraphics
{
public:
  using RecordingGraphics::RecordingGraphics;
  void SetClipRegion(const IRECT& r) override { clips.push_back(r); }
  std::vector<IRECT> clips;
};

class DrawnControl : public IControl
{
public:
  DrawnControl(const IRECT& r, int& draws) : IControl(r), mDraws(draws) {}
  void Draw(IGraphics&) override { ++mDraws; }

private:
  int& mDraws;
};

struct ContainerDrawing : ::testing::Test
{
  ContainerDrawing()
  {
    panel = static_cast<IPanelControl*>(g.AttachControl(new IPanelControl(IRECT(0, 0, 30, 30), COLOR_GRAY)));
  }

  IControl* AddChild(const IRECT& r) { return panel->AddChildControl(new DrawnControl(r, draws)); }

  EventLog log;
  FakeEditorDelegate dlg{log, 0};
  ClipRecordingGraphics g{log, dlg, 200, 200};
  IPanelControl* panel = nullptr;
  int draws = 0;
};

} // namespace

TEST_F(ContainerDrawing, ADirtyChildRepaintsOnlyInsideItsContainer)
{
  AddChild(IRECT(10, 10, 50, 50));
  g.SetAllControlsClean();
  g.GetControl(1)->SetDirty(false);

  IRECTList rects;
  ASSERT_TRUE(g.IsDirty(rects));
  ASSERT_EQ(rects.Size(), 1);
  // Moved inside the container's padded bounds, then cut to them.
  EXPECT_EQ(rects.Get(0), IRECT(-0.75f, -0.75f, 29.75f, 29.75f));
}

TEST_F(ContainerDrawing, AChildOutsideItsContainerIsNotDrawnAndOneAcrossItsEdgeIsClipped)
{
  AddChild(IRECT(100, 100, 150, 150)); // wholly outside
  AddChild(IRECT(20, 20, 60, 60));     // across the edge
  IRECTList rects;
  rects.Add(g.GetBounds());
  g.clips.clear();
  g.Draw(rects);

  EXPECT_EQ(draws, 1);
  ASSERT_EQ(g.clips.size(), 2u); // the panel, then the child across its edge
  const IRECT childClip = g.clips.back();
  EXPECT_LE(childClip.R, 31.f);
  EXPECT_LE(childClip.B, 31.f);
  EXPECT_GT(childClip.W(), 0.f);
}

TEST_F(ContainerDrawing, RemovingAContainerOrAChildLeavesNoPointerBehind)
{
  IControl* child = AddChild(IRECT(5, 5, 10, 10));
  IControl* other = AddChild(IRECT(12, 12, 20, 20));
  g.RemoveControl(child);
  EXPECT_EQ(panel->NChildren(), 1);
  panel->Hide(true); // reaches only the child still there
  EXPECT_TRUE(other->IsHidden());

  g.RemoveControl(panel);
  EXPECT_EQ(other->GetParent(), nullptr);
  // The orphan still repaints and draws, now unconfined.
  IRECTList rects;
  other->SetDirty(false);
  ASSERT_TRUE(g.IsDirty(rects));
}
