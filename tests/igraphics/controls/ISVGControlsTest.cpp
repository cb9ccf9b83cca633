// The SVG button, toggle, switch, knob and slider drawn by the headless editor on a white panel from
// small images made here, checked at sampled pixels. The pictures go to the test's output folder.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "igraphics/IContainerBase.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/ISVGControls.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugParameter.h"

using namespace iplug::igraphics;
using headless::Near;
using headless::Str;
using iplug::kNoParameter;

namespace
{

constexpr IColor kRed(255, 255, 0, 0);
constexpr IColor kGreen(255, 0, 255, 0);
constexpr IColor kBlue(255, 0, 0, 255);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One integer parameter with five states, more than the switch below has images.
class ModeDelegate : public IGEditorDelegate
{
public:
  ModeDelegate() : IGEditorDelegate(1)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(0)->InitInt("Mode", 0, 0, 4);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

struct Snapshot
{
  Snapshot(int w, int h) : graphics(std::make_unique<IGraphicsHeadless>(delegate, w, h))
  {
    window = graphics->OpenWindow(&host);
    graphics->AttachControl(new IPanelControl(graphics->GetBounds(), COLOR_WHITE));
  }

  /** An image parsed from text; the name keys the process-wide cache, so it must be unique. */
  ISVG Load(const std::string& name, const std::string& svg)
  {
    return graphics->LoadSVG(name.c_str(), static_cast<const void*>(svg.data()), static_cast<int>(svg.size()));
  }

  /** A w x h image filled with one colour, in a frame of another when a stroke is given. */
  ISVG Block(const std::string& name, int w, int h, const char* fill, const char* stroke = nullptr)
  {
    const std::string size = "width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\"";
    const std::string paint = "fill=\"" + std::string(fill) + "\"" +
                              (stroke ? " stroke=\"" + std::string(stroke) + "\" stroke-width=\"4\"" : "");
    // A stroke is centred on the outline, so the rectangle is inset by half its width to keep it inside.
    const std::string shape = stroke ? "<rect x=\"2\" y=\"2\" width=\"" + std::to_string(w - 4) + "\" height=\"" +
                                         std::to_string(h - 4) + "\" " + paint + "/>"
                                     : "<rect x=\"0\" y=\"0\" " + size + " " + paint + "/>";
    return Load(name, "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + ">" + shape + "</svg>");
  }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(graphics->AttachControl(pControl));
  }

  void Show(IControl& control, double value, const std::string& pngName)
  {
    // Set after marking dirty, which would clamp it: the value reaches Draw as it stands.
    control.SetDirty(false);
    control.SetValue(value);
    graphics->Tick();
    EXPECT_TRUE(graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }

  IColor At(float x, float y) const
  {
    return graphics->PixelAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  void Click(float x, float y) { headless::ClickAt(host, x, y); }

  ModeDelegate delegate;
  HeadlessWindow host{};
  std::unique_ptr<IGraphicsHeadless> graphics;
  void* window = nullptr;
};

} // namespace

TEST(SVGControls, ToggleShowsTheOnImageOnlyAboveOneHalf)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pToggle = s.Add(new ISVGToggleControl(
    IRECT(10.f, 10.f, 50.f, 50.f), [](IControl*) {}, s.Block("toggle-off", 20, 20, "#ff0000"),
    s.Block("toggle-on", 20, 20, "#00ff00")));

  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(30.f, 30.f), kRed)) << "default " << Str(s.At(30.f, 30.f));

  for (const auto& [value, expected] : {std::pair{0.5, kRed}, {0.51, kGreen}, {1., kGreen}, {kNaN, kRed}})
  {
    SCOPED_TRACE(value);
    s.Show(*pToggle, value, "svg_toggle.png");
    EXPECT_TRUE(Near(s.At(30.f, 30.f), expected)) << Str(s.At(30.f, 30.f));
  }

  pToggle->SetValue(0.);
  s.Click(30.f, 30.f);
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(30.f, 30.f), kGreen)) << "after a click " << Str(s.At(30.f, 30.f));
}

TEST(SVGControls, ButtonShowsItsOnImageWhilePressed)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pButton = s.Add(new ISVGButtonControl(
    IRECT(10.f, 10.f, 50.f, 50.f), [](IControl*) {}, s.Block("button-off", 20, 20, "#ff0000"),
    s.Block("button-on", 20, 20, "#0000ff")));
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(30.f, 30.f), kRed)) << "default " << Str(s.At(30.f, 30.f));
  s.Show(*pButton, 1., "svg_button_on.png");
  EXPECT_TRUE(Near(s.At(30.f, 30.f), kBlue)) << Str(s.At(30.f, 30.f));
}

// A red square in a blue frame, recoloured by the state colour in fill, frame or neither.
TEST(SVGControls, StateColourReplacesTheChosenPaint)
{
  const std::array<IColor, 4> colors{IColor(255, 255, 255, 0), IColor(255, 255, 0, 255), IColor(255, 0, 255, 255),
                                     IColor(255, 128, 128, 128)};
  struct Case
  {
    EColorReplacement replacement;
    double value;
    bool mouseOver;
    IColor fill, frame;
  };
  const Case cases[] = {
    {EColorReplacement::None, 1., true, kRed, kBlue},       {EColorReplacement::Fill, 0., false, colors[0], kBlue},
    {EColorReplacement::Fill, 1., false, colors[1], kBlue}, {EColorReplacement::Fill, 0., true, colors[2], kBlue},
    {EColorReplacement::Fill, 1., true, colors[3], kBlue},  {EColorReplacement::Stroke, 1., false, kRed, colors[1]},
    {EColorReplacement::Stroke, 0., true, kRed, colors[2]},
  };

  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  const ISVG framed = s.Block("framed", 20, 20, "#ff0000", "#0000ff");
  const IRECT r(10.f, 10.f, 50.f, 50.f);
  // The toggle and the button share the drawing; both are checked. The replacement is fixed at
  // construction, so each case has a control of its own.
  using Make = IControl* (*)(const IRECT&, const ISVG&, const std::array<IColor, 4>&, EColorReplacement);
  const Make makers[] = {
    [](const IRECT& b, const ISVG& svg, const std::array<IColor, 4>& cs, EColorReplacement rep) -> IControl* {
      return new ISVGButtonControl(
        b, [](IControl*) {}, svg, cs, rep);
    },
    [](const IRECT& b, const ISVG& svg, const std::array<IColor, 4>& cs, EColorReplacement rep) -> IControl* {
      return new ISVGToggleControl(b, kNoParameter, svg, cs, rep);
    },
  };
  for (const Make make : makers)
  {
    for (const Case& c : cases)
    {
      IControl* pControl = s.Add(make(r, framed, colors, c.replacement));
      pControl->SetMouseIsOver(c.mouseOver);
      SCOPED_TRACE(std::to_string(static_cast<int>(c.replacement)) + " value " + std::to_string(c.value) +
                   (c.mouseOver ? " over" : ""));
      s.Show(*pControl, c.value, "svg_recoloured.png");
      // The image is scaled by 2: the frame covers 8 pixels along each edge.
      EXPECT_TRUE(Near(s.At(r.MW(), r.MH()), c.fill)) << "fill " << Str(s.At(r.MW(), r.MH()));
      EXPECT_TRUE(Near(s.At(r.L + 4.f, r.MH()), c.frame)) << "frame " << Str(s.At(r.L + 4.f, r.MH()));
      s.graphics->RemoveControl(pControl);
    }
  }
}

TEST(SVGControls, SwitchShowsTheImageOfTheNearestState)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pSwitch = s.Add(
    new ISVGSwitchControl(IRECT(10.f, 10.f, 50.f, 50.f),
                          {s.Block("switch-0", 20, 20, "#ff0000"), s.Block("switch-1", 20, 20, "#00ff00"),
                           s.Block("switch-2", 20, 20, "#0000ff")},
                          kNoParameter, nullptr));
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(30.f, 30.f), kRed)) << "default " << Str(s.At(30.f, 30.f));

  // Values from outside 0..1 and NaN still pick an image of the list.
  for (const auto& [value, expected] : {std::pair{0.24, kRed},
                                        {0.25, kGreen},
                                        {0.74, kGreen},
                                        {0.75, kBlue},
                                        {1., kBlue},
                                        {kNaN, kRed},
                                        {-3., kRed},
                                        {7., kBlue},
                                        {1e300, kBlue}})
  {
    SCOPED_TRACE(value);
    s.Show(*pSwitch, value, "svg_switch.png");
    EXPECT_TRUE(Near(s.At(30.f, 30.f), expected)) << Str(s.At(30.f, 30.f));
  }
}

// A linked parameter with five states over three images: the upper states show the last image.
TEST(SVGControls, SwitchWithMoreStatesThanImagesStaysInTheList)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pSwitch = s.Add(
    new ISVGSwitchControl(IRECT(10.f, 10.f, 50.f, 50.f),
                          {s.Block("switch-0", 20, 20, "#ff0000"), s.Block("switch-1", 20, 20, "#00ff00"),
                           s.Block("switch-2", 20, 20, "#0000ff")},
                          0, nullptr));
  for (const auto& [value, expected] : {std::pair{0.25, kGreen}, {0.5, kBlue}, {1., kBlue}})
  {
    SCOPED_TRACE(value);
    s.Show(*pSwitch, value, "svg_switch_param.png");
    EXPECT_TRUE(Near(s.At(30.f, 30.f), expected)) << Str(s.At(30.f, 30.f));
  }
}

// An upright bar from the top edge to near the centre of a 40 x 40 image: where it points shows the angle.
TEST(SVGControls, KnobTurnsItsImageFromMinus135To135Degrees)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pKnob = s.Add(
    new ISVGKnobControl(IRECT(10.f, 10.f, 50.f, 50.f),
                        s.Load("knob", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\">"
                                       "<rect x=\"16\" y=\"2\" width=\"8\" height=\"14\" fill=\"#ff0000\"/></svg>"),
                        kNoParameter));
  const float cx = 30.f, cy = 30.f, d = 10.f;
  s.graphics->Tick();

  struct Case
  {
    double value;
    const char* png;
    float dx, dy; // the bar's direction from the centre
  };
  for (const Case& c : {Case{0., "svg_knob_0.png", -0.707f, 0.707f}, Case{0.5, "svg_knob_50.png", 0.f, -1.f},
                        Case{1., "svg_knob_100.png", 0.707f, 0.707f}})
  {
    SCOPED_TRACE(c.png);
    s.Show(*pKnob, c.value, c.png);
    EXPECT_TRUE(Near(s.At(cx + d * c.dx, cy + d * c.dy), kRed)) << Str(s.At(cx + d * c.dx, cy + d * c.dy));
    EXPECT_TRUE(Near(s.At(cx - d * c.dx, cy - d * c.dy), COLOR_WHITE)) << "opposite side";
  }

  pKnob->SetSVG(s.Load("knob-green", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\">"
                                     "<rect x=\"16\" y=\"2\" width=\"8\" height=\"14\" fill=\"#00ff00\"/></svg>"));
  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(cx + 0.707f * d, cy + 0.707f * d), kGreen)) << "the new image is drawn";
}

TEST(SVGControls, VerticalSliderHandleRunsFromTheTrackBottomToItsTop)
{
  // A 10 x 100 track in a control 200 high is scaled by 2: the track is 20 x 200, the handle 40 x 20.
  Snapshot s(60, 220);
  ASSERT_NE(s.window, nullptr);
  auto* pSlider = s.Add(new ISVGSliderControl(IRECT(10.f, 10.f, 50.f, 210.f), s.Block("v-handle", 20, 10, "#ff0000"),
                                              s.Block("v-track", 10, 100, "#0000ff"), kNoParameter,
                                              EDirection::Vertical, 1.));
  EXPECT_EQ(pSlider->GetHandleBounds(1.), IRECT(10.f, 10.f, 50.f, 30.f));
  EXPECT_EQ(pSlider->GetHandleBounds(0.), IRECT(10.f, 190.f, 50.f, 210.f));

  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(12.f, 200.f), kRed)) << "default, at the bottom " << Str(s.At(12.f, 200.f));
  EXPECT_TRUE(Near(s.At(30.f, 20.f), kBlue)) << "the track " << Str(s.At(30.f, 20.f));
  EXPECT_TRUE(Near(s.At(12.f, 20.f), COLOR_WHITE)) << Str(s.At(12.f, 20.f));

  s.Show(*pSlider, 1., "svg_slider_v.png");
  EXPECT_TRUE(Near(s.At(12.f, 20.f), kRed)) << "at the top " << Str(s.At(12.f, 20.f));
  EXPECT_TRUE(Near(s.At(30.f, 200.f), kBlue)) << "the track " << Str(s.At(30.f, 200.f));
  EXPECT_TRUE(Near(s.At(12.f, 200.f), COLOR_WHITE)) << Str(s.At(12.f, 200.f));
  EXPECT_EQ(pSlider->GetHandleBounds(-1.), pSlider->GetHandleBounds(1.)) << "a negative value is the current one";

  // The handle travels from y 30 to 210 by its bottom edge, so a click halfway down that is one half.
  s.Click(30.f, 120.f);
  EXPECT_NEAR(pSlider->GetValue(), 0.5, 1e-3);
}

TEST(SVGControls, HorizontalSliderHandleRunsFromTheTrackLeftToItsRightEnd)
{
  // A 100 x 10 track in a control 200 wide is scaled by 2: the track is 200 x 20, the handle 20 x 40.
  Snapshot s(220, 60);
  ASSERT_NE(s.window, nullptr);
  auto* pSlider = s.Add(new ISVGSliderControl(IRECT(10.f, 10.f, 210.f, 50.f), s.Block("h-handle", 10, 20, "#ff0000"),
                                              s.Block("h-track", 100, 10, "#0000ff"), kNoParameter,
                                              EDirection::Horizontal, 1.));
  EXPECT_EQ(pSlider->GetHandleBounds(1.), IRECT(190.f, 10.f, 210.f, 50.f));
  EXPECT_EQ(pSlider->GetHandleBounds(0.), IRECT(10.f, 10.f, 30.f, 50.f));

  s.graphics->Tick();
  EXPECT_TRUE(Near(s.At(20.f, 12.f), kRed)) << "default, at the left " << Str(s.At(20.f, 12.f));
  EXPECT_TRUE(Near(s.At(200.f, 12.f), COLOR_WHITE)) << Str(s.At(200.f, 12.f));

  s.Show(*pSlider, 1., "svg_slider_h.png");
  EXPECT_TRUE(Near(s.At(200.f, 12.f), kRed)) << "at the right end " << Str(s.At(200.f, 12.f));
  EXPECT_TRUE(Near(s.At(20.f, 30.f), kBlue)) << "the track " << Str(s.At(20.f, 30.f));
  EXPECT_TRUE(Near(s.At(20.f, 12.f), COLOR_WHITE)) << Str(s.At(20.f, 12.f));
}

// Controls without images draw nothing and still take clicks.
TEST(SVGControls, MissingImagesDrawNothing)
{
  Snapshot s(60, 60);
  ASSERT_NE(s.window, nullptr);
  const IRECT r(10.f, 10.f, 50.f, 50.f);
  IControl* controls[] = {
    new ISVGSwitchControl(r, {}, kNoParameter, nullptr),
    new ISVGButtonControl(
      r, [](IControl*) {}, ISVG(), ISVG()),
    new ISVGToggleControl(r, kNoParameter, ISVG(), ISVG()),
    new ISVGKnobControl(r, ISVG(), kNoParameter),
    new ISVGSliderControl(r, ISVG(), ISVG(), kNoParameter, EDirection::Vertical, 1.),
  };
  for (IControl* pControl : controls)
  {
    s.Add(pControl);
    for (const double value : {0., 1., kNaN})
      s.Show(*pControl, value, "svg_missing.png");
    s.Click(30.f, 30.f);
    s.graphics->Tick();
    EXPECT_TRUE(Near(s.At(30.f, 30.f), COLOR_WHITE)) << Str(s.At(30.f, 30.f));
    s.graphics->RemoveControl(pControl);
  }
}
