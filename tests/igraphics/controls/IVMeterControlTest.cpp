// The meters' dB scale, peak markers, dB markers and the update records they accept or drop,
// over the recording surface.
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "../SurfaceFixture.h"
#include "igraphics/controls/IVMeterControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr IColor kFore(255, 2, 0, 0), kHigh(255, 5, 0, 0), kExtra1(255, 7, 0, 0), kExtra2(255, 8, 0, 0);

IVStyle MeterStyle(bool showValue = false)
{
  IVStyle style;
  style.showLabel = false;
  style.showValue = showValue;
  style.colorSpec.SetColor(kFG, kFore);
  style.colorSpec.SetColor(kHL, kHigh);
  style.colorSpec.SetColor(kX1, kExtra1);
  style.colorSpec.SetColor(kX2, kExtra2);
  return style;
}

using PeakAvgMeter = IVPeakAvgMeterControl<2>;
using Meter = IVMeterControl<2>;

// Opens the peak positions.
class Peaks : public PeakAvgMeter
{
public:
  using PeakAvgMeter::mPeakPositions;
  using PeakAvgMeter::PeakAvgMeter;
};

// Where the editor's meter (-60 to +12 dB) puts a level.
double Pos(double level)
{
  return (20. * std::log10(level) + 60.) / 72.;
}

PeakAvgMeter::Data PeakAvgRecord(int offset, int count, IPeakAvg left, IPeakAvg right)
{
  PeakAvgMeter::Data d(3, count, offset);
  d.vals = {left, right};
  return d;
}

template <typename Record>
void Send(IControl& control, const Record& record)
{
  control.OnMsgFromDelegate(0, static_cast<int>(sizeof(record)), &record);
}

class Meters : public SurfaceFixture
{
protected:
  template <typename T>
  T* Attach(T* pControl)
  {
    return static_cast<T*>(g.AttachControl(pControl));
  }

  // The stereo meter of the editor: 20 x 144, so 2 pixels per dB.
  Peaks* EditorMeter(EDirection dir = EDirection::Vertical, bool showValue = false)
  {
    const IRECT bounds = dir == EDirection::Vertical ? IRECT(0.f, 0.f, 20.f, 144.f) : IRECT(0.f, 0.f, 144.f, 20.f);
    return Attach(new Peaks(bounds, "", MeterStyle(showValue), dir, {"L", "R"}));
  }

  std::vector<RecordingGraphics::DrawCall> Drawn(IControl& control, const std::string& op)
  {
    g.mDrawCalls.clear();
    control.Draw(g);
    return g.DrawCallsOf(op);
  }

  std::vector<std::vector<float>> FillsOf(IControl& control, const IColor& color)
  {
    std::vector<std::vector<float>> fills;
    for (const auto& call : Drawn(control, "fill rect"))
      if (call.color == color)
        fills.push_back(call.coords);
    return fills;
  }
};

// ---- scale

TEST_F(Meters, TheAverageFillsTheTrackOnTheEditorsScale)
{
  const struct
  {
    const char* name;
    float average;
    double expected;
  } cases[] = {
    {"0 dB", 1.f, 60. / 72.},
    {"about +12 dB fills it", 4.f, 1.},
    {"-6 dB", 0.5f, Pos(0.5)},
    {"-60 dB is the bottom", 0.001f, 0.},
    {"below the range clamps", 1e-5f, 0.},
    {"silence", 0.f, 0.},
    {"the sign does not matter", -0.5f, Pos(0.5)},
  };
  for (const auto& c : cases)
  {
    Peaks* pMeter = EditorMeter();
    Send(*pMeter, PeakAvgRecord(0, 2, {0.f, c.average}, {0.f, 1.f}));
    EXPECT_NEAR(pMeter->GetValue(0), c.expected, 1e-6) << c.name;
    EXPECT_NEAR(pMeter->GetValue(1), 60. / 72., 1e-6) << c.name;

    // The bar fills the track from the bottom to the value.
    const auto bars = FillsOf(*pMeter, kFore);
    ASSERT_EQ(bars.size(), 2u) << c.name;
    EXPECT_NEAR(bars[0][1], 144. * (1. - c.expected), 1e-3) << c.name;
  }
}

TEST_F(Meters, APeakAboveTheRangeDrawsAtTheTopInTheSecondExtraColour)
{
  const struct
  {
    const char* name;
    EDirection dir;
    float peak;
    IColor color; // transparent: no peak drawn
    std::vector<float> rect;
  } cases[] = {
    {"0 dB", EDirection::Vertical, 1.f, kExtra1, {0, 24, 10, 25}},
    {"+18 dB", EDirection::Vertical, 8.f, kExtra2, {0, 0, 10, 1}},
    {"silence", EDirection::Vertical, 0.f, COLOR_TRANSPARENT, {}},
    {"-100 dB", EDirection::Vertical, 1e-5f, COLOR_TRANSPARENT, {}},
    {"horizontal 0 dB", EDirection::Horizontal, 1.f, kExtra1, {119, 0, 120, 10}},
    {"horizontal +18 dB", EDirection::Horizontal, 8.f, kExtra2, {143, 0, 144, 10}},
  };
  for (const auto& c : cases)
  {
    Peaks* pMeter = EditorMeter(c.dir);
    Send(*pMeter, PeakAvgRecord(0, 2, {c.peak, 0.f}, {0.f, 0.f}));

    std::vector<std::vector<float>> peaks = FillsOf(*pMeter, kExtra1);
    const auto warnings = FillsOf(*pMeter, kExtra2);
    peaks.insert(peaks.end(), warnings.begin(), warnings.end());
    if (c.rect.empty())
    {
      EXPECT_TRUE(peaks.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(peaks.size(), 1u) << c.name << ": only the left channel has a peak";
    EXPECT_EQ(FillsOf(*pMeter, c.color).size(), 1u) << c.name;
    for (size_t i = 0; i < 4; ++i)
      EXPECT_NEAR(peaks[0][i], c.rect[i], 1e-3) << c.name << " coordinate " << i;
  }
}

TEST_F(Meters, DBMarkersSitOnTheScaleAndAreLabelledWhenValuesShow)
{
  Peaks* pMeter = EditorMeter(EDirection::Vertical, true);
  std::vector<float> ys;
  for (const auto& call : Drawn(*pMeter, "draw line"))
  {
    EXPECT_EQ(call.color, kHigh);
    EXPECT_EQ(call.coords[0], 0.f);
    EXPECT_EQ(call.coords[2], 20.f);
    ys.push_back(call.coords[1]);
  }
  // 0, -6, -12, -24 and -48 dB; -48 dB is 12/72 of the height up.
  const std::vector<float> expectedYs = {24.f, 36.f, 48.f, 72.f, 120.f};
  ASSERT_EQ(ys.size(), expectedYs.size());
  for (size_t i = 0; i < ys.size(); ++i)
    EXPECT_NEAR(ys[i], expectedYs[i], 1e-3);

  std::vector<std::string> labels;
  for (const auto& call : g.DrawCallsOf("text"))
    labels.push_back(call.text + " at " + std::to_string(int(call.coords[1])));
  EXPECT_EQ(labels, (std::vector<std::string>{"L at 0", "R at 0", "0 dB at 24", "-6 dB at 36", "-12 dB at 48",
                                              "-24 dB at 72", "-48 dB at 120"}));

  Peaks* pHorizontal = EditorMeter(EDirection::Horizontal);
  const auto lines = Drawn(*pHorizontal, "draw line");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NEAR(lines[4].coords[0], 24.f - 5.f, 1e-3) << "-48 dB, drawn 5 pixels short of its place";
  EXPECT_TRUE(g.DrawCallsOf("text").size() == 2u) << "only the track names without showValue";

  Meter* pLinear = Attach(new Meter(IRECT(0.f, 0.f, 20.f, 144.f), "", MeterStyle(true), EDirection::Vertical, {}, 0,
                                    Meter::EResponse::Linear));
  EXPECT_TRUE(Drawn(*pLinear, "draw line").empty()) << "a linear meter has no dB markers";
}

TEST_F(Meters, ThePlainMeterReadsLevelsLinearlyOrInDB)
{
  const struct
  {
    const char* name;
    Meter::EResponse response;
    float level;
    double expected;
  } cases[] = {
    {"linear half", Meter::EResponse::Linear, 0.5f, 0.5},
    {"linear clamps above", Meter::EResponse::Linear, 2.f, 1.},
    {"linear clamps below", Meter::EResponse::Linear, -0.5f, 0.},
    {"log -6 dB", Meter::EResponse::Log, 0.5f, Pos(0.5)},
    {"log of a negative level", Meter::EResponse::Log, -0.5f, Pos(0.5)},
    {"log silence", Meter::EResponse::Log, 0.f, 0.},
  };
  for (const auto& c : cases)
  {
    Meter* pMeter = Attach(
      new Meter(IRECT(0.f, 0.f, 20.f, 144.f), "", MeterStyle(), EDirection::Vertical, {}, 0, c.response));
    Meter::Data d(3, 1, 1);
    d.vals = {0.f, c.level};
    pMeter->SetValue(0.25, 0);
    Send(*pMeter, d);
    EXPECT_NEAR(pMeter->GetValue(1), c.expected, 1e-6) << c.name;
    EXPECT_EQ(pMeter->GetValue(0), 0.25) << c.name << ": channel 0 was not named";
  }
}

// ---- records that name what the meter does not have

TEST_F(Meters, MalformedRecordsNeverTouchATrackTheyDoNotName)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const double before[2] = {Pos(0.5), Pos(0.25)};
  constexpr int kSize = static_cast<int>(sizeof(PeakAvgMeter::Data));

  const struct
  {
    const char* name;
    int msgTag;
    int dataSize;
    bool noData;
    bool disabled;
    int offset;
    int count;
    float right; // the left channel's levels are always 1.0 (0 dB)
    double expected[2];
    bool dirty;
  } cases[] = {
    {"well formed, right only", 0, kSize, false, false, 1, 1, 1.f, {before[0], 60. / 72.}, true},
    {"one byte short", 0, kSize - 1, false, false, 0, 2, 1.f, {before[0], before[1]}, false},
    {"one byte long", 0, kSize + 1, false, false, 0, 2, 1.f, {before[0], before[1]}, false},
    {"the plain meter's record",
     0,
     static_cast<int>(sizeof(Meter::Data)),
     false,
     false,
     0,
     2,
     1.f,
     {before[0], before[1]},
     false},
    {"negative size", 0, -kSize, false, false, 0, 2, 1.f, {before[0], before[1]}, false},
    {"no data", 0, kSize, true, false, 0, 2, 1.f, {before[0], before[1]}, false},
    {"another message", 1, kSize, false, false, 0, 2, 1.f, {before[0], before[1]}, false},
    {"disabled", 0, kSize, false, true, 0, 2, 1.f, {before[0], before[1]}, false},
    {"first channel below zero", 0, kSize, false, false, -1, 2, 1.f, {before[0], before[1]}, false},
    {"first channel past the tracks", 0, kSize, false, false, 2, 1, 1.f, {before[0], before[1]}, false},
    {"runs past the last track", 0, kSize, false, false, 1, 2, 1.f, {before[0], before[1]}, false},
    {"three channels", 0, kSize, false, false, 0, 3, 1.f, {before[0], before[1]}, false},
    {"huge first channel", 0, kSize, false, false, INT_MAX, 1, 1.f, {before[0], before[1]}, false},
    {"huge count", 0, kSize, false, false, 1, INT_MAX, 1.f, {before[0], before[1]}, false},
    {"no channels", 0, kSize, false, false, 0, 0, 1.f, {before[0], before[1]}, true},
    {"negative count at the lowest offset", 0, kSize, false, false, INT_MIN, -3, 1.f, {before[0], before[1]}, true},
    {"not a number on the right", 0, kSize, false, false, 0, 2, nan, {60. / 72., before[1]}, true},
    {"infinite on the right", 0, kSize, false, false, 0, 2, inf, {60. / 72., 1.}, true},
    {"minus infinity on the right", 0, kSize, false, false, 0, 2, -inf, {60. / 72., 1.}, true},
  };
  for (const auto& c : cases)
  {
    Peaks* pMeter = EditorMeter();
    Send(*pMeter, PeakAvgRecord(0, 2, {0.5f, 0.5f}, {0.25f, 0.25f}));
    pMeter->SetDisabled(c.disabled);
    pMeter->SetClean();

    // Room for the longest case; the meter is told how much of it is the message.
    std::vector<unsigned char> bytes(sizeof(PeakAvgMeter::Data) + 1, 0);
    const PeakAvgMeter::Data record = PeakAvgRecord(c.offset, c.count, {1.f, 1.f}, {c.right, c.right});
    std::memcpy(bytes.data(), &record, sizeof(record));
    pMeter->OnMsgFromDelegate(c.msgTag, c.dataSize, c.noData ? nullptr : bytes.data());

    EXPECT_NEAR(pMeter->GetValue(0), c.expected[0], 1e-6) << c.name;
    EXPECT_NEAR(pMeter->GetValue(1), c.expected[1], 1e-6) << c.name;
    EXPECT_EQ(pMeter->IsDirty(), c.dirty) << c.name;
    EXPECT_FALSE(std::isnan(pMeter->mPeakPositions[0]) || std::isnan(pMeter->mPeakPositions[1])) << c.name;
    if (c.expected[1] == before[1])
    {
      EXPECT_NEAR(pMeter->mPeakPositions[1], Pos(0.25), 1e-6) << c.name << ": the right peak stays";
    }
    pMeter->Draw(g);
  }
}

TEST_F(Meters, ThePlainMeterDropsAPeakRecordAndChannelsItLacks)
{
  Meter* pMeter = Attach(
    new Meter(IRECT(0.f, 0.f, 20.f, 144.f), "", MeterStyle(), EDirection::Vertical, {}, 0, Meter::EResponse::Linear));
  pMeter->SetValue(0.25, 0);
  pMeter->SetValue(0.75, 1);

  const PeakAvgMeter::Data peakRecord = PeakAvgRecord(0, 2, {1.f, 1.f}, {1.f, 1.f});
  Send(*pMeter, peakRecord);
  Meter::Data outside(3, 2, 1);
  outside.vals = {1.f, 1.f};
  Send(*pMeter, outside);
  Meter::Data notANumber(3, 1, 0);
  notANumber.vals = {std::numeric_limits<float>::quiet_NaN(), 1.f};
  Send(*pMeter, notANumber);

  EXPECT_EQ(pMeter->GetValue(0), 0.25);
  EXPECT_EQ(pMeter->GetValue(1), 0.75);
}

} // namespace
