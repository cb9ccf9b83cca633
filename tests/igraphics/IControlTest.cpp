#include "SurfaceFixture.h"
#include "igraphics/IPopupMenu.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

using Control = SurfaceFixture;

TEST_F(Control, ConstructionGivesOneValuePerParameter)
{
  TestControl single(log, "single", IRECT(0.f, 0.f, 1.f, 1.f), 2);
  TestControl pair(log, "pair", IRECT(0.f, 0.f, 1.f, 1.f), {3, 1});
  TestControl none(log, "none", IRECT(0.f, 0.f, 1.f, 1.f), std::initializer_list<int>{});

  EXPECT_EQ(single.NVals(), 1);
  EXPECT_EQ(single.GetParamIdx(), 2);
  EXPECT_EQ(pair.NVals(), 2);
  EXPECT_EQ(pair.GetParamIdx(1), 1);
  EXPECT_EQ(pair.LinkedToParam(1), 1);
  EXPECT_EQ(pair.LinkedToParam(0), kNoValIdx);
  EXPECT_EQ(none.NVals(), 0);
  EXPECT_EQ(single.GetTargetRECT(), single.GetRECT());
  EXPECT_TRUE(single.IsDirty());
}

TEST_F(Control, DirtyWithoutActionClampsButSendsNothing)
{
  TestControl* pPeer = Attach("peer", 0);
  auto* pKnob = static_cast<TestControl*>(g.AttachControl(
    new TestControl(log, "knob", IRECT(0.f, 0.f, 10.f, 10.f), 0, [this](IControl*) { log.Add("action"); })));
  pKnob->SetValue(1.7);
  pKnob->SetClean();
  log.Clear();

  pKnob->SetDirty(false, 5);

  EXPECT_EQ(pKnob->GetValue(), 1.);
  EXPECT_TRUE(pKnob->IsDirty());
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(pPeer->GetValue(), 0.);
}

TEST_F(Control, DelegateValueIsStoredWithoutActionOrEcho)
{
  auto* pKnob = static_cast<TestControl*>(g.AttachControl(
    new TestControl(log, "knob", IRECT(0.f, 0.f, 10.f, 10.f), 0, [this](IControl*) { log.Add("action"); })));
  Attach("peer", 0);
  log.Clear();

  pKnob->SetValueFromDelegate(0.4);

  EXPECT_EQ(log.events, (std::vector<std::string>{"knob from delegate 0 0.400000"}));
  EXPECT_EQ(pKnob->GetValue(), 0.4);
}

TEST_F(Control, DoubleClickResetsToTheDefaultAndTheDefaultReachesTheParameter)
{
  TestControl* pCutoff = Attach("cutoff", 3);
  pCutoff->SetValueFromUserInput(0.9);
  ASSERT_DOUBLE_EQ(dlg.GetParam(3)->Value(), 90.);

  pCutoff->OnMouseDblClick(20.f, 20.f, IMouseMod());

  EXPECT_DOUBLE_EQ(pCutoff->GetValue(), 0.5);
  EXPECT_DOUBLE_EQ(dlg.GetParam(3)->Value(), 50.);
}

TEST_F(Control, SetValueToDefaultSkipsValuesWithoutAParameter)
{
  auto* pPad = g.AttachControl(new TestControl(log, "pad", IRECT(0.f, 0.f, 10.f, 10.f), {0, 42}));
  pPad->SetValue(0.9, 0);
  pPad->SetValue(0.8, 1);

  pPad->SetValueToDefault(kNoValIdx);

  EXPECT_DOUBLE_EQ(pPad->GetValue(0), 0.25);
  EXPECT_DOUBLE_EQ(pPad->GetValue(1), 0.8);
  EXPECT_EQ(pPad->GetParam(1), nullptr);
}

TEST_F(Control, SnapToMouse)
{
  const IRECT track(0.f, 100.f, 200.f, 200.f);
  const struct
  {
    EDirection dir;
    float x, y;
    double minClip, maxClip, want;
  } cases[] = {
    {EDirection::Vertical, 50.f, 100.f, 0., 1., 1.},       {EDirection::Vertical, 50.f, 200.f, 0., 1., 0.},
    {EDirection::Vertical, 50.f, 150.f, 0., 1., 0.5},      {EDirection::Vertical, 50.f, 20.f, 0., 1., 1.},
    {EDirection::Vertical, 50.f, 900.f, 0., 1., 0.},       {EDirection::Vertical, 50.f, 133.3f, 0., 1., 0.667},
    {EDirection::Horizontal, 50.f, 150.f, 0., 1., 0.25},   {EDirection::Horizontal, -10.f, 150.f, 0., 1., 0.},
    {EDirection::Horizontal, 190.f, 150.f, 0.1, 0.9, 0.9},
  };
  TestControl* pSlider = Attach("slider", 1);
  for (const auto& c : cases)
  {
    pSlider->SnapToMouse(c.x, c.y, c.dir, track, kNoValIdx, c.minClip, c.maxClip);
    EXPECT_NEAR(pSlider->GetValue(), c.want, 1e-12) << c.x << ", " << c.y;
  }
  EXPECT_NEAR(dlg.GetParam(1)->Value(), 0.9, 1e-9);
}

// A track without length along the drag has no position on it: the value stays, never NaN.
TEST_F(Control, SnapToMouseOnATrackWithoutLengthLeavesTheValue)
{
  TestControl* pSlider = Attach("slider", 1);
  pSlider->SnapToMouse(50.f, 150.f, EDirection::Horizontal, IRECT(0.f, 100.f, 200.f, 200.f), kNoValIdx);
  ASSERT_NEAR(pSlider->GetValue(), 0.25, 1e-12);
  pSlider->SnapToMouse(50.f, 150.f, EDirection::Vertical, IRECT(0.f, 150.f, 200.f, 150.f), kNoValIdx);
  pSlider->SnapToMouse(50.f, 150.f, EDirection::Horizontal, IRECT(50.f, 100.f, 50.f, 200.f), kNoValIdx);
  EXPECT_NEAR(pSlider->GetValue(), 0.25, 1e-12);
}

TEST_F(Control, PositionAndSize)
{
  TestControl* pControl = Attach("c");
  pControl->SetTargetRECT(IRECT(15.f, 12.f, 45.f, 40.f));

  pControl->SetPosition(-5.f, 10.f);
  EXPECT_EQ(pControl->GetRECT(), IRECT(0.f, 10.f, 40.f, 50.f));
  EXPECT_EQ(pControl->GetTargetRECT(), IRECT(5.f, 12.f, 35.f, 40.f));

  pControl->SetSize(-3.f, 20.f);
  EXPECT_EQ(pControl->GetRECT(), IRECT(0.f, 10.f, 0.f, 30.f));
  EXPECT_EQ(pControl->GetTargetRECT(), pControl->GetRECT());
}

TEST_F(Control, DisablingSetsTheBlendWeight)
{
  TestControl* pControl = Attach("c");
  const struct
  {
    float before;
    bool disable;
    float want;
  } cases[] = {{1.f, true, 0.25f}, {0.6f, true, 0.25f}, {0.25f, false, 1.f}, {0.1f, false, 1.f}};
  for (const auto& c : cases)
  {
    pControl->SetBlend(IBlend(EBlend::Default, c.before));
    pControl->SetDisabled(c.disable);
    EXPECT_EQ(pControl->GetBlend().mWeight, c.want);
    EXPECT_EQ(pControl->IsDisabled(), c.disable);
  }
}

TEST_F(Control, SetParamIdxRefusesAMissingValueIndex)
{
  TestControl* pControl = Attach("c", 0);
  EXPECT_THROW(pControl->SetParamIdx(1, 1), std::out_of_range);
  EXPECT_THROW(pControl->SetParamIdx(1, -1), std::out_of_range);
  pControl->SetParamIdx(2);
  EXPECT_EQ(pControl->GetParamIdx(), 2);
}

TEST_F(Control, MenuSelectionSetsTheChosenItemAsTheValue)
{
  TestControl* pMode = Attach("mode", 2);
  pMode->DisablePrompt(false);
  IPopupMenu menu("", 0, false, {"A", "B", "C", "D"});
  menu.SetChosenItemIdx(2);

  pMode->OnPopupMenuSelection(&menu, 0);

  EXPECT_DOUBLE_EQ(pMode->GetValue(), 2. / 3.);
  EXPECT_DOUBLE_EQ(dlg.GetParam(2)->Value(), 2.);
}

TEST_F(Control, MenuSelectionWithoutAParameterChangesNothing)
{
  IPopupMenu menu("", 0, false, {"A", "B"});
  menu.SetChosenItemIdx(1);
  auto* pPad = g.AttachControl(new TestControl(log, "pad", IRECT(0.f, 0.f, 10.f, 10.f), {42, 2}));
  pPad->DisablePrompt(false);
  TestControl* pPrompting = Attach("prompting", 2);
  log.Clear();

  pPad->OnPopupMenuSelection(&menu, 0);
  pPad->OnPopupMenuSelection(&menu, 7);
  pPad->OnPopupMenuSelection(nullptr, 1);
  pPrompting->OnPopupMenuSelection(&menu, 0);

  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(pPad->GetValue(0), 0.);
}

TEST_F(Control, RightClickPromptsWithAMenuForAnEnumAndATextEntryOtherwise)
{
  TestControl* pMode = Attach("mode", 2);
  TestControl* pCutoff = Attach("cutoff", 3);
  TestControl* pSilent = Attach("silent", 0);
  pMode->DisablePrompt(false);
  pCutoff->DisablePrompt(false);
  pCutoff->SetPromptShowsParamLabel(true);
  g.mMenuChoice = 3;
  log.Clear();

  pMode->OnMouseDown(20.f, 20.f, IMouseMod(false, true));
  EXPECT_EQ(log.events.front(), "menu 4");
  EXPECT_STREQ(g.GetPromptMenu().GetRootTitle(), "Mode");
  EXPECT_TRUE(g.GetPromptMenu().GetItem(1)->GetChecked());
  EXPECT_DOUBLE_EQ(dlg.GetParam(2)->Value(), 3.);
  EXPECT_TRUE(Logged("end 2"));
  EXPECT_EQ(g.GetControlInPopupMenu(), nullptr);

  log.Clear();
  pCutoff->OnMouseDown(20.f, 20.f, IMouseMod(false, true));
  EXPECT_EQ(log.events.front(), "text entry 3 50.0 Hz");
  g.SetControlValueAfterTextEdit("150");
  EXPECT_DOUBLE_EQ(dlg.GetParam(3)->Value(), 100.);
  EXPECT_EQ(g.GetControlInTextEntry(), nullptr);

  log.Clear();
  pSilent->OnMouseDown(20.f, 20.f, IMouseMod(false, true));
  pCutoff->OnMouseDown(20.f, 20.f, IMouseMod(true, false));
  EXPECT_TRUE(log.events.empty());
}

TEST_F(Control, DismissedMenuDeliversNoChoice)
{
  TestControl* pMode = Attach("mode", 2);
  pMode->DisablePrompt(false);
  pMode->SetValueFromUserInput(1. / 3.);
  g.mMenuChoice = -1;

  // Opened by a press, the dismissed menu ends the press's gesture.
  g.BeginHostGesture(2);
  pMode->PromptUserInput(0);

  EXPECT_DOUBLE_EQ(pMode->GetValue(), 1. / 3.);
  EXPECT_TRUE(Logged("end 2"));

  // Opened without one, it neither begins nor ends a gesture.
  log.Clear();
  pMode->PromptUserInput(0);
  EXPECT_FALSE(Logged("begin 2"));
  EXPECT_FALSE(Logged("end 2"));
}

TEST_F(Control, TextEntryForAControlWithoutParameterGoesToTheControl)
{
  TestControl* pControl = Attach("c");
  g.CreateTextEntry(*pControl, DEFAULT_TEXT, IRECT(0.f, 0.f, 40.f, 16.f), "abc", 0);
  EXPECT_TRUE(Logged("text entry -1 abc"));
  g.SetControlValueAfterTextEdit("typed");
  EXPECT_TRUE(Logged("c text typed 0"));
}

TEST_F(Control, AnimationRunsACopyAndEndsWithTheEndAction)
{
  TestControl* pControl = Attach("c");
  EXPECT_EQ(pControl->GetAnimationProgress(), 0.);
  int ticks = 0;
  pControl->SetAnimation([&ticks](IControl* pCaller) {
    ++ticks;
    pCaller->OnEndAnimation();
  });
  pControl->SetAnimationEndActionFunction([this](IControl*) { log.Add("animation end"); });
  pControl->StartAnimation(0);
  pControl->SetClean();
  EXPECT_TRUE(pControl->IsDirty());
  EXPECT_GT(pControl->GetAnimationProgress(), 1.);

  pControl->Animate();
  pControl->Animate();

  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(Logged("animation end"));
  EXPECT_FALSE(pControl->GetAnimationFunction());
}

TEST_F(Control, GesturesGoToTheirHandler)
{
  TestControl* pControl = Attach("c");
  EXPECT_FALSE(pControl->GetWantsGestures());
  int calls = 0;
  pControl->AttachGestureRecognizer(EGestureType::Pinch, [&calls](IControl*, const IGestureInfo&) { ++calls; });
  pControl->AttachGestureRecognizer(EGestureType::Pinch, [](IControl*, const IGestureInfo&) {});

  IGestureInfo info;
  info.type = EGestureType::Pinch;
  EXPECT_TRUE(pControl->OnGesture(info));
  info.type = EGestureType::Rotate;
  EXPECT_FALSE(pControl->OnGesture(info));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(pControl->GetLastGesture(), EGestureType::Pinch);
  EXPECT_TRUE(pControl->GetWantsGestures());
}

TEST_F(Control, HostContextMenuChoiceReachesTheControl)
{
  TestControl* pControl = Attach("c");
  void* pTarget = nullptr;
  ASSERT_EQ(pControl->queryInterface(Steinberg::Vst::IContextMenuTarget::iid, &pTarget), Steinberg::kResultOk);
  auto* pMenuTarget = static_cast<Steinberg::Vst::IContextMenuTarget*>(pTarget);

  EXPECT_EQ(pMenuTarget->executeMenuItem(4), Steinberg::kResultOk);
  EXPECT_TRUE(Logged("c context 4"));
  pMenuTarget->release();

  EXPECT_STREQ(pControl->isA(), "IControl");
  EXPECT_TRUE(pControl->isTypeOf("FObject", true));
  EXPECT_FALSE(pControl->isTypeOf("FObject", false));
}

TEST_F(Control, AutomationHighlight)
{
  TestControl* pControl = Attach("c");
  const struct
  {
    int colorIdx;
    IColor want;
  } cases[] = {{1, COLOR_BLUE}, {7, COLOR_BLUE}, {3, COLOR_YELLOW}, {0, COLOR_RED}};
  for (const auto& c : cases)
  {
    pControl->SetPTParameterHighlight(true, c.colorIdx);
    EXPECT_EQ(pControl->GetPTHighlightColor(), c.want);
  }

  pControl->DrawPTHighlight(g);
  EXPECT_TRUE(Logged("fill circle 45.000000 15.000000 2.000000"));
  pControl->SetPTParameterHighlight(false, 0);
  log.Clear();
  pControl->DrawPTHighlight(g);
  EXPECT_TRUE(log.events.empty());
}

TEST_F(Control, HoverRedrawsOnlyOnChange)
{
  TestControl* pControl = Attach("c");
  pControl->OnMouseOver(20.f, 20.f, IMouseMod());
  EXPECT_TRUE(pControl->GetMouseIsOver());
  pControl->SetClean();
  pControl->OnMouseOver(21.f, 20.f, IMouseMod());
  EXPECT_FALSE(pControl->IsDirty());
  pControl->OnMouseOut();
  EXPECT_TRUE(pControl->IsDirty());
  EXPECT_FALSE(pControl->GetMouseIsOver());
}

} // namespace
