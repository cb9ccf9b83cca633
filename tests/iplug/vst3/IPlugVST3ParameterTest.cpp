#include "iplug/vst3/IPlugVST3Parameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace iplug;
using namespace Steinberg::Vst;

namespace
{

std::u16string Text(const TChar* t)
{
  return std::u16string(reinterpret_cast<const char16_t*>(t));
}

struct Params
{
  IParam boolParam, enumParam, cutoff, fixed;
  Params()
  {
    boolParam.InitBool("Sample A Play", true, "", 0, "Sample A", "off", "on");
    enumParam.InitEnum("Filter Mode", 0, {"Lowpass", "Highpass", "Bandpass", "Notch", "Peak", "Allpass"}, 0, "Filter");
    cutoff.InitDouble("Filter Cutoff", 6200.0, 20.0, 20000.0, 0.1, "Hz", 0, "Filter", IParam::ShapePowCurve(3.0),
                      IParam::kUnitFrequency);
    fixed.InitDouble("Fixed", 0.5, 0.0, 1.0, 0.001, "", IParam::kFlagCannotAutomate);
  }
};

} // namespace

TEST(VST3Parameter, DescribesItsIParamToTheHost)
{
  Params p;
  const struct
  {
    IParam* param;
    int32_t steps;
    int32_t flags;
    const char16_t* title;
    const char16_t* units;
  } cases[] = {
    {&p.boolParam, 1, ParameterInfo::kCanAutomate, u"Sample A Play", u""},
    {&p.enumParam, 5, ParameterInfo::kCanAutomate | ParameterInfo::kIsList, u"Filter Mode", u""},
    {&p.cutoff, 0, ParameterInfo::kCanAutomate, u"Filter Cutoff", u"Hz"},
    {&p.fixed, 0, 0, u"Fixed", u""},
  };
  for (const auto& c : cases)
  {
    auto host = Steinberg::owned(new IPlugVST3Parameter(c.param, 7, 3));
    const ParameterInfo& info = host->getInfo();
    EXPECT_EQ(info.stepCount, c.steps) << c.param->GetName();
    EXPECT_EQ(info.flags, c.flags) << c.param->GetName();
    EXPECT_EQ(Text(info.title), std::u16string(c.title));
    EXPECT_EQ(Text(info.units), std::u16string(c.units));
    EXPECT_EQ(info.id, 7u);
    EXPECT_EQ(info.unitId, 3);
    EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, c.param->ToNormalized(c.param->GetDefault()));
    EXPECT_DOUBLE_EQ(host->getNormalized(), info.defaultNormalizedValue);
  }
  // The cutoff default lies on the power-3 curve, not on a straight line.
  EXPECT_NEAR(std::pow(p.cutoff.ToNormalized(6200.0), 3.0), (6200.0 - 20.0) / 19980.0, 1e-12);
}

TEST(VST3Parameter, TextsGoThroughTheIParamRules)
{
  Params p;
  auto mode = Steinberg::owned(new IPlugVST3Parameter(&p.enumParam, 23, 0));
  ParamValue v = -1.0;
  EXPECT_TRUE(mode->fromString(reinterpret_cast<const TChar*>(u"Notch"), v));
  EXPECT_DOUBLE_EQ(v, 3.0 / 5.0);
  EXPECT_TRUE(mode->fromString(reinterpret_cast<const TChar*>(u"no such mode"), v));
  EXPECT_DOUBLE_EQ(v, 0.0);
  String128 text{};
  mode->toString(0.4, text); // 0.4 * 5 = 2
  EXPECT_EQ(Text(text), u"Bandpass");

  auto cutoff = Steinberg::owned(new IPlugVST3Parameter(&p.cutoff, 18, 0));
  EXPECT_TRUE(cutoff->fromString(reinterpret_cast<const TChar*>(u"1000"), v));
  EXPECT_NEAR(cutoff->toPlain(v), 1000.0, 1e-9);
  EXPECT_TRUE(cutoff->fromString(reinterpret_cast<const TChar*>(u"99999"), v));
  EXPECT_DOUBLE_EQ(v, 1.0);
  cutoff->toString(cutoff->toNormalized(440.0), text);
  EXPECT_EQ(Text(text), u"440.0");
  EXPECT_DOUBLE_EQ(cutoff->toNormalized(-5.0), 0.0);
}

TEST(VST3Parameter, BypassIsAnAutomatableOffOnList)
{
  auto bypass = Steinberg::owned(new IPlugVST3BypassParameter());
  const ParameterInfo& info = bypass->getInfo();
  EXPECT_EQ(info.id, 0x10000u);
  EXPECT_EQ(info.flags, 0x10009);
  EXPECT_EQ(info.stepCount, 1);
  String128 text{};
  bypass->toString(1.0, text);
  EXPECT_EQ(Text(text), u"on");
}
