#include "iplug/IPlugParameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using iplug::IParam;
using iplug::WDL_String;

namespace
{
std::string Display(const IParam& p, double value, bool normalized = false, bool withDisplayText = true)
{
  WDL_String out;
  p.GetDisplay(value, normalized, out, withDisplayText);
  return out.Get();
}

std::string DisplayWithLabel(const IParam& p)
{
  WDL_String out;
  p.GetDisplayWithLabel(out);
  return out.Get();
}

TEST(IParam, ANewParameterIsANeutralLinearRange)
{
  IParam p;
  EXPECT_EQ(p.Type(), IParam::kTypeNone);
  EXPECT_EQ(p.Unit(), IParam::kUnitCustom);
  EXPECT_EQ(p.Value(), 0.0);
  EXPECT_EQ(p.GetMin(), 0.0);
  EXPECT_EQ(p.GetMax(), 1.0);
  EXPECT_EQ(p.GetStep(), 1.0);
  EXPECT_EQ(p.GetShapeID(), IParam::kShapeLinear);
  EXPECT_EQ(p.NDisplayTexts(), 0);
  EXPECT_STREQ(p.GetName(), "");
}

TEST(IParam, InitDoubleRaisesAMaxBelowMinPlusStep)
{
  IParam p;
  p.InitDouble("x", 0.0, 2.0, 2.1, 0.5);
  EXPECT_EQ(p.GetMax(), 2.5);
  double lo = 0, hi = 0;
  p.GetBounds(lo, hi);
  EXPECT_EQ(lo, 2.0);
  EXPECT_EQ(hi, 2.5);
  EXPECT_EQ(p.Value(), 2.0) << "the default is clamped into the range";
}

TEST(IParam, DisplayPrecisionFollowsTheStep)
{
  const struct
  {
    double step;
    int precision;
  } cases[] = {{0.001, 3}, {0.25, 2}, {1e-7, 6}, {5.0, 0}, {0.1, 1}, {0.01, 2}, {0.5, 1}, {0.00001, 5}, {1.0, 0}};
  for (const auto& c : cases)
  {
    IParam p;
    p.InitDouble("x", 0.0, 0.0, 100.0, c.step);
    EXPECT_EQ(p.GetDisplayPrecision(), c.precision) << c.step;
  }
}

TEST(IParam, SteppedValuesRoundHalvesAwayFromZeroThenClamp)
{
  IParam p;
  p.InitInt("Steps", 0, 0, 10);
  EXPECT_EQ(p.FromNormalized(0.25), 3.0);
  EXPECT_EQ(Display(p, 0.25, true), "3");
  p.SetNormalized(0.25);
  EXPECT_EQ(p.Value(), 3.0);
  EXPECT_EQ(p.Constrain(-2.5), 0.0);
  EXPECT_EQ(p.Constrain(7.5), 8.0);
  EXPECT_EQ(p.Constrain(12.0), 10.0);
  EXPECT_EQ(p.ToNormalized(2.5), 0.3);

  IParam negative;
  negative.InitInt("Negative", 0, -10, 10);
  EXPECT_EQ(negative.Constrain(-2.5), -3.0);
}

TEST(IParam, UnsteppedValuesAreOnlyClamped)
{
  IParam p;
  p.InitDouble("Level", 0.75, 0.0, 1.5, 0.001);
  EXPECT_DOUBLE_EQ(p.FromNormalized(0.3333), 0.49995);
  EXPECT_EQ(p.FromNormalized(2.0), 1.5);
  EXPECT_EQ(p.FromNormalized(-1.0), 0.0);
  EXPECT_DOUBLE_EQ(p.GetNormalized(), 0.5);
}

TEST(IParam, NumbersAreFormattedByPrecisionAndFlags)
{
  const struct
  {
    const char* name;
    int flags;
    double step;
    double value;
    const char* expected;
  } cases[] = {
    {"negative zero shows unsigned", 0, 0.01, -0.0, "0.00"},
    {"plain decimals", 0, 0.01, 1.5, "1.50"},
    {"sign flag, zero unsigned", IParam::kFlagSignDisplay, 0.01, 0.0, "0.00"},
    {"sign flag, positive", IParam::kFlagSignDisplay, 0.01, 1.5, "+1.50"},
    {"sign flag, negative", IParam::kFlagSignDisplay, 0.01, -1.5, "-1.50"},
    {"negate flag", IParam::kFlagNegateDisplay, 0.01, 1.5, "-1.50"},
    {"negate flag, zero", IParam::kFlagNegateDisplay, 0.01, 0.0, "0.00"},
    {"whole step, half rounds away", 0, 1.0, 2.5, "3"},
    {"whole step, negative half", 0, 1.0, -2.5, "-3"},
    {"whole step, small negative", 0, 1.0, -0.4, "0"},
    {"whole step, beyond int range", 0, 1.0, 1e12, "1000000000000"},
    {"unclamped value", 0, 0.01, 15.0, "15.00"},
    {"six decimals", 0, 1e-7, 0.1234567, "0.123457"},
  };
  for (const auto& c : cases)
  {
    IParam p;
    p.InitDouble("x", 0.0, -10.0, 10.0, c.step, "", c.flags);
    EXPECT_EQ(Display(p, c.value), c.expected) << c.name;
  }
}

TEST(IParam, DisplayTextsReplaceNumbersOnlyOnExactValues)
{
  IParam p;
  p.InitDouble("x", 0.0, 0.0, 10.0, 0.5);
  p.SetDisplayText(1.0, "one");
  p.SetDisplayText(1.0, "uno");
  p.SetDisplayText(2.0, "");
  EXPECT_EQ(Display(p, 1.0), "one");
  EXPECT_EQ(Display(p, 1.0, false, false), "1.0");
  EXPECT_EQ(Display(p, 1.5), "1.5");
  EXPECT_EQ(Display(p, 2.0), "2.0") << "an empty text falls back to the number";
  EXPECT_EQ(Display(p, 0.1, true), "one") << "normalised 0.1 maps to 1.0";
  EXPECT_STREQ(p.GetDisplayText(3.0), "");
  double value = 0;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(1, &value), "uno");
  EXPECT_EQ(value, 1.0);
  EXPECT_STREQ(p.GetDisplayTextAtIdx(3), "");
  EXPECT_TRUE(p.MapDisplayText("uno", &value));
  EXPECT_FALSE(p.MapDisplayText("UNO", &value)) << "matching is case-sensitive";
  EXPECT_FALSE(p.MapDisplayText(nullptr, &value));
}

TEST(IParam, ADisplayFunctionReplacesAllFormatting)
{
  IParam p;
  p.InitDouble("x", 0.0, 0.0, 10.0, 1.0, "", 0, "", IParam::ShapeLinear(), IParam::kUnitCustom,
               [](double v, WDL_String& out) { out.SetFormatted(32, "<%g>", v); });
  p.SetDisplayText(5.0, "five");
  EXPECT_EQ(Display(p, 5.0), "<5>");
  EXPECT_EQ(Display(p, 0.25, true), "<2.5>");
}

TEST(IParam, BoolAndEnumTakeTheirTextsAndHideTheLabel)
{
  IParam play;
  play.InitBool("Play", true, "switch", 0, "Sample A", "off", "on");
  EXPECT_EQ(play.Type(), IParam::kTypeBool);
  EXPECT_TRUE(play.GetStepped());
  EXPECT_EQ(play.Value(), 1.0);
  EXPECT_STREQ(play.GetLabel(), "");
  EXPECT_EQ(DisplayWithLabel(play), "on");

  IParam mode;
  mode.InitEnum("Mode", 1, {"Lowpass", "Highpass", "Bandpass"}, 0, "Filter");
  EXPECT_EQ(mode.Type(), IParam::kTypeEnum);
  EXPECT_EQ(mode.GetMax(), 2.0);
  EXPECT_STREQ(mode.GetGroup(), "Filter");
  EXPECT_EQ(DisplayWithLabel(mode), "Highpass");

  IParam counted;
  counted.InitEnum("Counted", 0, 3, "lbl", 0, "", "a", "b", "c");
  EXPECT_EQ(counted.NDisplayTexts(), 3);
  EXPECT_STREQ(counted.GetDisplayText(2.0), "c");
  IParam bare;
  bare.InitEnum("Bare", 0, 4, "steps");
  EXPECT_EQ(bare.NDisplayTexts(), 0);
  EXPECT_EQ(DisplayWithLabel(bare), "0 steps");
}

TEST(IParam, TextInputMapsToValues)
{
  IParam mode;
  mode.InitEnum("Mode", 0, {"Sine", "Triangle", "Ramp Up"});
  IParam gain;
  gain.InitGain("Gain", 0.0, -60.0, 12.0, 0.1);
  IParam negated;
  negated.InitDouble("Neg", 0.0, -10.0, 10.0, 0.5, "", IParam::kFlagNegateDisplay | IParam::kFlagStepped);
  const struct
  {
    const IParam* param;
    const char* text;
    double expected;
  } cases[] = {
    {&mode, "Ramp Up", 2.0}, {&mode, "ramp up", 0.0}, {&mode, "1", 0.0},       {&gain, "-6.5 dB", -6.5},
    {&gain, "  3", 3.0},     {&gain, "none", 0.0},    {&gain, "0x10", 0.0},    {&gain, "nan", 0.0},
    {&gain, "1e999", 12.0},  {&gain, "-100", -60.0},  {&negated, "3.3", -3.5},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(c.param->StringToValue(c.text), c.expected) << c.param->GetName() << ": " << c.text;
}

TEST(IParam, LabelIsAppendedAfterOneBlank)
{
  IParam cutoff;
  cutoff.InitDouble("Cutoff", 6200.0, 20.0, 20000.0, 0.1, "Hz", 0, "Filter", IParam::ShapePowCurve(3.0),
                    IParam::kUnitFrequency);
  EXPECT_EQ(DisplayWithLabel(cutoff), "6200.0 Hz");
  IParam none;
  none.InitDouble("Blend", 0.5, 0.0, 1.0, 0.001);
  EXPECT_EQ(DisplayWithLabel(none), "0.500");
}

TEST(IParam, PitchTextsNameEachNote)
{
  const struct
  {
    bool middleCisC4;
    const char* texts[3];
  } cases[] = {{true, {"B 3", "C 4", "C#4"}}, {false, {"B 2", "C 3", "C#3"}}};
  for (const auto& c : cases)
  {
    IParam p;
    p.InitPitch("Note", 60, 59, 61, 0, "", c.middleCisC4);
    EXPECT_EQ(p.Type(), IParam::kTypeEnum);
    EXPECT_EQ(p.GetMax(), 2.0);
    ASSERT_EQ(p.NDisplayTexts(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_STREQ(p.GetDisplayTextAtIdx(i), c.texts[i]) << i;
  }
  IParam low;
  low.InitPitch("Low", 0, -1, 0, 0, "", true);
  EXPECT_STREQ(low.GetDisplayTextAtIdx(0), "B -2") << "a note below 0 still has a name";
}

TEST(IParam, ShapesMapBothWays)
{
  const struct
  {
    const char* name;
    const IParam::Shape& shape;
    double min, max, normalized, value;
  } cases[] = {
    {"linear", IParam::ShapeLinear(), -100.0, 100.0, 0.75, 50.0},
    {"power 3", IParam::ShapePowCurve(3.0), 20.0, 20000.0, 0.5, 20.0 + 0.125 * 19980.0},
    {"power 0.5", IParam::ShapePowCurve(0.5), 0.0, 4.0, 0.25, 2.0},
    {"exponential", IParam::ShapeExp(), 20.0, 20000.0, 0.5, std::sqrt(20.0 * 20000.0)},
    {"exponential from 0", IParam::ShapeExp(), 0.0, 1.0, 0.0, 1e-8},
  };
  for (const auto& c : cases)
  {
    IParam p;
    p.InitDouble(c.name, c.min, c.min, c.max, 0.0, "", 0, "", c.shape);
    EXPECT_NEAR(p.FromNormalized(c.normalized), c.value, 1e-9 * std::abs(c.value) + 1e-15) << c.name;
    EXPECT_NEAR(p.GetShape().ValueToNormalized(c.value, p), c.normalized, 1e-12) << c.name;
    EXPECT_NEAR(p.FromNormalized(1.0), c.max, 1e-9 * c.max) << c.name;
  }
}

TEST(IParam, PowerCurveDisplayTypesFollowTheExponent)
{
  const struct
  {
    double exponent;
    int displayType;
  } cases[] = {{3.0, 6}, {2.6, 6}, {2.5, 4}, {2.0, 4}, {1.5, 0}, {1.0, 0}, {0.7, 0}, {0.5, 3}, {0.4, 3}, {0.3, 5}};
  for (const auto& c : cases)
    EXPECT_EQ(IParam::ShapePowCurve(c.exponent).GetDisplayType(), c.displayType) << c.exponent;
  EXPECT_EQ(IParam::ShapeLinear().GetDisplayType(), 0);
  EXPECT_EQ(IParam::ShapeExp().GetDisplayType(), 1);
}

TEST(IParam, ShapeIdentityIsReported)
{
  IParam p;
  p.InitDouble("x", 0.0, 0.0, 1.0, 0.01, "", 0, "", IParam::ShapePowCurve(3.0));
  EXPECT_EQ(p.GetShapeID(), IParam::kShapePowCurve);
  EXPECT_EQ(p.GetShapeValue(), 3.0);
  p.InitFrequency("f", 1000.0, 20.0, 20000.0, 0.1);
  EXPECT_EQ(p.GetShapeID(), IParam::kShapeExponential);
  EXPECT_EQ(p.GetShapeValue(), 0.0);
  EXPECT_EQ(p.Unit(), IParam::kUnitFrequency);
  EXPECT_STREQ(p.GetLabel(), "Hz");
}

TEST(IParam, ConvenienceInitsSetLabelUnitAndStep)
{
  const struct
  {
    const char* name;
    void (*init)(IParam&);
    const char* label;
    IParam::EParamUnit unit;
    double step;
  } cases[] = {
    {"seconds", [](IParam& p) { p.InitSeconds("s", 1.0, 0.0, 10.0, 0.01); }, "Seconds", IParam::kUnitSeconds, 0.01},
    {"milliseconds", [](IParam& p) { p.InitMilliseconds("ms", 1.0, 0.0, 10.0); }, "ms", IParam::kUnitMilliseconds, 1.0},
    {"gain", [](IParam& p) { p.InitGain("g", 0.0, -60.0, 12.0, 0.5); }, "dB", IParam::kUnitDB, 0.5},
    {"percentage", [](IParam& p) { p.InitPercentage("pc", 50.0, 0.0, 100.0); }, "%", IParam::kUnitPercentage, 1.0},
    {"degrees", [](IParam& p) { p.InitAngleDegrees("a", 0.0, 0.0, 360.0); }, "degrees", IParam::kUnitDegrees, 1.0},
  };
  for (const auto& c : cases)
  {
    IParam p;
    c.init(p);
    EXPECT_EQ(p.Type(), IParam::kTypeDouble) << c.name;
    EXPECT_STREQ(p.GetLabel(), c.label) << c.name;
    EXPECT_EQ(p.Unit(), c.unit) << c.name;
    EXPECT_EQ(p.GetStep(), c.step) << c.name;
    EXPECT_FALSE(p.GetStepped()) << c.name;
  }
}

TEST(IParam, TheFirstInitFixesTheType)
{
  IParam p;
  p.InitInt("Count", 2, 0, 8);
  p.InitDouble("Count", 0.5, 0.0, 1.0, 0.1);
  EXPECT_EQ(p.Type(), IParam::kTypeInt);
}

TEST(IParam, CopyInitRenamesRegroupsAndKeepsTexts)
{
  IParam source;
  source.InitEnum("Motion A Shape", 2, {"Sine", "Triangle", "Ramp Up"}, 0, "Motion");
  IParam copy;
  copy.Init(source, "A", "B", "Motion B");
  EXPECT_STREQ(copy.GetName(), "Motion B Shape");
  EXPECT_STREQ(copy.GetGroup(), "Motion B");
  EXPECT_EQ(copy.Type(), IParam::kTypeEnum);
  EXPECT_EQ(copy.Value(), 2.0);
  EXPECT_EQ(copy.NDisplayTexts(), 3);
  EXPECT_STREQ(copy.GetDisplayText(1.0), "Triangle");

  IParam curve;
  curve.InitDouble("Rate", 0.08, 0.01, 20.0, 0.001, "Hz", 0, "Motion", IParam::ShapePowCurve(3.0));
  IParam unchanged;
  unchanged.Init(curve, "missing", "x", "");
  EXPECT_STREQ(unchanged.GetName(), "Rate");
  EXPECT_STREQ(unchanged.GetGroup(), "Motion");
  EXPECT_EQ(unchanged.GetShapeValue(), 3.0);
  EXPECT_STREQ(unchanged.GetLabel(), "Hz");

  curve.Init(curve, "", "", "");
  EXPECT_EQ(curve.NDisplayTexts(), 0) << "a copy onto itself terminates";
}

TEST(IParam, OverlongTextsAreCutToTheirFields)
{
  const std::string longText(60, 'n');
  IParam p;
  p.InitBool(longText.c_str(), false, longText.c_str(), 0, longText.c_str(), longText.c_str(), "on");
  EXPECT_EQ(std::string(p.GetName()), longText.substr(0, 31));
  EXPECT_EQ(std::string(p.GetGroup()), longText.substr(0, 31));
  EXPECT_EQ(std::string(p.GetDisplayText(0.0)), longText.substr(0, 31));
}

TEST(IParam, AZeroWidthRangeNormalisesToZero)
{
  IParam p;
  p.InitDouble("Fixed", 3.0, 3.0, 3.0, 0.0);
  EXPECT_EQ(p.GetNormalized(), 0.0);
  EXPECT_EQ(p.FromNormalized(0.7), 3.0);
}

TEST(IParam, JsonDescribesTheParameter)
{
  IParam p;
  p.InitDouble("Cutoff", 6200.0, 20.0, 20000.0, 0.1, "Hz", 0, "", IParam::ShapePowCurve(3.0));
  WDL_String json("[");
  p.GetJSON(json, 18);
  EXPECT_STREQ(json.Get(), "[{\"id\":18, \"name\":\"Cutoff\", \"type\":\"float\", \"min\":20.000000, "
                           "\"max\":20000.000000, \"default\":6200.000000, \"display_type\":6, "
                           "\"rate\":\"control\"}");
  IParam untyped;
  WDL_String bare;
  untyped.GetJSON(bare, 0);
  EXPECT_EQ(std::string(bare.Get()).find("type\":\""), std::string::npos);
}
} // namespace
