// Knob, toggle and menu button in the default style, drawn by the headless editor on a white
// panel and checked at sampled pixels. The pictures are written to the test's output folder.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "igraphics/IContainerBase.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/IVButtonControl.h"
#include "igraphics/controls/IVKnobControl.h"
#include "igraphics/controls/IVMenuButtonControl.h"
#include "igraphics/controls/IVSwitchControl.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugParameter.h"
#include "utility/MathConstants.h"

using namespace iplug::igraphics;
using headless::Near;
using headless::Str;

namespace
{

// One enumerated parameter, "Wave", showing "Triangle".
class WaveDelegate : public IGEditorDelegate
{
public:
  WaveDelegate() : IGEditorDelegate(1)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(0)->InitEnum("Wave", 2, {"Sine", "Saw", "Triangle"});
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

struct Snapshot
{
  Snapshot(int w, int h) : graphics(std::make_unique<IGraphicsHeadless>(delegate, w, h))
  {
    window = graphics->OpenWindow(nullptr);
    fontLoaded = graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
    graphics->AttachControl(new IPanelControl(graphics->GetBounds(), COLOR_WHITE));
  }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(graphics->AttachControl(pControl));
  }

  void Draw(const std::string& pngName)
  {
    graphics->Tick();
    EXPECT_TRUE(graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }

  IColor At(float x, float y) const
  {
    return graphics->PixelAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  int DarkPixelsIn(const IRECT& r) const
  {
    int n = 0;
    for (int y = static_cast<int>(r.T); y < static_cast<int>(r.B); ++y)
      for (int x = static_cast<int>(r.L); x < static_cast<int>(r.R); ++x)
        if (IsDark(graphics->PixelAt(x, y)))
          ++n;
    return n;
  }

  static bool IsDark(const IColor& c) { return c.R + c.G + c.B < 3 * 128; }
  static bool IsLight(const IColor& c) { return c.R + c.G + c.B > 3 * 180; }

  WaveDelegate delegate;
  std::unique_ptr<IGraphicsHeadless> graphics;
  void* window = nullptr;
  bool fontLoaded = false;
};

} // namespace

TEST(VectorSnapshot, KnobArcAndPointerFollowTheValue)
{
  Snapshot s(120, 160);
  ASSERT_NE(s.window, nullptr);
  ASSERT_TRUE(s.fontLoaded);
  auto* pKnob = s.Add(new IVKnobControl(
    IRECT(10.f, 10.f, 110.f, 150.f), [](IControl*) {}, "Gain"));

  const IRECT w = pKnob->GetWidgetBounds();
  const float r = pKnob->GetRadius();
  const float pointerRadius = 0.6f * (r - 4.f);
  // A point at the given angle (degrees from twelve o'clock, clockwise) and distance from the centre.
  auto at = [&](float angle, float distance) {
    const float a = angle / 180.f * brimvale::utility::kPiFloat;
    return s.At(w.MW() + distance * std::sin(a), w.MH() - distance * std::cos(a));
  };

  struct Case
  {
    double value;
    const char* png;
    bool arcLeft, arcTop, arcRight; // the arc covers 9, 12 and 3 o'clock
    float pointer;                  // angle of the pointer
    float away;                     // an angle the pointer is far from
  };
  for (const Case& c : {Case{0., "knob_0.png", false, false, false, -135.f, 0.f},
                        Case{0.5, "knob_50.png", true, false, false, 0.f, -135.f},
                        Case{1., "knob_100.png", true, true, true, 135.f, 0.f}})
  {
    SCOPED_TRACE(c.png);
    pKnob->SetValue(c.value);
    pKnob->SetDirty(false);
    s.Draw(c.png);

    for (const auto& [angle, covered] : {std::pair{-90.f, c.arcLeft}, {0.f, c.arcTop}, {90.f, c.arcRight}})
    {
      const IColor px = at(angle, r);
      EXPECT_TRUE(covered ? Snapshot::IsDark(px) : Snapshot::IsLight(px)) << "arc at " << angle << ": " << Str(px);
    }
    EXPECT_TRUE(Snapshot::IsDark(at(c.pointer, pointerRadius))) << Str(at(c.pointer, pointerRadius));
    EXPECT_TRUE(Snapshot::IsLight(at(c.away, pointerRadius))) << Str(at(c.away, pointerRadius));
  }
}

TEST(VectorSnapshot, ToggleFaceLightensWhenOn)
{
  Snapshot s(120, 60);
  ASSERT_NE(s.window, nullptr);
  ASSERT_TRUE(s.fontLoaded);
  auto* pToggle = s.Add(new IVToggleControl(
    IRECT(10.f, 10.f, 110.f, 50.f), [](IControl*) {}, "", DEFAULT_STYLE, "OFF", "ON", false));
  const IRECT w = pToggle->GetWidgetBounds();

  s.Draw("toggle_off.png");
  EXPECT_TRUE(Near(s.At(w.L + 8.f, w.MH()), DEFAULT_FGCOLOR)) << Str(s.At(w.L + 8.f, w.MH()));
  EXPECT_GT(s.DarkPixelsIn(pToggle->GetValueBounds()), 10) << "the off text";

  pToggle->SetValue(1.);
  pToggle->SetDirty(false);
  s.Draw("toggle_on.png");
  EXPECT_TRUE(Near(s.At(w.L + 8.f, w.MH()), DEFAULT_PRCOLOR)) << Str(s.At(w.L + 8.f, w.MH()));
  EXPECT_GT(s.DarkPixelsIn(pToggle->GetValueBounds()), 10) << "the on text";
}

TEST(VectorSnapshot, MenuButtonShowsItsParametersText)
{
  Snapshot s(160, 60);
  ASSERT_NE(s.window, nullptr);
  ASSERT_TRUE(s.fontLoaded);
  auto* pMenu = s.Add(new IVMenuButtonControl(IRECT(10.f, 10.f, 150.f, 50.f), 0, ""));
  ASSERT_NE(pMenu->GetMenuButton(), nullptr);
  ASSERT_STREQ(pMenu->GetMenuButton()->GetValueStr(), "Triangle");

  s.Draw("menu_button.png");
  const IRECT v = pMenu->GetMenuButton()->GetValueBounds();
  const IRECT left(v.L, v.T, v.MW(), v.B);
  const IRECT right(v.MW(), v.T, v.R, v.B);
  // A centred word has ink on both sides of the middle, and none at the face's edge.
  EXPECT_GT(s.DarkPixelsIn(left), 10);
  EXPECT_GT(s.DarkPixelsIn(right), 10);
  EXPECT_EQ(s.DarkPixelsIn(IRECT(v.L + 2.f, v.T + 2.f, v.L + 8.f, v.B - 2.f)), 0);
}
