// The vector knob, buttons, switches, tabs and radio buttons, driven through the surface's input
// over the recording surface. Texts measure 40 x 10.
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "../SurfaceFixture.h"
#include "igraphics/controls/IVButtonControl.h"
#include "igraphics/controls/IVKnobControl.h"
#include "igraphics/controls/IVLabelControl.h"
#include "igraphics/controls/IVSlideSwitchControl.h"
#include "igraphics/controls/IVSwitchControl.h"
#include "igraphics/controls/IVTabSwitchControl.h"

using namespace iplug::igraphics;

namespace
{

constexpr int kGain = 0;
constexpr int kMode = 2;
constexpr int kCutoff = 3;

IMouseInfo Point(float x, float y, float dX = 0.f, float dY = 0.f)
{
  IMouseInfo info;
  info.x = x;
  info.y = y;
  info.dX = dX;
  info.dY = dY;
  info.ms = IMouseMod(true);
  return info;
}

class VectorControls : public SurfaceFixture
{
protected:
  VectorControls() { g.mTextExtent = IRECT(0.f, 0.f, 40.f, 10.f); }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(g.AttachControl(pControl));
  }

  // What the delegate does when a parameter changes outside the editor.
  void FromHost(IControl& control, int paramIdx, double normalized)
  {
    dlg.GetParam(paramIdx)->SetNormalized(normalized);
    control.SetValueFromDelegate(normalized);
  }

  void Click(float x, float y)
  {
    g.OnMouseDown({Point(x, y)});
    g.OnMouseUp({Point(x, y)});
  }

  // Lets every click animation run out; the surface ends them when it next looks for dirty controls.
  void FinishAnimations()
  {
    std::this_thread::sleep_for(std::chrono::milliseconds(130));
    IRECTList rects;
    g.IsDirty(rects);
  }

  double ParamValue(int paramIdx) const { return dlg.GetParam(paramIdx)->Value(); }
};

// ---- knob

// A 100 x 100 knob: label strip 0..10, widget 10..90, value text 90..100 between x 23.6 and 76.4.
class Knob : public VectorControls
{
protected:
  IVKnobControl* AddKnob(bool valueIsEditable = false, bool valueInWidget = false)
  {
    auto* pKnob = Add(
      new IVKnobControl(IRECT(0.f, 0.f, 100.f, 100.f), kGain, "", DEFAULT_STYLE, valueIsEditable, valueInWidget));
    FromHost(*pKnob, kGain, 0.25);
    return pKnob;
  }
};

TEST_F(Knob, LayoutLeavesLabelAboveAndValueBelowTheWidget)
{
  IVKnobControl* pKnob = AddKnob();
  EXPECT_STREQ(pKnob->GetLabelStr(), "Gain") << "the parameter names an unlabelled knob";
  EXPECT_EQ(pKnob->GetWidgetBounds(), IRECT(0.f, 10.f, 100.f, 90.f));
  EXPECT_FLOAT_EQ(pKnob->GetValueBounds().B, 100.f);
  EXPECT_TRUE(pKnob->IsHit(50.f, 50.f));
  EXPECT_FALSE(pKnob->IsHit(50.f, 5.f)) << "the label is no hit area";
  EXPECT_FALSE(pKnob->IsHit(50.f, 95.f)) << "a value that cannot be edited is no hit area";
}

TEST_F(Knob, DragWheelAndDoubleClickThroughTheSurface)
{
  AddKnob();

  // The widget is wider than tall, so an 80-pixel-high drag area times gearing 4 spans the range.
  g.OnMouseDown({Point(50.f, 50.f)});
  g.OnMouseDrag({Point(50.f, 34.f, 0.f, -16.f)});
  g.OnMouseUp({Point(50.f, 34.f)});
  EXPECT_NEAR(ParamValue(kGain), 0.30, 1e-9);
  EXPECT_TRUE(Logged("begin 0"));
  EXPECT_TRUE(Logged("end 0"));

  g.OnMouseWheel(50.f, 50.f, IMouseMod(), 1.f);
  EXPECT_NEAR(ParamValue(kGain), 0.31, 1e-9);

  g.OnMouseDblClick(50.f, 50.f, IMouseMod(true));
  EXPECT_NEAR(ParamValue(kGain), 0.25, 1e-9) << "a double click restores the default";
}

TEST_F(Knob, PressOnAnEditableValueOpensTheEditorInsteadOfDragging)
{
  AddKnob(true);
  g.OnMouseDown({Point(50.f, 95.f)});
  g.OnMouseDrag({Point(50.f, 75.f, 0.f, -20.f)});
  g.OnMouseUp({Point(50.f, 75.f)});

  EXPECT_NE(IndexOf("text entry 0 0.250"), -1);
  EXPECT_NEAR(ParamValue(kGain), 0.25, 1e-9);
}

TEST_F(Knob, ValueInWidgetThatCannotBeEditedIgnoresDragsButNotTheWheel)
{
  IVKnobControl* pKnob = AddKnob(false, true);
  // An earlier drag leaves its start value behind; a press on the value must not resume from it.
  pKnob->SetValueFromDelegate(0.9);
  g.OnMouseDown({Point(50.f, 50.f)});
  g.OnMouseDrag({Point(50.f, 30.f, 0.f, -20.f)});
  g.OnMouseUp({Point(50.f, 30.f)});
  EXPECT_NEAR(pKnob->GetValue(), 0.9, 1e-9);
  EXPECT_EQ(IndexOf("text entry 0 0.250"), -1);

  g.OnMouseWheel(50.f, 50.f, IMouseMod(), 1.f);
  EXPECT_NEAR(pKnob->GetValue(), 0.91, 1e-9);
}

TEST_F(Knob, ArcAndPointerFollowTheValue)
{
  IVStyle style;
  style.showLabel = style.showValue = false;
  auto* pKnob = Add(new IVKnobControl(
    IRECT(0.f, 0.f, 100.f, 100.f), [](IControl*) {}, "", style));
  const float r = pKnob->GetRadius();
  ASSERT_FLOAT_EQ(r, 49.f);

  struct Case
  {
    double value;
    float arcEnd;
    float pointerDX, pointerDY; // direction of the pointer
  };
  const float d = std::sqrt(0.5f);
  for (const Case& c : {Case{0., -135.f, -d, d}, Case{0.5, 0.f, 0.f, -1.f}, Case{1., 135.f, d, d}})
  {
    g.mDrawCalls.clear();
    pKnob->SetValue(c.value);
    pKnob->Draw(g);
    const auto arcs = g.DrawCallsOf("draw arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].color, DEFAULT_X1COLOR);
    EXPECT_EQ(arcs[0].coords, (std::vector<float>{50.f, 50.f, r, -135.f, c.arcEnd, 2.f}));

    const auto lines = g.DrawCallsOf("draw line");
    ASSERT_EQ(lines.size(), 1u);
    const float handleRadius = r - 4.f;
    EXPECT_NEAR(lines[0].coords[2], 50.f + c.pointerDX * handleRadius, 1e-3f) << c.value;
    EXPECT_NEAR(lines[0].coords[3], 50.f + c.pointerDY * handleRadius, 1e-3f) << c.value;
    EXPECT_EQ(lines[0].color, DEFAULT_FRCOLOR);
  }
}

TEST_F(Knob, BipolarAnchorDrawsTheArcFromTheMiddle)
{
  IVStyle style;
  style.showLabel = style.showValue = false;
  auto* pKnob = Add(new IVKnobControl(
    IRECT(0.f, 0.f, 100.f, 100.f), [](IControl*) {}, "", style, false, false, -135.f, 135.f, 0.f));
  pKnob->SetValue(0.25);
  pKnob->Draw(g);
  const auto arcs = g.DrawCallsOf("draw arc");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_FLOAT_EQ(arcs[0].coords[3], -67.5f);
  EXPECT_FLOAT_EQ(arcs[0].coords[4], 0.f);
}

TEST_F(Knob, WithoutTrackThereIsNoArcAndATinyKnobKeepsAHandle)
{
  IVStyle style;
  style.showLabel = style.showValue = false;
  auto* pKnob = Add(new IVKnobControl(
    IRECT(0.f, 0.f, 6.f, 6.f), [](IControl*) {}, "", style, false, false, -135.f, 135.f, -135.f, EDirection::Vertical,
    4., 0.f));
  EXPECT_FLOAT_EQ(pKnob->GetRadius(), 3.f);
  pKnob->Draw(g);
  EXPECT_TRUE(g.DrawCallsOf("draw arc").empty());
  const auto face = g.DrawCallsOf("fill ellipse");
  ASSERT_FALSE(face.empty());
  EXPECT_EQ(face.back().coords, (std::vector<float>{2.5f, 2.5f, 3.5f, 3.5f}));
}

// ---- button

TEST_F(VectorControls, ButtonRunsItsActionAndReleasesWhenTheSplashEnds)
{
  auto* pButton = Add(new IVButtonControl(IRECT(0.f, 0.f, 100.f, 40.f), [this](IControl* pCaller) {
    log.Add("clicked");
    SplashClickActionFunc(pCaller);
  }));

  Click(50.f, 20.f);
  EXPECT_TRUE(Logged("clicked"));
  EXPECT_EQ(pButton->GetValue(), 1.);
  ASSERT_TRUE(pButton->GetAnimationFunction());

  // While the splash runs the face is drawn pressed, with the splash from the click point.
  pButton->Draw(g);
  const auto fills = g.DrawCallsOf("fill round rect");
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().color, DEFAULT_PRCOLOR);
  const auto splash = g.DrawCallsOf("fill circle");
  ASSERT_EQ(splash.size(), 1u);
  EXPECT_EQ(std::vector<float>(splash[0].coords.begin(), splash[0].coords.begin() + 2),
            (std::vector<float>{50.f, 20.f}));

  FinishAnimations();
  EXPECT_EQ(pButton->GetValue(), 0.);
  EXPECT_FALSE(pButton->GetAnimationFunction());
}

// ---- switch and toggle

TEST_F(VectorControls, SwitchCyclesThroughEveryStateOfItsParameter)
{
  auto* pSwitch = Add(new IVSwitchControl(IRECT(0.f, 0.f, 100.f, 40.f), kMode));
  FromHost(*pSwitch, kMode, 1. / 3.);

  for (const auto& [state, text] :
       std::vector<std::pair<double, const char*>>{{2., "C"}, {3., "D"}, {0., "A"}, {1., "B"}})
  {
    Click(50.f, 20.f);
    EXPECT_EQ(ParamValue(kMode), state);
    EXPECT_STREQ(pSwitch->GetValueStr(), text);
  }
}

TEST_F(VectorControls, SwitchShowsTheUnitOnlyUntilTheFirstChange)
{
  auto* pSwitch = Add(new IVSwitchControl(IRECT(0.f, 0.f, 100.f, 40.f), kCutoff));
  EXPECT_NE(std::string(pSwitch->GetValueStr()).find("Hz"), std::string::npos);

  Click(50.f, 20.f);
  const std::string shown = pSwitch->GetValueStr();
  EXPECT_FALSE(shown.empty());
  EXPECT_EQ(shown.find("Hz"), std::string::npos);
}

TEST_F(VectorControls, ToggleShowsItsOnTextOnlyAboveHalf)
{
  auto* pToggle = Add(new IVToggleControl(
    IRECT(0.f, 0.f, 100.f, 40.f), [](IControl*) {}, "", DEFAULT_STYLE, "off", "on"));
  auto shownText = [&]() {
    g.mDrawCalls.clear();
    pToggle->Draw(g);
    const auto texts = g.DrawCallsOf("text");
    return texts.empty() ? std::string("<none>") : texts.back().text;
  };

  EXPECT_EQ(shownText(), "off");
  Click(50.f, 20.f);
  EXPECT_EQ(pToggle->GetValue(), 1.);
  EXPECT_EQ(shownText(), "on");
  pToggle->SetValue(0.5);
  EXPECT_EQ(shownText(), "off");
  Click(50.f, 20.f);
  Click(50.f, 20.f);
  EXPECT_EQ(pToggle->GetValue(), 1.) << "two more clicks: off, on";

  auto* pSilent = Add(new IVToggleControl(
    IRECT(0.f, 50.f, 100.f, 90.f), [](IControl*) {}, "", DEFAULT_STYLE, "off", "", true));
  g.mDrawCalls.clear();
  pSilent->Draw(g);
  EXPECT_TRUE(g.DrawCallsOf("text").empty()) << "an empty on text draws nothing";
}

// ---- slide switch

TEST_F(VectorControls, SlideSwitchInitialStateIsAStateIndex)
{
  struct Case
  {
    int numStates;
    int initialState;
    double value;
  };
  for (const Case& c : {Case{2, 1, 1.}, Case{3, 1, 0.5}, Case{3, 2, 1.}, Case{5, 1, 0.25}, Case{3, 7, 1.},
                        Case{3, -2, 0.}, Case{1, 0, 0.}})
  {
    auto* pSlide = Add(new IVSlideSwitchControl(
      IRECT(0.f, 0.f, 90.f, 30.f), [](IControl*) {}, "", DEFAULT_STYLE, true, EDirection::Horizontal, c.numStates,
      c.initialState));
    EXPECT_EQ(pSlide->GetValue(), c.value) << c.numStates << " states, initial " << c.initialState;
  }
}

TEST_F(VectorControls, SlideSwitchHandleStepsThroughEverySlotAndWrapsToTheFirst)
{
  auto* pSlide = Add(new IVSlideSwitchControl(IRECT(0.f, 0.f, 120.f, 30.f), kMode));
  const IRECT w = pSlide->GetWidgetBounds();
  const float step = w.W() / 4.f;
  auto slot = [&](int k) { return IRECT(w.L + k * step, w.T, w.L + (k + 1) * step, w.B); };
  EXPECT_EQ(pSlide->GetHandleBounds(), slot(0));

  for (int state : {1, 2, 3, 0})
  {
    Click(w.MW(), w.MH());
    ASSERT_TRUE(pSlide->GetAnimationFunction());
    FinishAnimations();
    EXPECT_FALSE(pSlide->GetAnimationFunction());
    EXPECT_EQ(ParamValue(kMode), state);
    EXPECT_EQ(pSlide->GetHandleBounds(), slot(state)) << "state " << state;
    EXPECT_EQ(pSlide->GetValueBounds(), slot(state)) << "the value rides on the handle";
  }
}

TEST_F(VectorControls, SlideSwitchRunsTheCallersActionOnClick)
{
  int clicks = 0;
  auto* pSlide = Add(new IVSlideSwitchControl(
    IRECT(0.f, 0.f, 90.f, 30.f), [&](IControl*) { ++clicks; }, "", DEFAULT_STYLE, true, EDirection::Vertical, 3, 0));
  const IRECT w = pSlide->GetWidgetBounds();
  Click(w.MW(), w.MH());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(pSlide->GetValue(), 0.5);
  FinishAnimations();
  const float step = w.H() / 3.f;
  EXPECT_EQ(pSlide->GetHandleBounds(), IRECT(w.L, w.T + step, w.R, w.T + 2.f * step));
}

// ---- tabs and radio buttons

TEST_F(VectorControls, TabClicksSelectTheirOwnState)
{
  auto* pTabs = Add(new IVTabSwitchControl(
    IRECT(0.f, 0.f, 90.f, 30.f), [](IControl*) {}, {"one", "two", "three"}, ""));
  for (const auto& [x, value, label] :
       std::vector<std::tuple<float, double, const char*>>{{75.f, 1., "three"}, {15.f, 0., "one"}, {45.f, 0.5, "two"}})
  {
    Click(x, 15.f);
    EXPECT_EQ(pTabs->GetValue(), value) << x;
    EXPECT_STREQ(pTabs->GetSelectedLabelStr(), label);
  }
}

TEST_F(VectorControls, TabsWithoutLabelsShowTheParametersDisplayTexts)
{
  auto* pTabs = Add(new IVTabSwitchControl(IRECT(0.f, 0.f, 40.f, 120.f), kMode, {}, "", DEFAULT_STYLE,
                                           EVShape::Rectangle, EDirection::Vertical));
  Click(20.f, 110.f);
  EXPECT_EQ(ParamValue(kMode), 3.);
  EXPECT_STREQ(pTabs->GetSelectedLabelStr(), "D");

  pTabs->Draw(g);
  std::vector<std::string> labels;
  for (const auto& call : g.DrawCallsOf("text"))
    labels.push_back(call.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"Mode", "A", "B", "C", "D"}));
}

TEST_F(VectorControls, SingleTabSelectsStateZero)
{
  auto* pTabs = Add(new IVTabSwitchControl(
    IRECT(0.f, 0.f, 90.f, 30.f), [](IControl*) {}, {"only"}, ""));
  pTabs->SetValue(1.);
  Click(45.f, 15.f);
  EXPECT_EQ(pTabs->GetValue(), 0.);
}

TEST_F(VectorControls, RadioRowsRespondBesideTheirButtonsUnlessLimited)
{
  // Three rows of 30; each button sits in the left 30 pixels of its row.
  IVStyle style;
  style.showValue = false;
  auto* pRadio = Add(new IVRadioButtonControl(
    IRECT(0.f, 0.f, 100.f, 90.f), [](IControl*) {}, {"a", "b", "c"}, "", style));
  Click(80.f, 45.f);
  EXPECT_EQ(pRadio->GetValue(), 0.5);

  pRadio->SetOnlyButtonsRespondToMouse(true);
  Click(80.f, 75.f);
  EXPECT_EQ(pRadio->GetValue(), 0.5);
  Click(15.f, 75.f);
  EXPECT_EQ(pRadio->GetValue(), 1.);
}

TEST_F(VectorControls, RoundedTabsRoundOnlyTheOuterCorners)
{
  IVStyle style;
  style.drawShadows = style.drawFrame = false;
  style.showLabel = style.showValue = false;
  style.roundness = 1.f;

  struct Case
  {
    EVShape shape;
    EDirection direction;
    std::vector<std::vector<bool>> rounded; // per button: top-left, top-right, bottom-right, bottom-left
  };
  const std::vector<Case> cases = {
    {EVShape::RoundedTop, EDirection::Horizontal, {{1, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 0}}},
    {EVShape::RoundedTop, EDirection::Vertical, {{0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}}},
    {EVShape::RoundedAll, EDirection::Horizontal, {{1, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}}},
    {EVShape::RoundedAll, EDirection::Vertical, {{0, 1, 1, 0}, {0, 1, 1, 0}, {0, 1, 1, 0}}},
  };
  for (const Case& c : cases)
  {
    auto* pTabs = Add(new IVTabSwitchControl(
      IRECT(0.f, 0.f, 90.f, 90.f), [](IControl*) {}, {"", "", ""}, "", style, c.shape, c.direction));
    g.mDrawCalls.clear();
    pTabs->Draw(g);
    const auto faces = g.DrawCallsOf("fill round rect");
    ASSERT_EQ(faces.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
      for (size_t corner = 0; corner < 4; ++corner)
        EXPECT_EQ(faces[i].coords[4 + corner] > 0.f, c.rounded[i][corner])
          << static_cast<int>(c.shape) << " direction " << static_cast<int>(c.direction) << " button " << i
          << " corner " << corner;
  }
}

// ---- label

TEST_F(VectorControls, LabelCastsAShadowUnlessDisabled)
{
  auto* pLabel = Add(new IVLabelControl(IRECT(0.f, 0.f, 100.f, 30.f), "Space"));
  pLabel->Draw(g);
  ASSERT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect", "text", "text", "draw rect"}));
  EXPECT_EQ(g.mDrawCalls[1].color, DEFAULT_SHCOLOR);
  EXPECT_EQ(g.mDrawCalls[1].coords, (std::vector<float>{3.f, 3.f, 103.f, 33.f}));
  EXPECT_EQ(g.mDrawCalls[2].text, "Space");
  EXPECT_EQ(g.mDrawCalls[2].color, DEFAULT_VALUE_TEXT.mFGColor);

  pLabel->SetDisabled(true);
  g.mDrawCalls.clear();
  pLabel->Draw(g);
  EXPECT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect", "text", "draw rect"}));
}

} // namespace
