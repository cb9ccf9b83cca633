#include <functional>
#include <memory>

#include "SurfaceFixture.h"
#include "igraphics/IBubbleControl.h"
#include "igraphics/ICornerResizerControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

using Surface = SurfaceFixture;

TEST_F(Surface, AttachRunsTheHooksInOrderAndSetsTheGroup)
{
  TestControl* pControl = Attach("a", 0, 7, "knobs");
  ASSERT_NE(pControl, nullptr);
  EXPECT_EQ(log.events, (std::vector<std::string>{"a init", "a resize", "a rescale", "a attached"}));
  EXPECT_EQ(pControl->GetUI(), &g);
  EXPECT_EQ(pControl->GetDelegate(), &dlg);
  EXPECT_STREQ(pControl->GetGroup(), "knobs");
  EXPECT_EQ(g.GetControlWithTag(7), pControl);
}

TEST_F(Surface, DuplicateTagIsRefusedAndTheRefusedControlIsNotLeaked)
{
  TestControl* pFirst = Attach("first", 0, 3);
  const int deletedBefore = TestControl::sDeleted;

  EXPECT_EQ(Attach("second", 1, 3), nullptr);

  EXPECT_EQ(TestControl::sDeleted, deletedBefore + 1);
  EXPECT_EQ(g.NControls(), 1);
  EXPECT_EQ(g.GetControlWithTag(3), pFirst);
  EXPECT_FALSE(Logged("second attached"));

  EXPECT_NE(Attach("untagged 1"), nullptr);
  EXPECT_NE(Attach("untagged 2"), nullptr);
  EXPECT_EQ(g.NControls(), 3);
}

TEST_F(Surface, BackgroundGoesFirstWhateverTheAttachOrder)
{
  TestControl* pA = Attach("a");
  TestControl* pB = Attach("b");
  IControl* pBackground = g.AttachBackgroundControl(new TestControl(log, "bg", g.GetBounds()));

  ASSERT_EQ(g.NControls(), 3);
  EXPECT_EQ(g.GetControl(0), pBackground);
  EXPECT_EQ(g.GetControl(1), pA);
  EXPECT_EQ(g.GetControl(2), pB);
  EXPECT_EQ(g.GetControl(3), nullptr);
}

TEST_F(Surface, UserChangeReachesTheDelegateThenThePeersThenTheAction)
{
  TestControl* pPeer = Attach("peer", 0);
  Attach("other", 1);
  auto* pKnob = static_cast<TestControl*>(g.AttachControl(
    new TestControl(log, "knob", IRECT(0.f, 0.f, 10.f, 10.f), 0, [this](IControl*) { log.Add("action"); })));
  log.Clear();

  pKnob->SetValueFromUserInput(0.5);

  EXPECT_EQ(log.events, (std::vector<std::string>{"send 0 0.500000", "peer from delegate 0 0.500000", "action"}));
  EXPECT_EQ(pPeer->GetValue(), 0.5);
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->Value(), 0.5);
}

TEST_F(Surface, EqualValueFromTheUserDoesNothing)
{
  auto* pKnob = static_cast<TestControl*>(g.AttachControl(
    new TestControl(log, "knob", IRECT(0.f, 0.f, 10.f, 10.f), 0, [this](IControl*) { log.Add("action"); })));
  pKnob->SetValue(0.3);
  pKnob->SetClean();
  log.Clear();

  pKnob->SetValueFromUserInput(0.3);

  EXPECT_TRUE(log.events.empty());
  EXPECT_FALSE(pKnob->IsDirty());
}

TEST_F(Surface, MultiValueChangeUpdatesThePeersOfEveryValue)
{
  auto* pPad = static_cast<TestControl*>(
    g.AttachControl(new TestControl(log, "pad", IRECT(0.f, 0.f, 10.f, 10.f), {0, 1})));
  TestControl* pGainPeer = Attach("gain", 0);
  TestControl* pPanPeer = Attach("pan", 1);
  pPad->SetValue(0.2, 0);
  pPad->SetValue(0.9, 1);

  pPad->SetDirty(true, kNoValIdx);

  EXPECT_EQ(pGainPeer->GetValue(), 0.2);
  EXPECT_EQ(pPanPeer->GetValue(), 0.9);
  EXPECT_LT(IndexOf("send 0 0.200000"), IndexOf("gain from delegate 0 0.200000"));
  EXPECT_LT(IndexOf("gain from delegate 0 0.200000"), IndexOf("send 1 0.900000"));
}

TEST_F(Surface, UpdatePeersIgnoresAValueIndexTheCallerDoesNotHave)
{
  TestControl* pCaller = Attach("caller", 0);
  Attach("peer", 0);
  Attach("unlinked 1");
  Attach("unlinked 2");
  log.Clear();

  g.UpdatePeers(pCaller, kNoValIdx);
  g.UpdatePeers(pCaller, 5);
  g.UpdatePeers(g.GetControl(2), 0);

  EXPECT_TRUE(log.events.empty());
}

TEST_F(Surface, CapturedControlIgnoresTheDelegateUntilReleased)
{
  TestControl* pKnob = Attach("knob", 0);
  g.Capture(0, pKnob);

  pKnob->SetValueFromDelegate(0.7);
  EXPECT_EQ(pKnob->GetValue(), 0.);

  g.ReleaseMouseCapture();
  pKnob->SetValueFromDelegate(0.7);
  EXPECT_EQ(pKnob->GetValue(), 0.7);
}

TEST_F(Surface, ReleasingCapturesShowsAHiddenCursor)
{
  g.Capture(0, Attach("knob", 0));
  g.SetCursorHidden(true);
  g.ReleaseMouseCapture();
  EXPECT_EQ(g.NCaptures(), 0);
  EXPECT_TRUE(Logged("show cursor"));
}

TEST_F(Surface, ResizeCallsThePlatformThenTheDrawingSurface)
{
  Attach("a");
  log.Clear();

  g.Resize(600, 200, 1.5f);

  EXPECT_EQ(g.Width(), 600);
  EXPECT_EQ(g.Height(), 200);
  EXPECT_EQ(g.GetDrawScale(), 1.5f);
  EXPECT_EQ(log.events, (std::vector<std::string>{"host resize 900x300 platform", "platform resize parent", "a resize",
                                                  "draw resize", "post resize"}));
}

TEST_F(Surface, ScreenScaleResizesThePlatformAndRescalesEveryControl)
{
  Attach("a");
  g.Resize(400, 300, 1.5f);
  log.Clear();

  g.SetScreenScale(2.f);

  EXPECT_EQ(g.GetBackingPixelScale(), 3.f);
  EXPECT_EQ(log.events, (std::vector<std::string>{"host resize 600x450 platform", "platform resize parent", "a rescale",
                                                  "draw resize"}));
}

TEST_F(Surface, ResizeClampsTheScaleAndRespectsTheDelegatesLimits)
{
  const struct
  {
    float lo, hi, asked, want;
  } cases[] = {
    {0.5f, 4.f, 10.f, 4.f},
    {2.f, 1.f, 10.f, 2.f},
    {2.f, 1.f, 0.1f, 1.f},
    {0.5f, 4.f, 0.75f, 0.75f},
  };
  for (const auto& c : cases)
  {
    g.SetScaleConstraints(c.lo, c.hi);
    g.Resize(401, 300, c.asked);
    EXPECT_EQ(g.GetDrawScale(), c.want) << c.asked;
    g.Resize(400, 300, 1.f);
  }

  dlg.mMaxWidth = 500;
  g.Resize(900, 300, 1.f);
  EXPECT_EQ(g.Width(), 500);
}

TEST_F(Surface, ResizeToTheCurrentSizeAndScaleDoesNothing)
{
  Attach("a");
  g.Capture(0, g.GetControl(0));
  log.Clear();

  g.Resize(400, 300, 1.f);
  g.Resize(400, 300, 0.25f * 4.f);

  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(g.NCaptures(), 1);
}

TEST_F(Surface, ResizeRunsTheLayoutAgainOnlyWhenAsked)
{
  g.Resize(500, 300, 1.f);
  EXPECT_FALSE(Logged("layout"));
  g.SetLayoutOnResize(true);
  g.Resize(600, 300, 1.f);
  EXPECT_LT(IndexOf("draw resize"), IndexOf("layout"));
}

TEST_F(Surface, ResizeDuringADragEndsTheHostGesture)
{
  TestControl* pKnob = Attach("knob", 3);
  g.BeginHostGesture(3); // as the press that captured it did
  g.Capture(0, pKnob);
  log.Clear();

  g.Resize(500, 300, 1.f);

  EXPECT_EQ(log.events.front(), "end 3");
  EXPECT_EQ(g.NCaptures(), 0);
}

TEST_F(Surface, RemovingACapturedControlEndsEveryGestureAndReleasesEveryCapture)
{
  TestControl* pKnob = Attach("knob", 3);
  TestControl* pOther = Attach("other", 1, 9);
  g.BeginHostGesture(3); // as the presses that captured them did
  g.BeginHostGesture(1);
  g.Capture(0, pKnob);
  g.Capture(1, pOther);
  g.Hover(pOther);
  log.Clear();

  g.RemoveControlWithTag(9);

  EXPECT_TRUE(Logged("end 3"));
  EXPECT_TRUE(Logged("end 1"));
  EXPECT_EQ(g.NCaptures(), 0);
  EXPECT_EQ(g.GetMouseOver(), nullptr);
  EXPECT_EQ(g.GetMouseOverIdx(), -1);
  EXPECT_EQ(g.GetControlWithTag(9), nullptr);
  EXPECT_EQ(g.NControls(), 1);
  EXPECT_NE(Attach("again", 1, 9), nullptr);
}

TEST_F(Surface, RemovingAnUncapturedControlLeavesTheDragAlone)
{
  TestControl* pKnob = Attach("knob", 3);
  Attach("other", 1);
  g.Capture(0, pKnob);
  log.Clear();

  g.RemoveControl(1);

  EXPECT_FALSE(Logged("end 3"));
  EXPECT_EQ(g.NCaptures(), 1);
  EXPECT_TRUE(pKnob->IsDirty());
}

TEST_F(Surface, RemoveControlsDeletesFromTheEnd)
{
  for (const char* name : {"a", "b", "c", "d"})
    Attach(name, kNoParameter, name[0]);
  const int deletedBefore = TestControl::sDeleted;

  g.RemoveControls(2);

  EXPECT_EQ(TestControl::sDeleted, deletedBefore + 2);
  EXPECT_EQ(g.NControls(), 2);
  EXPECT_EQ(g.GetControlWithTag('c'), nullptr);
  EXPECT_NE(g.GetControlWithTag('b'), nullptr);
}

struct CountedResizer : ICornerResizerControl
{
  explicit CountedResizer(const IRECT& bounds) : ICornerResizerControl(bounds, 20.f) {}
  ~CountedResizer() override { ++sDeleted; }
  static inline int sDeleted = 0;
};

TEST_F(Surface, CornerResizerIsKeptOnceAndIteratedAfterTheOrdinaryControls)
{
  Attach("a");
  auto* pResizer = new CountedResizer(g.GetBounds());
  g.AttachCornerResizer(pResizer, EUIResizerMode::Size, true);
  const int deletedBefore = CountedResizer::sDeleted;
  g.AttachCornerResizer(new CountedResizer(g.GetBounds()), EUIResizerMode::Scale, false);

  EXPECT_EQ(CountedResizer::sDeleted, deletedBefore + 1);
  EXPECT_EQ(g.GetCornerResizer(), pResizer);
  EXPECT_EQ(g.GetResizerMode(), EUIResizerMode::Size);
  EXPECT_TRUE(g.GetLayoutOnResize());

  std::vector<IControl*> order;
  g.ForAllControlsFunc([&order](IControl* pControl) { order.push_back(pControl); });
  EXPECT_EQ(order, (std::vector<IControl*>{g.GetControl(0), pResizer}));
}

TEST_F(Surface, IterationByParameterAndGroup)
{
  auto* pPad = g.AttachControl(new TestControl(log, "pad", IRECT(0.f, 0.f, 10.f, 10.f), {0, 1}));
  IControl* pGain = Attach("gain", 0, kNoTag, "left");
  Attach("pan", 1, kNoTag, "right");
  Attach("plain");

  int visits = 0;
  g.ForControlWithParam({0, 1}, [&visits](IControl*) { ++visits; });
  EXPECT_EQ(visits, 4);

  std::vector<IControl*> gainControls;
  g.ForControlWithParam(0, [&](IControl* pControl) { gainControls.push_back(pControl); });
  EXPECT_EQ(gainControls, (std::vector<IControl*>{pPad, pGain}));
  EXPECT_EQ(g.GetControlWithParamIdx(1), pPad);

  std::vector<IControl*> left;
  g.ForControlInGroup("left", [&](IControl* pControl) { left.push_back(pControl); });
  EXPECT_EQ(left, (std::vector<IControl*>{pGain}));
  int ungrouped = 0;
  g.ForControlInGroup("", [&](IControl*) { ++ungrouped; });
  EXPECT_EQ(ungrouped, 0);

  g.HideControl(0, true);
  EXPECT_TRUE(pPad->IsHidden() && pGain->IsHidden());
  EXPECT_FALSE(g.GetControl(2)->IsHidden());
}

TEST_F(Surface, IteratingWithAnEmptyFunctionIsAnError)
{
  EXPECT_THROW(g.ForStandardControlsFunc(nullptr), std::bad_function_call);
  EXPECT_THROW(g.ForAllControlsFunc(nullptr), std::bad_function_call);
  EXPECT_THROW(g.ForControlInGroup("x", nullptr), std::bad_function_call);
}

TEST_F(Surface, ParameterNamesBecomeTooltips)
{
  IControl* pGain = Attach("gain", 0);
  IControl* pPlain = Attach("plain");
  g.EnableTooltips(true);
  g.AssignParamNameToolTips();
  EXPECT_STREQ(pGain->GetTooltip(), "Gain");
  EXPECT_STREQ(pPlain->GetTooltip(), "");
  EXPECT_TRUE(g.MouseOverEnabled());
}

TEST_F(Surface, DirtyAndCleanReachEveryControl)
{
  IControl* pA = Attach("a");
  g.AttachBubbleControl(new IBubbleControl());
  g.SetAllControlsClean();
  EXPECT_FALSE(pA->IsDirty() || g.GetBubbleControl(0)->IsDirty());
  g.SetAllControlsDirty();
  EXPECT_TRUE(pA->IsDirty() && g.GetBubbleControl(0)->IsDirty());
}

struct CountedBitmap : APIBitmap
{
  explicit CountedBitmap(int& deleted) : mDeleted(deleted) {}
  ~CountedBitmap() override { ++mDeleted; }
  int& mDeleted;
};

TEST(SurfaceCaches, TheLastSurfaceToCloseEmptiesTheSharedCaches)
{
  EventLog log;
  FakeEditorDelegate dlg(log, 0);
  int deleted = 0;
  auto pFirst = std::make_unique<RecordingGraphics>(log, dlg, 100, 100);
  auto pSecond = std::make_unique<RecordingGraphics>(log, dlg, 100, 100);
  {
    StaticStorage<APIBitmap>::Accessor cache(IGraphics::BitmapCache());
    cache.Add(new CountedBitmap(deleted), "knob.png");
  }

  pFirst.reset();
  {
    StaticStorage<APIBitmap>::Accessor cache(IGraphics::BitmapCache());
    EXPECT_EQ(cache.Size(), 1);
    EXPECT_EQ(deleted, 0);
  }

  pSecond.reset();
  StaticStorage<APIBitmap>::Accessor cache(IGraphics::BitmapCache());
  EXPECT_EQ(cache.Size(), 0);
  EXPECT_EQ(cache.Users(), 0);
  EXPECT_EQ(deleted, 1);
}

} // namespace
