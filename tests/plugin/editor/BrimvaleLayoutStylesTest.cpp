// What the editor's layout gives its controls beyond their places: the four looks, the knobs'
// travel and gearing, the toggles' texts, the meter's tracks and range, the maker's link and the
// corner resizer, each against the numbers of the editor's design.
#include "plugin/editor/BVKnobControl.h"
#include "plugin/Brimvale.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"

#include "igraphics/ICornerResizerControl.h"
#include "igraphics/ITextControl.h"
#include "igraphics/controls/IVButtonControl.h"
#include "igraphics/controls/IVMenuButtonControl.h"
#include "igraphics/controls/IVMeterControl.h"
#include "igraphics/controls/IVSwitchControl.h"
#include "igraphics/platforms/IGraphicsHeadless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using iplug::WDL_String;
using namespace iplug::igraphics;
using brimvale::editor::BVKnobControl;

namespace
{

// The controls keep these settings to themselves. A pointer to a protected member, formed in a
// class derived from its owner, reads it on any control of that type.
struct KnobFields : BVKnobControl
{
  static constexpr float IVKnobControl::*kStart = &KnobFields::mStartAngle;
  static constexpr float IVKnobControl::*kEnd = &KnobFields::mEndAngle;
  static constexpr float IVKnobControl::*kAnchor = &KnobFields::mAnchorAngle;
  static constexpr EDirection IKnobControlBase::*kDirection = &KnobFields::mDirection;
  static constexpr double IKnobControlBase::*kGearing = &KnobFields::mGearing;
  static constexpr float IVectorBase::*kTrackSize = &KnobFields::mTrackSize;
  static constexpr bool IVectorBase::*kValueInWidget = &KnobFields::mValueInWidget;
};

struct ToggleFields : IVToggleControl
{
  static constexpr WDL_String IVToggleControl::*kOffText = &ToggleFields::mOffText;
  static constexpr WDL_String IVToggleControl::*kOnText = &ToggleFields::mOnText;
};

using Meter = IVPeakAvgMeterControl<2>;
struct MeterFields : Meter
{
  static constexpr std::vector<WDL_String> IVTrackControlBase::*kTrackNames = &MeterFields::mTrackNames;
  static constexpr EDirection IVTrackControlBase::*kDirection = &MeterFields::mDirection;
  static constexpr int IVTrackControlBase::*kStepCount = &MeterFields::mStepCount;
  static constexpr float IVMeterControl<2>::*kLowDB = &MeterFields::mLowRangeDB;
  static constexpr float IVMeterControl<2>::*kHighDB = &MeterFields::mHighRangeDB;
  static constexpr IVMeterControl<2>::EResponse IVMeterControl<2>::*kResponse = &MeterFields::mResponse;
  static constexpr std::vector<int> IVMeterControl<2>::*kMarkers = &MeterFields::mMarkers;
};

struct LinkFields : IURLControl
{
  static constexpr std::string IURLControl::*kURL = &LinkFields::mURLStr;
  static constexpr IColor ITextControl::*kBackground = &LinkFields::mBGColor;
  static constexpr IColor IURLControl::*kMouseOver = &LinkFields::mMOColor;
  static constexpr IColor IURLControl::*kClicked = &LinkFields::mCLColor;
};

std::string Str(const IColor& c)
{
  return "(" + std::to_string(c.A) + "," + std::to_string(c.R) + "," + std::to_string(c.G) + "," + std::to_string(c.B) +
         ")";
}

std::string Str(const IRECT& r)
{
  std::ostringstream s;
  s << r.L << "," << r.T << "," << r.R << "," << r.B;
  return s.str();
}

std::string Str(const IText& t)
{
  std::ostringstream s;
  s << t.mFont << " " << t.mSize << " " << Str(t.mFGColor) << " entry " << Str(t.mTextEntryBGColor)
    << Str(t.mTextEntryFGColor) << " angle " << t.mAngle << " align " << t.mAlign << "/" << t.mVAlign;
  return s.str();
}

// Every field of a look, one per line, so that a difference names itself.
std::string Str(const IVStyle& style)
{
  std::ostringstream s;
  s << "hideCursor " << style.hideCursor << "\nshowLabel " << style.showLabel << "\nshowValue " << style.showValue
    << "\ndrawFrame " << style.drawFrame << "\ndrawShadows " << style.drawShadows << "\nemboss " << style.emboss
    << "\nroundness " << style.roundness << "\nframeThickness " << style.frameThickness << "\nshadowOffset "
    << style.shadowOffset << "\nwidgetFrac " << style.widgetFrac << "\nangle " << style.angle << "\nlabelSide "
    << style.labelSide;
  for (int c = 0; c < kNumVColors; ++c)
    s << "\ncolour " << c << " " << Str(style.colorSpec.GetColor(static_cast<EVColor>(c)));
  s << "\nlabel " << Str(style.labelText) << "\nvalue " << Str(style.valueText);
  return s.str();
}

IText PanelText(float size, const IColor& color, ETextAlign align, ETextVAlign valign)
{
  return IText(size, color, "Roboto-Regular", align, valign, 0.f);
}

const IColor kText(255, 222, 232, 241);
const IColor kCyan(255, 0, 214, 232);
const IColor kAmber(255, 242, 174, 22);

IVStyle ExpectedKnobStyle()
{
  IVStyle s = DEFAULT_STYLE;
  s.drawShadows = false;
  s.roundness = 0.12f;
  s.frameThickness = 1.f;
  s.colorSpec.SetColor(kBG, IColor(255, 10, 15, 21));
  s.colorSpec.SetColor(kFG, kCyan);
  s.colorSpec.SetColor(kPR, IColor(255, 232, 132, 184));
  s.colorSpec.SetColor(kFR, IColor(255, 54, 68, 86));
  s.colorSpec.SetColor(kHL, IColor(81, 0, 214, 232));
  s.colorSpec.SetColor(kSH, IColor(0, 0, 0, 0));
  s.labelText = PanelText(12.f, kText, kAlignCenter, kVAlignTop);
  s.valueText = PanelText(12.f, kText, kAlignCenter, kVAlignBottom);
  return s;
}

IVStyle ExpectedToggleStyle()
{
  IVStyle s = ExpectedKnobStyle();
  s.widgetFrac = 0.72f;
  s.colorSpec.SetColor(kFG, IColor(255, 73, 79, 83));
  s.colorSpec.SetColor(kPR, kAmber);
  s.valueText.mVAlign = kVAlignMiddle; // a toggle centres its value text on its face
  return s;
}

IVStyle ExpectedMenuStyle()
{
  IVStyle s = ExpectedKnobStyle();
  s.showValue = true;
  s.roundness = 0.08f;
  s.widgetFrac = 0.82f;
  s.valueText.mFGColor = IColor(255, 0, 0, 0);
  s.valueText.mVAlign = kVAlignMiddle;
  return s;
}

IVStyle ExpectedMeterStyle()
{
  IVStyle s = ExpectedKnobStyle();
  s.showLabel = false;
  s.colorSpec.SetColor(kFG, IColor(198, 242, 174, 22));
  s.colorSpec.SetColor(kPR, kAmber);
  return s;
}

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

class BrimvaleEditorLooks : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_NE(plug->OpenWindow(&window), nullptr);
    ui = static_cast<IGraphicsHeadless*>(plug->GetUI());
  }
  void TearDown() override { plug->CloseWindow(); }

  /** The controls of the face of one type, in attachment order. */
  template <class T>
  std::vector<T*> All() const
  {
    std::vector<T*> found;
    for (int i = 0; i < ui->NControls(); ++i)
      if (auto* c = dynamic_cast<T*>(ui->GetControl(i)); c && !c->GetParent())
        found.push_back(c);
    return found;
  }

  /** The colour drawn after the next frame at a point in design units. */
  IColor PixelAfterTick(float x, float y)
  {
    ui->Tick();
    const std::vector<uint8_t> pixels = ui->ReadPixels();
    const float scale = ui->GetDrawScale();
    const size_t width = static_cast<size_t>(std::lround(ui->Width() * scale));
    const size_t height = static_cast<size_t>(std::lround(ui->Height() * scale));
    if (pixels.size() != width * height * 4)
      return IColor(0, 0, 0, 0);
    const uint8_t* p = &pixels[(static_cast<size_t>(y * scale) * width + static_cast<size_t>(x * scale)) * 4];
    return IColor(255, p[0], p[1], p[2]);
  }

  std::unique_ptr<Brimvale, ReleasePlug> plug{new Brimvale(iplug::InstanceInfo())};
  HeadlessWindow window{};
  IGraphicsHeadless* ui = nullptr;
};

} // namespace

TEST_F(BrimvaleEditorLooks, EveryKnobTurnsFromMinus135To135WithGearing4AndTheKnobLook)
{
  const std::vector<BVKnobControl*> knobs = All<BVKnobControl>();
  ASSERT_EQ(knobs.size(), 26u);
  const std::string look = Str(ExpectedKnobStyle());
  for (BVKnobControl* k : knobs)
  {
    const std::string what = k->GetLabelStr();
    EXPECT_EQ(k->*KnobFields::kStart, -135.f) << what;
    EXPECT_EQ(k->*KnobFields::kEnd, 135.f) << what;
    EXPECT_EQ(k->*KnobFields::kAnchor, -135.f) << what;
    EXPECT_EQ(k->*KnobFields::kDirection, EDirection::Vertical) << what;
    EXPECT_EQ(k->*KnobFields::kGearing, 4.0) << what;
    EXPECT_EQ(k->*KnobFields::kTrackSize, 2.f) << what;
    EXPECT_FALSE(k->*KnobFields::kValueInWidget) << what;
    EXPECT_FALSE(k->GetPromptDisabled()) << what << ": the value is typed in";
    EXPECT_EQ(Str(k->GetStyle()), look) << what;
  }
}

TEST_F(BrimvaleEditorLooks, TheTogglesShowNoOnOrOffTextAndTheMenusAreRectangles)
{
  const std::vector<IVToggleControl*> toggles = All<IVToggleControl>();
  ASSERT_EQ(toggles.size(), 4u);
  for (IVToggleControl* t : toggles)
  {
    const std::string what = t->GetLabelStr();
    EXPECT_STREQ((t->*ToggleFields::kOffText).Get(), "") << what;
    EXPECT_STREQ((t->*ToggleFields::kOnText).Get(), "") << what;
    EXPECT_EQ(Str(t->GetStyle()), Str(ExpectedToggleStyle())) << what;
  }

  const std::vector<IVMenuButtonControl*> menus = All<IVMenuButtonControl>();
  ASSERT_EQ(menus.size(), 5u);
  for (IVMenuButtonControl* m : menus)
  {
    const std::string what = "menu of parameter " + std::to_string(m->GetParamIdx());
    EXPECT_STREQ(m->GetLabelStr(), "") << what;
    EXPECT_EQ(Str(m->GetStyle()), Str(ExpectedMenuStyle())) << what;
    ASSERT_NE(m->GetMenuButton(), nullptr) << what;
    EXPECT_EQ(m->GetMenuButton()->GetShape(), EVShape::Rectangle) << what;
  }
}

TEST_F(BrimvaleEditorLooks, TheMeterHasTwoNamedTracksFromMinus60To12DB)
{
  const std::vector<Meter*> meters = All<Meter>();
  ASSERT_EQ(meters.size(), 1u);
  const Meter& m = *meters[0];
  const std::vector<WDL_String>& names = m.*MeterFields::kTrackNames;
  ASSERT_EQ(names.size(), 2u);
  EXPECT_STREQ(names[0].Get(), "L");
  EXPECT_STREQ(names[1].Get(), "R");
  EXPECT_EQ(m.*MeterFields::kDirection, EDirection::Vertical);
  EXPECT_EQ(m.*MeterFields::kStepCount, 0);
  EXPECT_EQ(m.*MeterFields::kLowDB, -60.f);
  EXPECT_EQ(m.*MeterFields::kHighDB, 12.f);
  EXPECT_EQ(m.*MeterFields::kResponse, IVMeterControl<2>::EResponse::Log);
  EXPECT_EQ(m.*MeterFields::kMarkers, (std::vector<int>{0, -6, -12, -24, -48}));
  EXPECT_STREQ(m.GetLabelStr(), "");
  EXPECT_EQ(Str(m.GetStyle()), Str(ExpectedMeterStyle()));
}

TEST_F(BrimvaleEditorLooks, TheMakersLinkIsMutedSmallTextThatLightsUpInCyanAndAmber)
{
  const std::vector<IURLControl*> links = All<IURLControl>();
  ASSERT_EQ(links.size(), 1u);
  const IURLControl& link = *links[0];
  EXPECT_STREQ(link.GetStr(), "by Quillfen");
  EXPECT_FALSE((link.*LinkFields::kURL).empty());
  EXPECT_STRNE(link.GetTooltip(), "");
  EXPECT_EQ(Str(link.GetText()), Str(PanelText(11.f, IColor(255, 137, 151, 166), kAlignNear, kVAlignMiddle)));
  EXPECT_EQ(Str(link.*LinkFields::kBackground), Str(IColor(0, 0, 0, 0)));
  EXPECT_EQ(Str(link.*LinkFields::kMouseOver), Str(kCyan));
  EXPECT_EQ(Str(link.*LinkFields::kClicked), Str(kAmber));
}

// The resizer's triangle is drawn over the editor's ground, below the Output section.
TEST_F(BrimvaleEditorLooks, TheCornerResizerRescalesAndShowsDimCyanThenCyanThenAmber)
{
  EXPECT_TRUE(ui->GetLayoutOnResize());
  EXPECT_EQ(ui->GetResizerMode(), EUIResizerMode::Scale);
  EXPECT_FLOAT_EQ(ui->GetMinScale(), 0.925f);
  EXPECT_FLOAT_EQ(ui->GetMaxScale(), 1.6f);
  ICornerResizerControl* resizer = ui->GetCornerResizer();
  ASSERT_NE(resizer, nullptr);
  EXPECT_EQ(Str(resizer->GetRECT()), Str(IRECT(1480 - 22, 360 - 22, 1480, 360))) << "22 units square";

  // Inside the triangle, away from its edges.
  const float x = 1476.f, y = 356.f;
  const IColor dimOverGround(255, 4, 57, 67); // cyan dim at alpha 107 over the ground (7, 10, 15)
  IColor seen = PixelAfterTick(x, y);
  EXPECT_TRUE(headless::Near(seen, dimOverGround, 2)) << Str(seen);
  headless::SendTo(window, kHeadlessMouseOver, x, y, 0);
  seen = PixelAfterTick(x, y);
  EXPECT_TRUE(headless::Near(seen, kCyan, 2)) << Str(seen);
  // While a drag rescales the editor, the triangle in its corner is amber.
  headless::SendTo(window, kHeadlessMouseDown, x, y);
  headless::SendTo(window, kHeadlessMouseDrag, x * 1.2f, y * 1.2f, kHeadlessLeft, x * 0.2f, y * 0.2f);
  ASSERT_NEAR(ui->GetDrawScale(), 1.2f, 1e-3f);
  seen = PixelAfterTick(1480.f - 4.f / 1.2f, 360.f - 4.f / 1.2f);
  EXPECT_TRUE(headless::Near(seen, kAmber, 2)) << Str(seen);
  headless::SendTo(window, kHeadlessMouseUp, x * 1.2f, y * 1.2f);
}
