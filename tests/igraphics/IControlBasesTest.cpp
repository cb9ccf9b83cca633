#include <functional>
#include <memory>

#include "SurfaceFixture.h"
#include "igraphics/IControlBases.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr int kGain = 0;
constexpr int kPan = 1;
constexpr int kMode = 2; // an enum of four: normalised steps of a third
constexpr int kCutoff = 3;

class TestKnob : public IKnobControlBase
{
public:
  TestKnob(const IRECT& bounds, int paramIdx, EDirection direction, double gearing)
  : IKnobControlBase(bounds, paramIdx, direction, gearing)
  {}
  void Draw(IGraphics&) override {}
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
};

class TestSlider : public ISliderControlBase
{
public:
  TestSlider(const IRECT& bounds, int paramIdx, EDirection direction, double gearing)
  : ISliderControlBase(bounds, paramIdx, direction, gearing, 8.f)
  {}
  void Draw(IGraphics&) override {}
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
};

class TestSwitch : public ISwitchControlBase
{
public:
  using ISwitchControlBase::ISwitchControlBase;
  void Draw(IGraphics&) override {}
  int NumStates() const { return mNumStates; }
};

class TestButton : public IButtonControlBase
{
public:
  using IButtonControlBase::IButtonControlBase;
  void Draw(IGraphics&) override {}
};

constexpr IMouseMod kLeft(true);
constexpr IMouseMod kLeftShift(true, false, true);
constexpr IMouseMod kLeftControl(true, false, false, true);

using Bases = SurfaceFixture;

// The editor shows each parameter's value: a control at v has its parameter at v.
void PlaceAt(IControl& control, double normalized)
{
  control.SetValue(normalized);
  control.GetParam()->SetNormalized(normalized);
}

// ---- knob

struct KnobDragCase
{
  const char* name;
  EDirection direction;
  IMouseMod mod;
  float drag; // total pointer movement along the axis, in pixels
  double expected;
};

TEST_F(Bases, KnobDragCoversTheRangeInGearingTimesItsLength)
{
  // 40 wide and 100 high; gearing 4.
  const KnobDragCase cases[] = {
    {"one height up", EDirection::Vertical, kLeft, -100.f, 0.25},
    {"four heights up", EDirection::Vertical, kLeft, -400.f, 1.0},
    {"beyond the top clamps", EDirection::Vertical, kLeft, -600.f, 1.0},
    {"down from zero stays", EDirection::Vertical, kLeft, 100.f, 0.0},
    {"shift: a fortieth per height", EDirection::Vertical, kLeftShift, -100.f, 0.025},
    {"control: a fortieth per height", EDirection::Vertical, kLeftControl, -100.f, 0.025},
    {"four widths right", EDirection::Horizontal, kLeft, 160.f, 1.0},
    {"one width right", EDirection::Horizontal, kLeft, 40.f, 0.25},
  };
  for (const KnobDragCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    auto* pKnob = static_cast<TestKnob*>(
      g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 100.f), kPan, c.direction, 4.)));
    PlaceAt(*pKnob, 0.);
    pKnob->OnMouseDown(20.f, 50.f, c.mod);
    // In small moves, as the platform reports them.
    for (int i = 0; i < 10; ++i)
    {
      const float step = c.drag / 10.f;
      c.direction == EDirection::Vertical ? pKnob->OnMouseDrag(20.f, 50.f, 0.f, step, c.mod)
                                          : pKnob->OnMouseDrag(20.f, 50.f, step, 0.f, c.mod);
    }
    pKnob->OnMouseUp(20.f, 50.f, c.mod);

    EXPECT_NEAR(pKnob->GetValue(), c.expected, 1e-9);
    EXPECT_NEAR(dlg.GetParam(kPan)->Value(), c.expected, 1e-9);
    g.RemoveControl(pKnob);
  }
}

TEST_F(Bases, SteppedKnobShowsWholeStepsWhileTheDragAccumulates)
{
  // Gearing 1 over 90 pixels: each 10-pixel move adds a ninth, a third of a step.
  auto* pKnob = static_cast<TestKnob*>(
    g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 90.f), kMode, EDirection::Vertical, 1.)));
  PlaceAt(*pKnob, 0.);
  pKnob->OnMouseDown(20.f, 45.f, kLeft);

  const double expected[] = {0., 1. / 3., 1. / 3., 1. / 3., 2. / 3., 2. / 3., 2. / 3., 1.};
  for (double value : expected)
  {
    pKnob->OnMouseDrag(20.f, 45.f, 0.f, -10.f, kLeft);
    EXPECT_NEAR(pKnob->GetValue(), value, 1e-12);
  }
  EXPECT_EQ(dlg.GetParam(kMode)->Value(), 3.);
}

// The plug-in may show a value on the knob without changing the parameter (an animation); the
// user's edit starts from the parameter all the same.
TEST_F(Bases, ADragOrAWheelStartsFromTheParameterNotFromTheValueShown)
{
  auto* pKnob = static_cast<TestKnob*>(
    g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 100.f), kPan, EDirection::Vertical, 4.)));
  PlaceAt(*pKnob, 0.5);
  pKnob->SetValue(0.9);
  pKnob->OnMouseDown(20.f, 50.f, kLeft);
  pKnob->OnMouseDrag(20.f, 50.f, 0.f, -10.f, kLeft);
  pKnob->OnMouseUp(20.f, 50.f, kLeft);
  EXPECT_NEAR(dlg.GetParam(kPan)->GetNormalized(), 0.525, 1e-9);

  pKnob->SetValue(0.1);
  pKnob->OnMouseWheel(20.f, 50.f, kLeft, 1.f);
  EXPECT_NEAR(dlg.GetParam(kPan)->GetNormalized(), 0.535, 1e-9);
}

TEST_F(Bases, KnobHidesTheCursorForTheDragUnlessToldNotTo)
{
  auto* pKnob = static_cast<TestKnob*>(
    g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 90.f), kPan, EDirection::Vertical, 4.)));
  log.Clear();
  pKnob->OnMouseDown(20.f, 45.f, kLeft);
  pKnob->OnMouseUp(20.f, 45.f, kLeft);
  EXPECT_EQ(log.events, (std::vector<std::string>{"hide cursor", "show cursor"}));

  pKnob->SetHideCursorOnDrag(false);
  log.Clear();
  pKnob->OnMouseDown(20.f, 45.f, kLeft);
  pKnob->OnMouseUp(20.f, 45.f, kLeft);
  EXPECT_TRUE(log.events.empty());
}

TEST_F(Bases, KnobWithoutExtentDoesNotMoveOnDrag)
{
  auto* pKnob = static_cast<TestKnob*>(
    g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 0.f), kPan, EDirection::Vertical, 4.)));
  PlaceAt(*pKnob, 0.3);
  pKnob->OnMouseDown(20.f, 0.f, kLeft);
  pKnob->OnMouseDrag(20.f, 0.f, 0.f, -10.f, kLeft);
  EXPECT_DOUBLE_EQ(pKnob->GetValue(), 0.3);
}

TEST_F(Bases, RightClickOnAKnobPromptsForTheValue)
{
  auto* pKnob = static_cast<TestKnob*>(
    g.AttachControl(new TestKnob(IRECT(0.f, 0.f, 40.f, 90.f), kCutoff, EDirection::Vertical, 4.)));
  pKnob->DisablePrompt(false);
  pKnob->OnMouseDown(20.f, 45.f, IMouseMod(false, true));
  EXPECT_TRUE(Logged("text entry 3 50.0"));
}

// ---- wheel, shared by knob and slider

struct WheelCase
{
  const char* name;
  int paramIdx;
  double start;
  IMouseMod mod;
  float d;
  double expected;
};

TEST_F(Bases, WheelMovesOneStepPerNotchOrAHundredthOfTheRange)
{
  const WheelCase cases[] = {
    {"stepped up", kMode, 1. / 3., kLeft, 1.f, 2. / 3.},
    {"stepped, a large delta is still one step", kMode, 1. / 3., kLeft, 7.5f, 2. / 3.},
    {"stepped down", kMode, 1. / 3., kLeft, -3.f, 0.},
    {"stepped, no delta", kMode, 1. / 3., kLeft, 0.f, 1. / 3.},
    {"stepped, at the top", kMode, 1., kLeft, 1.f, 1.},
    {"continuous", kPan, 0.5, kLeft, 1.f, 0.51},
    {"continuous, twice the delta", kPan, 0.5, kLeft, 2.f, 0.52},
    {"continuous fine with shift", kPan, 0.5, kLeftShift, 1.f, 0.501},
    {"continuous fine with control", kPan, 0.5, kLeftControl, -2.f, 0.498},
    {"continuous, no delta", kPan, 0.5, kLeft, 0.f, 0.5},
    {"continuous, clamped", kPan, 0.995, kLeft, 1.f, 1.},
  };

  using Factory = std::function<IControl*(int paramIdx)>;
  const std::pair<const char*, Factory> kinds[] = {
    {"knob", [](int p) { return new TestKnob(IRECT(0.f, 0.f, 40.f, 90.f), p, EDirection::Vertical, 4.); }},
    {"slider", [](int p) { return new TestSlider(IRECT(0.f, 0.f, 20.f, 90.f), p, EDirection::Vertical, 4.); }},
  };

  for (const auto& [kind, make] : kinds)
    for (const WheelCase& c : cases)
    {
      SCOPED_TRACE(std::string(kind) + ": " + c.name);
      IControl* pControl = g.AttachControl(make(c.paramIdx));
      PlaceAt(*pControl, c.start);
      pControl->OnMouseWheel(10.f, 10.f, c.mod, c.d);
      EXPECT_NEAR(pControl->GetValue(), c.expected, 1e-9);
      g.RemoveControl(pControl);
    }
}

// ---- slider

struct SliderDragCase
{
  const char* name;
  bool hideCursor;
  uintptr_t touchID;
  int paramIdx;
  double afterDown;
  double afterDrag;
};

TEST_F(Bases, SliderJumpsOnClickThenDragsRelativelyOrFollowsThePointer)
{
  // A vertical track 100 high, gearing 1. The click lands mid-track; the drag then reports the
  // pointer at y = 10 (0.9 on the track) but a movement of only 20 pixels (+0.2), so following
  // and relative dragging give different values.
  const SliderDragCase cases[] = {
    {"cursor shown: jumps and follows", false, 0, kPan, 0.5, 0.9},
    {"cursor hidden: jumps, then relative", true, 0, kPan, 0.5, 0.7},
    {"touch follows the finger", true, 7, kPan, 0.5, 0.9},
    {"stepped, cursor shown: no jump, relative in steps", false, 0, kMode, 1. / 3., 2. / 3.},
    {"stepped touch: no jump, relative in steps", true, 7, kMode, 1. / 3., 2. / 3.},
  };
  for (const SliderDragCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    auto* pSlider = static_cast<TestSlider*>(
      g.AttachControl(new TestSlider(IRECT(0.f, 0.f, 20.f, 100.f), c.paramIdx, EDirection::Vertical, 1.)));
    pSlider->SetHideCursorOnDrag(c.hideCursor);
    pSlider->SetValue(1. / 3.);
    const IMouseMod mod(true, false, false, false, false, c.touchID);

    pSlider->OnMouseDown(10.f, 50.f, mod);
    EXPECT_NEAR(pSlider->GetValue(), c.afterDown, 1e-9);
    pSlider->OnMouseDrag(10.f, 10.f, 0.f, -20.f, mod);
    EXPECT_NEAR(pSlider->GetValue(), c.afterDrag, 1e-9);
    EXPECT_NEAR(dlg.GetParam(c.paramIdx)->GetNormalized(), c.afterDrag, 1e-9);
    g.RemoveControl(pSlider);
  }
}

TEST_F(Bases, SliderTrackFollowsTheBoundsAndHidesTheCursorOnlyWhenAsked)
{
  auto* pSlider = static_cast<TestSlider*>(
    g.AttachControl(new TestSlider(IRECT(0.f, 0.f, 100.f, 20.f), kPan, EDirection::Horizontal, 1.)));
  pSlider->SetSize(200.f, 20.f);
  EXPECT_EQ(pSlider->GetTargetRECT(), IRECT(0.f, 0.f, 200.f, 20.f));
  log.Clear();

  pSlider->OnMouseDown(150.f, 10.f, kLeft);
  EXPECT_DOUBLE_EQ(pSlider->GetValue(), 0.75);
  pSlider->OnMouseUp(150.f, 10.f, kLeft);
  EXPECT_TRUE(Logged("hide cursor"));
  EXPECT_TRUE(Logged("show cursor"));

  pSlider->SetHideCursorOnDrag(false);
  log.Clear();
  pSlider->OnMouseDown(50.f, 10.f, kLeft);
  pSlider->OnMouseUp(50.f, 10.f, kLeft);
  EXPECT_FALSE(Logged("hide cursor"));
  EXPECT_FALSE(Logged("show cursor"));
  EXPECT_DOUBLE_EQ(pSlider->GetValue(), 0.25);
}

// ---- switch

struct SwitchCase
{
  const char* name;
  int numStates;
  double start;
  std::vector<double> clicks;
};

TEST_F(Bases, SwitchClicksCycleThroughItsStates)
{
  const SwitchCase cases[] = {
    {"two states", 2, 0., {1., 0., 1.}},
    {"two states from between", 2, 0.3, {0., 1.}},
    {"three states", 3, 0., {0.5, 1., 0., 0.5}},
    {"four states reach 1 despite rounding", 4, 0., {1. / 3., 2. / 3., 1., 0.}},
    {"eleven states", 11, 0.8, {0.9, 1., 0.}},
  };
  for (const SwitchCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    int actions = 0;
    auto* pSwitch = static_cast<TestSwitch*>(g.AttachControl(new TestSwitch(
      IRECT(0.f, 0.f, 20.f, 20.f), kNoParameter, [&](IControl*) { ++actions; }, c.numStates)));
    pSwitch->SetValue(c.start);
    for (double expected : c.clicks)
    {
      pSwitch->OnMouseDown(5.f, 5.f, kLeft);
      pSwitch->OnMouseUp(5.f, 5.f, kLeft);
      EXPECT_NEAR(pSwitch->GetValue(), expected, 1e-12);
    }
    EXPECT_EQ(actions, static_cast<int>(c.clicks.size()));
    EXPECT_TRUE(pSwitch->GetDblAsSingleClick());
    g.RemoveControl(pSwitch);
  }
}

TEST_F(Bases, SwitchTakesItsStateCountFromTheParameter)
{
  const std::pair<int, int> cases[] = {{kMode, 4}, {kGain, 2}, {kCutoff, 101}};
  for (const auto& [paramIdx, states] : cases)
  {
    SCOPED_TRACE(paramIdx);
    auto* pSwitch = static_cast<TestSwitch*>(
      g.AttachControl(new TestSwitch(IRECT(0.f, 0.f, 20.f, 20.f), paramIdx, nullptr, 2)));
    EXPECT_EQ(pSwitch->NumStates(), states);
    g.RemoveControl(pSwitch);
  }

  auto* pMode = static_cast<TestSwitch*>(
    g.AttachControl(new TestSwitch(IRECT(0.f, 0.f, 20.f, 20.f), kMode, nullptr, 2)));
  const double modes[] = {1., 2., 3., 0.};
  for (double mode : modes)
  {
    pMode->OnMouseDown(5.f, 5.f, kLeft);
    EXPECT_EQ(dlg.GetParam(kMode)->Value(), mode);
  }
}

TEST_F(Bases, EveryStateOfTheParameterCanBeDisabled)
{
  // Built with two states, the switch has four once attached to the enum: the upper two must be
  // as disableable as the first two.
  auto* pSwitch = static_cast<TestSwitch*>(
    g.AttachControl(new TestSwitch(IRECT(0.f, 0.f, 20.f, 20.f), kMode, nullptr, 2)));

  pSwitch->SetStateDisabled(3, true);
  pSwitch->SetStateDisabled(4, true);
  pSwitch->SetStateDisabled(-1, true);

  EXPECT_TRUE(pSwitch->GetStateDisabled(3));
  EXPECT_FALSE(pSwitch->GetStateDisabled(2));
  EXPECT_FALSE(pSwitch->GetStateDisabled(4));
  EXPECT_FALSE(pSwitch->GetStateDisabled(-1));

  pSwitch->SetClean();
  pSwitch->SetAllStatesDisabled(true);
  EXPECT_TRUE(pSwitch->IsDirty());
  for (int state = 0; state < 4; ++state)
    EXPECT_TRUE(pSwitch->GetStateDisabled(state)) << state;
  EXPECT_FALSE(pSwitch->GetStateDisabled(4));

  pSwitch->SetAllStatesDisabled(false);
  for (int state = 0; state < 4; ++state)
    EXPECT_FALSE(pSwitch->GetStateDisabled(state)) << state;
}

// ---- button

TEST_F(Bases, ButtonIsPressedUntilItsAnimationEnds)
{
  auto* pButton = static_cast<TestButton*>(
    g.AttachControl(new TestButton(IRECT(0.f, 0.f, 20.f, 20.f), [this](IControl* c) {
      log.Add("action at " + std::to_string(c->GetValue()));
      c->SetAnimation([](IControl*) {});
      c->StartAnimation(50);
    })));
  pButton->SetAnimationEndActionFunction([this](IControl* c) { log.Add("end at " + std::to_string(c->GetValue())); });
  log.Clear();

  pButton->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(pButton->GetValue(), 1.);
  EXPECT_TRUE(pButton->GetAnimationFunction());

  pButton->OnEndAnimation();
  EXPECT_EQ(pButton->GetValue(), 0.);
  EXPECT_FALSE(pButton->GetAnimationFunction());
  EXPECT_EQ(log.events, (std::vector<std::string>{"action at 1.000000", "end at 0.000000"}));
  EXPECT_TRUE(pButton->GetDblAsSingleClick());
}

} // namespace
