// The bitmap button, switch, knob, rotating knob, slider, text and meter drawn by the headless
// editor on a white panel from PNG strips the tests write first, checked at sampled pixels. The
// pictures go to the test's output folder.
#include "../platforms/HeadlessEditor.h"
#include "../FrameStripImages.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IBitmapControls.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugPeakAvgSender.h"
#include "utility/MathConstants.h"

using namespace iplug;
using namespace iplug::igraphics;
using headless::kFrameColors;
using headless::Near;
using headless::Str;

namespace
{

constexpr IColor kWhite(255, 255, 255, 255);
constexpr IColor kRed = kFrameColors[0], kBlue = kFrameColors[2];
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string WriteSolid(const std::string& name, int w, int h, const IColor& color)
{
  return headless::WriteFrames(TEST_OUTPUT_DIR, name, 1, w, h, true, [color](int, int, int) { return color; });
}

/** A white editor opened on a window that the tests send mouse events through. */
struct Scene
{
  Scene(int w, int h) : graphics(std::make_unique<IGraphicsHeadless>(delegate, w, h))
  {
    window = graphics->OpenWindow(&host);
    graphics->AttachControl(new IPanelControl(graphics->GetBounds(), kWhite));
  }

  IBitmap Load(const std::string& path, int n = 1, bool horizontal = true)
  {
    const IBitmap bitmap = graphics->LoadBitmap(path.c_str(), n, horizontal);
    EXPECT_TRUE(bitmap.IsValid()) << path;
    return bitmap;
  }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(graphics->AttachControl(pControl));
  }

  void Show(IControl& control, double value, const std::string& pngName)
  {
    control.SetValue(value);
    control.SetDirty(false);
    graphics->Tick();
    EXPECT_TRUE(graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }

  IColor At(float x, float y) const
  {
    const float s = graphics->GetBackingPixelScale();
    return graphics->PixelAt(static_cast<int>(std::floor(x * s)), static_cast<int>(std::floor(y * s)));
  }

  void Click(float x, float y) { headless::ClickAt(host, x, y); }

  headless::TestDelegate delegate;
  HeadlessWindow host{};
  std::unique_ptr<IGraphicsHeadless> graphics;
  void* window = nullptr;
};

#define EXPECT_COLOR_AT(scene, x, y, color)                                                                            \
  EXPECT_TRUE(Near((scene).At(x, y), color)) << "at " << (x) << ", " << (y) << ": " << Str((scene).At(x, y))

constexpr int kFW = 20, kFH = 16;

} // namespace

TEST(BitmapControls, FrameControlsShowTheirFrameAtRestAndAtAnotherValue)
{
  struct Case
  {
    const char* name;
    std::function<IControl*(const IBitmap&)> make;
    IRECT bounds;
  };
  // From a point: one frame with its top-left there; from a rectangle: one frame centred in it.
  const IRECT area(10.f, 10.f, 50.f, 40.f);
  const IRECT centred(20.f, 17.f, 40.f, 33.f);
  const Case cases[] = {
    {"button_xy", [](const IBitmap& b) { return new IBButtonControl(10.f, 10.f, b, nullptr); },
     IRECT(10.f, 10.f, 30.f, 26.f)},
    {"button_rect", [&](const IBitmap& b) { return new IBButtonControl(area, b, nullptr); }, centred},
    {"switch_xy", [](const IBitmap& b) { return new IBSwitchControl(10.f, 10.f, b); }, IRECT(10.f, 10.f, 30.f, 26.f)},
    {"switch_rect", [&](const IBitmap& b) { return new IBSwitchControl(area, b); }, centred},
    {"knob_xy", [](const IBitmap& b) { return new IBKnobControl(10.f, 10.f, b); }, IRECT(10.f, 10.f, 30.f, 26.f)},
    {"knob_rect", [&](const IBitmap& b) { return new IBKnobControl(area, b); }, centred},
    {"meter", [](const IBitmap& b) { return new IBMeterControl(10.f, 10.f, b); }, IRECT(10.f, 10.f, 30.f, 26.f)},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Scene s(60, 50);
    ASSERT_NE(s.window, nullptr);
    IControl* pControl = s.Add(c.make(s.Load(headless::WriteStrip(TEST_OUTPUT_DIR, "bitmaps5.png", 5, kFW, kFH), 5)));
    EXPECT_EQ(pControl->GetRECT(), c.bounds);
    const float x = c.bounds.MW(), y = c.bounds.MH();

    s.graphics->Tick();
    EXPECT_TRUE(s.graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + c.name + "_0.png").c_str()));
    EXPECT_COLOR_AT(s, x, y, kFrameColors[0]);
    EXPECT_COLOR_AT(s, c.bounds.L + 1.f, c.bounds.T + 1.f, kFrameColors[0]);
    EXPECT_COLOR_AT(s, c.bounds.R - 1.f, c.bounds.B - 1.f, kFrameColors[0]);
    EXPECT_COLOR_AT(s, c.bounds.L - 1.f, y, kWhite);

    s.Show(*pControl, 0.5, std::string(c.name) + "_50.png");
    EXPECT_COLOR_AT(s, x, y, kFrameColors[2]);
    EXPECT_COLOR_AT(s, c.bounds.R - 1.f, c.bounds.B - 1.f, kFrameColors[2]);
  }
}

TEST(BitmapControls, SwitchClicksStepThroughTheFramesAndStartOver)
{
  struct Case
  {
    int frames;
    double start;
    std::vector<double> values; // after each click
  };
  // A value that is not a number, as a broken host may send, starts over at the first frame.
  const Case cases[] = {{2, 0., {1., 0., 1.}}, {3, 0., {0.5, 1., 0., 0.5}}, {5, 0., {0.25, 0.5, 0.75, 1., 0.}},
                        {1, 0., {1., 0.}},     {3, kNaN, {0., 0.5}},        {3, 7., {0.}}};
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.frames) + " frames from " + std::to_string(c.start));
    Scene s(60, 50);
    ASSERT_NE(s.window, nullptr);
    const std::string name = "switch" + std::to_string(c.frames) + ".png";
    auto* pSwitch = s.Add(new IBSwitchControl(
      10.f, 10.f, s.Load(headless::WriteStrip(TEST_OUTPUT_DIR, name, c.frames, kFW, kFH), c.frames)));
    pSwitch->SetValue(c.start);
    for (const double want : c.values)
    {
      s.Click(20.f, 18.f);
      EXPECT_NEAR(pSwitch->GetValue(), want, 1e-9);
      s.graphics->Tick();
      const int frame = static_cast<int>(want * (c.frames - 1) + 0.5);
      EXPECT_COLOR_AT(s, 20.f, 18.f, kFrameColors[frame]);
    }
  }
}

TEST(BitmapControls, SliderHandleRunsTheLengthOfItsTrack)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    bool withTrack;
    double value;
    IRECT bounds;
    IRECT handle;
  };
  // A 10 x 8 handle. Without a track bitmap the control, 80 long, is the track. The 14 x 60 track
  // bitmap is centred in its control: (23, 20, 37, 80).
  const IRECT kVertical(20.f, 10.f, 30.f, 90.f), kHorizontal(10.f, 20.f, 90.f, 28.f),
    kWithTrack(10.f, 10.f, 50.f, 90.f);
  const Case cases[] = {
    {"v_top", EDirection::Vertical, false, 1., kVertical, IRECT(20.f, 10.f, 30.f, 18.f)},
    {"v_bottom", EDirection::Vertical, false, 0., kVertical, IRECT(20.f, 82.f, 30.f, 90.f)},
    {"v_mid", EDirection::Vertical, false, 0.5, kVertical, IRECT(20.f, 46.f, 30.f, 54.f)},
    {"h_left", EDirection::Horizontal, false, 0., kHorizontal, IRECT(10.f, 20.f, 20.f, 28.f)},
    {"h_right", EDirection::Horizontal, false, 1., kHorizontal, IRECT(80.f, 20.f, 90.f, 28.f)},
    {"track_top", EDirection::Vertical, true, 1., kWithTrack, IRECT(23.f, 20.f, 33.f, 28.f)},
    {"track_bottom", EDirection::Vertical, true, 0., kWithTrack, IRECT(23.f, 72.f, 33.f, 80.f)},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Scene s(100, 100);
    ASSERT_NE(s.window, nullptr);
    const IBitmap handle = s.Load(WriteSolid("slider_handle.png", 10, 8, kRed));
    IBSliderControl* pSlider = nullptr;
    if (c.withTrack)
      pSlider = s.Add(new IBSliderControl(c.bounds, handle, s.Load(WriteSolid("slider_track.png", 14, 60, kBlue)),
                                          kNoParameter, c.dir));
    else
      pSlider = s.Add(new IBSliderControl(c.bounds.L, c.bounds.T, 80.f, handle, IBitmap(), kNoParameter, c.dir));
    EXPECT_EQ(pSlider->GetRECT(), c.bounds);

    s.Show(*pSlider, c.value, std::string("slider_") + c.name + ".png");
    EXPECT_EQ(pSlider->GetHandleBounds(), c.handle);
    EXPECT_EQ(pSlider->GetHandleBounds(c.value), c.handle);
    EXPECT_COLOR_AT(s, c.handle.L + 0.5f, c.handle.T + 0.5f, kRed);
    EXPECT_COLOR_AT(s, c.handle.R - 0.5f, c.handle.B - 0.5f, kRed);
    // Just past the handle along the track: the track bitmap where there is one, else the panel.
    const IColor beside = c.withTrack ? kBlue : kWhite;
    if (c.dir == EDirection::Vertical)
      EXPECT_COLOR_AT(s, c.handle.MW(), c.value > 0.5 ? c.handle.B + 1.5f : c.handle.T - 1.5f, beside);
    else
      EXPECT_COLOR_AT(s, c.value > 0.5 ? c.handle.L - 1.5f : c.handle.R + 1.5f, c.handle.MH(), beside);
  }
}

TEST(BitmapControls, TextIsDrawnWithOneFontFramePerCharacter)
{
  Scene s(80, 40);
  ASSERT_NE(s.window, nullptr);
  // Frame 1 is the space; character code c uses frame c - 31, so '!' is frame 2 and '#' frame 4.
  const IBitmap font = s.Load(headless::WriteStrip(TEST_OUTPUT_DIR, "font5.png", 5, kFW, kFH), 5);
  auto* pText = s.Add(new IBTextControl(IRECT(10.f, 10.f, 50.f, 26.f), font, DEFAULT_TEXT, "", kFW, kFH));
  const IBTextControl added(IRECT(), font, DEFAULT_TEXT, "", kFW, kFH, 0, false, true, EBlend::Add);
  EXPECT_EQ(added.GetBlend().mMethod, EBlend::Add);
  EXPECT_EQ(added.GetBlend().mWeight, 1.f);

  s.graphics->Tick();
  EXPECT_COLOR_AT(s, 20.f, 18.f, kWhite);
  EXPECT_COLOR_AT(s, 40.f, 18.f, kWhite);

  pText->SetStr("!#");
  pText->SetDirty(false);
  s.graphics->Tick();
  EXPECT_TRUE(s.graphics->WritePNG(TEST_OUTPUT_DIR "/bitmap_text.png"));
  EXPECT_COLOR_AT(s, 20.f, 18.f, kFrameColors[1]);
  EXPECT_COLOR_AT(s, 40.f, 18.f, kFrameColors[3]);
  EXPECT_COLOR_AT(s, 52.f, 18.f, kWhite);
}

TEST(BitmapControls, RotaterTurnsItsImageFromMinus130To130Degrees)
{
  // A 40 x 40 image, red above its middle and blue below, turned about the control's centre
  // (50, 50). Sample points are 14 pixels from the centre, at the given angle from twelve o'clock
  // (clockwise).
  struct Case
  {
    double value;
    float redAt;  // where the image's top now points
    float blueAt; // where its bottom points
  };
  const Case cases[] = {{0.5, 0.f, 180.f}, {0., -130.f, 50.f}, {1., 130.f, -50.f}};

  Scene s(100, 100);
  ASSERT_NE(s.window, nullptr);
  const IBitmap image = s.Load(headless::WriteFrames(TEST_OUTPUT_DIR, "rotater.png", 1, 40, 40, true,
                                                     [](int, int, int y) { return y < 20 ? kRed : kBlue; }));
  auto* pKnob = s.Add(new IBKnobRotaterControl(30.f, 30.f, image));
  EXPECT_EQ(pKnob->GetRECT(), IRECT(30.f, 30.f, 70.f, 70.f));
  auto at = [&](float degrees) {
    const float a = degrees * brimvale::utility::kPiFloat / 180.f;
    return std::pair{50.f + 14.f * std::sin(a), 50.f - 14.f * std::cos(a)};
  };

  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.value);
    s.Show(*pKnob, c.value, "rotater_" + std::to_string(static_cast<int>(c.value * 100)) + ".png");
    const auto [rx, ry] = at(c.redAt);
    const auto [bx, by] = at(c.blueAt);
    EXPECT_COLOR_AT(s, rx, ry, kRed);
    EXPECT_COLOR_AT(s, bx, by, kBlue);
  }
}

namespace
{

using Record = ISenderData<2, float>;

std::vector<uint8_t> Bytes(const Record& record)
{
  std::vector<uint8_t> bytes(sizeof(Record));
  std::memcpy(bytes.data(), &record, sizeof(Record));
  return bytes;
}

Record Levels(int nChans, int chanOffset, float first, float second = 0.f)
{
  Record record(-1, nChans, chanOffset);
  record.vals = {first, second};
  return record;
}

} // namespace

TEST(BitmapControls, MeterTakesLevelsOnlyFromUpdateRecordsForItsChannels)
{
  using EResponse = IBMeterControl::EResponse;
  const float nanLevel = std::numeric_limits<float>::quiet_NaN();
  struct Case
  {
    const char* name;
    EResponse response;
    int msgTag;
    std::vector<uint8_t> data;
    bool disabled;
    double want; // from a value of 0.25
  };
  std::vector<uint8_t> longer = Bytes(Levels(1, 0, 0.6f));
  longer.resize(28, 0xff);
  const Case cases[] = {
    {"linear", EResponse::Linear, 0, Bytes(Levels(1, 0, 0.5f)), false, 0.5},
    {"linear clamped", EResponse::Linear, 0, Bytes(Levels(1, 0, 1.7f)), false, 1.},
    {"log 0 dB", EResponse::Log, 0, Bytes(Levels(1, 0, 1.f)), false, 60. / 72.},
    {"log -60 dB", EResponse::Log, 0, Bytes(Levels(1, 0, 0.001f)), false, 0.},
    {"log silence", EResponse::Log, 0, Bytes(Levels(1, 0, 0.f)), false, 0.},
    {"log negative level", EResponse::Log, 0, Bytes(Levels(1, 0, -1.f)), false, 60. / 72.},
    {"longer message", EResponse::Linear, 0, longer, false, 0.6},
    {"two channels, one slot", EResponse::Linear, 0, Bytes(Levels(2, 0, 0.75f, 0.1f)), false, 0.75},
    {"short message is silence", EResponse::Linear, 0, {1, 2, 3, 4, 5, 6, 7, 8}, false, 0.},
    {"another tag", EResponse::Linear, 1, Bytes(Levels(1, 0, 0.5f)), false, 0.25},
    {"disabled", EResponse::Linear, 0, Bytes(Levels(1, 0, 0.5f)), true, 0.25},
    // Hostile records: channel numbers the meter has no slot for, sums that would overflow, and
    // levels that are not numbers leave the value alone.
    {"channel without a slot", EResponse::Linear, 0, Bytes(Levels(1, 1, 0.5f, 0.5f)), false, 0.25},
    {"channel beyond the levels", EResponse::Linear, 0, Bytes(Levels(1, 2, 0.5f, 0.5f)), false, 0.25},
    {"negative first channel", EResponse::Linear, 0, Bytes(Levels(1, -1, 0.5f)), false, 0.25},
    {"negative count", EResponse::Linear, 0, Bytes(Levels(-3, 0, 0.5f)), false, 0.25},
    {"huge count", EResponse::Linear, 0, Bytes(Levels(INT_MAX, 0, 0.5f)), false, 0.5},
    {"huge first channel", EResponse::Linear, 0, Bytes(Levels(INT_MAX, INT_MAX, 0.5f)), false, 0.25},
    {"lowest first channel", EResponse::Linear, 0, Bytes(Levels(INT_MAX, INT_MIN, 0.5f)), false, 0.25},
    {"level not a number", EResponse::Log, 0, Bytes(Levels(1, 0, nanLevel)), false, 0.25},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Scene s(40, 40);
    ASSERT_NE(s.window, nullptr);
    auto* pMeter = s.Add(new IBMeterControl(10.f, 10.f,
                                            s.Load(headless::WriteStrip(TEST_OUTPUT_DIR, "meter5.png", 5, kFW, kFH), 5),
                                            c.response, -60.f, 12.f));
    pMeter->SetValue(0.25);
    pMeter->SetDisabled(c.disabled);
    pMeter->OnMsgFromDelegate(c.msgTag, static_cast<int>(c.data.size()), c.data.data());
    EXPECT_NEAR(pMeter->GetValue(), c.want, 1e-6);
  }
}

TEST(BitmapControls, MeterShowsTheFrameForTheLevelItWasSent)
{
  Scene s(40, 40);
  ASSERT_NE(s.window, nullptr);
  auto* pMeter = s.Add(
    new IBMeterControl(10.f, 10.f, s.Load(headless::WriteStrip(TEST_OUTPUT_DIR, "meter5.png", 5, kFW, kFH), 5)));
  s.graphics->Tick();
  EXPECT_COLOR_AT(s, 20.f, 18.f, kFrameColors[0]);

  // The message marks the meter for redrawing itself.
  const std::vector<uint8_t> data = Bytes(Levels(1, 0, 1.f));
  pMeter->OnMsgFromDelegate(ISender<>::kUpdateMessage, static_cast<int>(data.size()), data.data());
  s.graphics->Tick();
  EXPECT_TRUE(s.graphics->WritePNG(TEST_OUTPUT_DIR "/meter_full.png"));
  EXPECT_COLOR_AT(s, 20.f, 18.f, kFrameColors[4]);
}

TEST(BitmapControls, RescaleLoadsTheHandleAndTrackForTheNewScale)
{
  Scene s(60, 100);
  ASSERT_NE(s.window, nullptr);
  WriteSolid("rescale_handle@2x.png", 20, 16, kFrameColors[3]);
  WriteSolid("rescale_track@2x.png", 28, 120, kFrameColors[4]);
  auto* pSlider = s.Add(new IBSliderControl(IRECT(10.f, 10.f, 50.f, 90.f),
                                            s.Load(WriteSolid("rescale_handle.png", 10, 8, kRed)),
                                            s.Load(WriteSolid("rescale_track.png", 14, 60, kBlue))));
  pSlider->SetValue(1.);
  s.graphics->Tick();
  EXPECT_COLOR_AT(s, 25.f, 22.f, kRed);
  EXPECT_COLOR_AT(s, 30.f, 60.f, kBlue);

  s.graphics->SetScreenScale(2.f);
  s.graphics->Tick();
  EXPECT_TRUE(s.graphics->WritePNG(TEST_OUTPUT_DIR "/slider_rescaled.png"));
  EXPECT_COLOR_AT(s, 25.f, 22.f, kFrameColors[3]);
  EXPECT_COLOR_AT(s, 30.f, 60.f, kFrameColors[4]);
}
