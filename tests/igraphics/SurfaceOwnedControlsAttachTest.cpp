// The surface's special controls: what each attach operation adopts, and how often.
#include "SurfaceFixture.h"
#include "VectorTestControl.h"
#include "igraphics/IBubbleControl.h"
#include "igraphics/IContainerBase.h"
#include "igraphics/ICornerResizerControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

using SpecialControls = SurfaceFixture;

int CountAllControls(IGraphics& g)
{
  int n = 0;
  g.ForAllControlsFunc([&n](IControl*) { ++n; });
  return n;
}

TEST_F(SpecialControls, PanelBackgroundCoversTheEditorAndIsDrawnFirst)
{
  Attach("a");
  g.AttachPanelBackground(IPattern(COLOR_RED));
  ASSERT_EQ(g.NControls(), 2);
  IControl* pBackground = g.GetControl(0);
  EXPECT_NE(dynamic_cast<IPanelControl*>(pBackground), nullptr);
  EXPECT_EQ(pBackground->GetRECT(), g.GetBounds());
  EXPECT_EQ(pBackground->GetUI(), &g);
}

TEST_F(SpecialControls, EachCallAttachesAnotherHiddenBubbleThatIgnoresTheMouse)
{
  g.AttachBubbleControl();
  g.AttachBubbleControl(IText(20.f));
  ASSERT_EQ(g.NBubbleControls(), 2);
  for (int i = 0; i < 2; ++i)
  {
    const IBubbleControl* pBubble = g.GetBubbleControl(i);
    EXPECT_EQ(pBubble->GetUI(), &g);
    EXPECT_TRUE(pBubble->IsHidden());
    EXPECT_TRUE(pBubble->GetIgnoreMouse());
  }
  EXPECT_FLOAT_EQ(g.GetBubbleControl(1)->GetText().mSize, 20.f);
}

TEST_F(SpecialControls, MenuTextEntryResizerAndDisplayAreAttachedOnce)
{
  int count = CountAllControls(g);
  g.AttachPopupMenuControl();
  g.AttachPopupMenuControl(DEFAULT_TEXT, IRECT(0, 0, 100, 100));
  EXPECT_EQ(CountAllControls(g), ++count);

  g.AttachTextEntryControl();
  g.AttachTextEntryControl();
  EXPECT_EQ(CountAllControls(g), ++count);

  g.AttachCornerResizer(EUIResizerMode::Size);
  const ICornerResizerControl* pResizer = g.GetCornerResizer();
  g.AttachCornerResizer(EUIResizerMode::Scale);
  EXPECT_EQ(CountAllControls(g), ++count);
  EXPECT_EQ(g.GetCornerResizer(), pResizer);
  EXPECT_EQ(g.GetResizerMode(), EUIResizerMode::Size);

  g.ShowFPSDisplay(true);
  g.ShowFPSDisplay(true);
  EXPECT_EQ(CountAllControls(g), ++count);
}

TEST_F(SpecialControls, StyleAllVectorControlsReachesOnlyVectorControls)
{
  auto* pVector = static_cast<VectorTestControl*>(g.AttachControl(new VectorTestControl(IRECT(0, 0, 10, 10))));
  Attach("plain");
  IVStyle style = DEFAULT_STYLE;
  style.roundness = 0.5f;
  style.colorSpec.SetColor(kFG, COLOR_RED);

  g.StyleAllVectorControls(style);

  EXPECT_FLOAT_EQ(pVector->GetStyle().roundness, 0.5f);
  EXPECT_EQ(pVector->GetColor(kFG), COLOR_RED);
  EXPECT_EQ(pVector->mStyleChanges, 1);
}

} // namespace
