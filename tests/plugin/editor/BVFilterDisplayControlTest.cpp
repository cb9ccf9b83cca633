// The filter response picture: the curve function's edges, the modulated-cutoff message, and the
// curve drawn for real on the headless editor, found by sampling the stroke's pixels.
#include "plugin/editor/BVFilterDisplayControl.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"

#include "engine/FilterMode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;
using brimvale::editor::BVFilterDisplayControl;
using brimvale::engine::FilterMode;

namespace
{

constexpr int kWidth = 340;
constexpr int kHeight = 96;
const IRECT kDisplayRect(10, 10, 334, 86);
const IRECT kInner = kDisplayRect.GetPadded(-3.f); // where the curve lives: 318 x 70

// The mode index a filter mode has as a parameter value.
int Mode(FilterMode mode)
{
  return static_cast<int>(mode);
}

double Corner(double cutoff)
{
  return 0.04 + 0.9 * cutoff;
}

bool IsStroke(const uint8_t* rgba)
{
  return rgba[0] < 60 && rgba[1] > 150 && rgba[2] > 160;
}

struct FilterDisplay
{
  FilterDisplay() : editor(kWidth, kHeight)
  {
    display = static_cast<BVFilterDisplayControl*>(
      editor.graphics->AttachControl(new BVFilterDisplayControl(kDisplayRect, 18, 19, 23)));
  }

  /** Sets the three values as the delegate would and draws. */
  void Show(double cutoff, double resonance, double modeValue)
  {
    display->SetValueFromDelegate(cutoff, 0);
    display->SetValueFromDelegate(resonance, 1);
    display->SetValueFromDelegate(modeValue, 2);
    Draw();
  }

  void SendCutoff(double cutoff)
  {
    display->OnMsgFromDelegate(1002, 8, &cutoff);
    Draw();
  }

  void Draw()
  {
    editor.graphics->Tick();
    pixels = editor.graphics->ReadPixels();
  }

  const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * kWidth + x) * 4]; }

  /** The middle of the stroke in a pixel column, or NaN where the column has none. */
  double CurveY(int column) const
  {
    double sum = 0.0;
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
      if (IsStroke(At(column, y)))
      {
        sum += y + 0.5;
        ++n;
      }
    return n ? sum / n : std::nan("");
  }

  /** Where the curve should be at the middle of a pixel column. */
  static double ExpectedY(int column, double a, double r, int mode)
  {
    const double x = (column + 0.5 - kInner.L) / kInner.W();
    return kInner.B - BVFilterDisplayControl::Response(x, a, r, mode) * kInner.H();
  }

  /** The first column whose curve has fallen below the middle: a lowpass corner. */
  int CornerColumn() const
  {
    for (int column = int(kInner.L) + 1; column < int(kInner.R) - 1; ++column)
      if (CurveY(column) > kInner.MH())
        return column;
    return -1;
  }

  int StrokePixelsAbove(int row) const
  {
    int n = 0;
    for (int y = 0; y < row; ++y)
      for (int x = 0; x < kWidth; ++x)
        n += IsStroke(At(x, y));
    return n;
  }

  Editor editor;
  BVFilterDisplayControl* display;
  std::vector<uint8_t> pixels;
};

} // namespace

TEST(BVFilterDisplayControl, ResponseEdges)
{
  const double a = Corner(0.5);
  struct Case
  {
    const char* what;
    double x, a, r;
    int mode;
    double expected;
  };
  const Case cases[] = {
    {"lowpass half way at the corner", a - 0.001, a, 0.0, Mode(FilterMode::kLowpass), 0.5},
    {"highpass half way at the corner", a - 0.001, a, 0.0, Mode(FilterMode::kHighpass), 0.5},
    {"bandpass peak at the corner", a, a, 0.0, Mode(FilterMode::kBandpass), 1.0},
    {"notch floor at the corner", a, a, 0.0, Mode(FilterMode::kNotch), 0.14},
    {"peak top at the corner", a, a, 0.0, Mode(FilterMode::kPeak), 0.95},
    {"allpass ripple", 0.3, a, 0.0, Mode(FilterMode::kAllpass), 0.58 + 0.08 * std::sin(15.0 * 0.3 + 4.0 * a)},
    {"full resonance cut at the top", 0.45, 0.5, 1.0, Mode(FilterMode::kLowpass), 1.0},
    {"full resonance, highpass, cut at the top", 0.55, 0.5, 1.0, Mode(FilterMode::kHighpass), 1.0},
    // Away from the corner the bump's width, its logarithmic position and its height, and the
    // slopes of the two shelving modes, all show in the value.
    {"bump below the corner, no resonance", 0.1, 0.2, 0.0, Mode(FilterMode::kBandpass), 0.13668987279933345},
    {"bump above the corner, full resonance", 0.3, 0.2, 1.0, Mode(FilterMode::kBandpass), 0.21521529105922071},
    {"bump above the corner, half resonance", 0.4, 0.3, 0.5, Mode(FilterMode::kBandpass), 0.5400868876717935},
    {"lowpass slope with half a bump", 0.5, 0.3, 0.5, Mode(FilterMode::kLowpass), 0.033017334252603586},
    {"highpass slope with a full bump", 0.2, 0.3, 1.0, Mode(FilterMode::kHighpass), 0.1423255419599479},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(BVFilterDisplayControl::Response(c.x, c.a, c.r, c.mode), c.expected, 1e-9) << c.what;

  EXPECT_LT(BVFilterDisplayControl::Response(0.45, 0.5, 0.0, Mode(FilterMode::kLowpass)), 0.8)
    << "no bump without resonance";
  for (double x : {0.0, 0.2, 0.5, 0.8, 1.0})
  {
    EXPECT_EQ(BVFilterDisplayControl::Response(x, a, 0.4, 9),
              BVFilterDisplayControl::Response(x, a, 0.4, Mode(FilterMode::kAllpass)))
      << "modes above 4 are the allpass line";
    EXPECT_EQ(BVFilterDisplayControl::Response(x, a, 0.4, -2),
              BVFilterDisplayControl::Response(x, a, 0.4, Mode(FilterMode::kLowpass)))
      << "a negative mode is taken as the first";
  }
}

TEST(BVFilterDisplayControl, TakesOnlyAnEightByteCutoffMessage)
{
  struct Case
  {
    const char* what;
    int tag, size;
    bool withData, taken;
  };
  const Case cases[] = {
    {"the cutoff message", 1002, 8, true, true}, {"4 bytes", 1002, 4, true, false},
    {"16 bytes", 1002, 16, true, false},         {"no data", 1002, 8, false, false},
    {"another message", 1003, 8, true, false},
  };
  for (const Case& c : cases)
  {
    FilterDisplay f;
    f.Draw();
    const double data[2] = {0.25, 0.75};
    f.display->OnMsgFromDelegate(c.tag, c.size, c.withData ? data : nullptr);
    EXPECT_EQ(f.display->GetModulatedCutoff(), c.taken ? 0.25 : -1.0) << c.what;
    EXPECT_EQ(f.editor.graphics->Tick(), c.taken) << c.what;
  }
  EXPECT_TRUE(FilterDisplay().display->GetIgnoreMouse());
}

// The lowpass curve crosses the middle height at its corner (v = 0.5 just before x = a).
TEST(BVFilterDisplayControl, CornerFollowsTheModulatedCutoffOrElseTheParameter)
{
  struct Case
  {
    const char* what;
    double message; // negative: none sent
    double drawnCutoff;
  };
  const Case cases[] = {
    {"before any message: the parameter", -1.0, 0.5},
    {"a modulated cutoff", 0.2, 0.2},
    {"a modulated cutoff above 1 draws as 1", 1.5, 1.0},
    {"a negative modulated cutoff: the parameter", -0.3, 0.5},
  };
  for (const Case& c : cases)
  {
    FilterDisplay f;
    f.Show(0.5, 0.0, 0.0);
    if (c.message != -1.0)
      f.SendCutoff(c.message);
    const double expected = kInner.L + kInner.W() * (Corner(c.drawnCutoff) - 0.001);
    EXPECT_NEAR(f.CornerColumn(), expected, 2.0) << c.what;
  }

  FilterDisplay f;
  f.Show(0.5, 0.0, 0.0);
  f.SendCutoff(1.5);
  EXPECT_TRUE(f.editor.graphics->WritePNG((std::string(SNAPSHOT_DIR) + "/filter_display.png").c_str()));
  // Under the curve the area is tinted (cyan at alpha 45 on the dark ground); above it is the ground.
  const IColor fill(255, 12, 59, 70);
  const uint8_t* under = f.At(76, 75);
  EXPECT_TRUE(Near(IColor(255, under[0], under[1], under[2]), fill, 3));
  FilterDisplay low;
  low.Show(0.2, 0.0, 0.0);
  const uint8_t* above = low.At(299, 20);
  EXPECT_TRUE(Near(IColor(255, above[0], above[1], above[2]), IColor(255, 14, 26, 35), 2));
}

TEST(BVFilterDisplayControl, ModeValueRoundsHalvesAwayFromZero)
{
  struct Case
  {
    double modeValue;
    int mode;
  };
  const Case cases[] = {{0.1, Mode(FilterMode::kHighpass)},
                        {0.5, Mode(FilterMode::kNotch)},
                        {0.85, Mode(FilterMode::kPeak)},
                        {0.95, Mode(FilterMode::kAllpass)}};
  for (const Case& c : cases)
  {
    FilterDisplay f;
    f.Show(0.5, 0.3, c.modeValue);
    for (int column : {40, 100, 160, 220, 280})
      EXPECT_NEAR(f.CurveY(column), FilterDisplay::ExpectedY(column, Corner(0.5), 0.3, c.mode), 2.0)
        << "mode value " << c.modeValue << ", column " << column;
  }
}

TEST(BVFilterDisplayControl, FullResonanceBumpIsCutAtTheTop)
{
  const int column = int(kInner.L + kInner.W() * 0.45); // just below the corner at 0.49
  FilterDisplay none;
  none.Show(0.5, 0.0, 0.0);
  EXPECT_NEAR(none.CurveY(column), FilterDisplay::ExpectedY(column, Corner(0.5), 0.0, Mode(FilterMode::kLowpass)), 2.0);
  EXPECT_GT(none.CurveY(column), kInner.T + 10.0);

  FilterDisplay full;
  full.Show(0.5, 1.0, 0.0);
  EXPECT_NEAR(full.CurveY(column), kInner.T, 1.5);
  EXPECT_EQ(full.StrokePixelsAbove(int(kInner.T) - 1), 0);
}
