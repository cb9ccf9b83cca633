// The parameters and units a host sees, and how host edits and text conversions behave.
#include "tests/host/BrimvaleModuleFixture.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

#include <cmath>
#include <map>

using namespace testhost;
using namespace Steinberg;
using namespace Steinberg::Vst;

using ParametersTest = BrimvaleModuleTest;

namespace
{

std::map<ParamID, ParameterInfo> AllParameters(IEditController& controller)
{
  std::map<ParamID, ParameterInfo> all;
  for (int32 i = 0; i < controller.getParameterCount(); ++i)
  {
    ParameterInfo info{};
    EXPECT_EQ(controller.getParameterInfo(i, info), kResultOk);
    all[info.id] = info;
  }
  return all;
}

std::string Title(const ParameterInfo& info)
{
  return VST3::StringConvert::convert(info.title);
}

} // namespace

TEST_F(ParametersTest, The37ParametersAndThe130MidiProxiesAreRegistered)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto all = AllParameters(instance->Controller());
  ASSERT_EQ(all.size(), 167u);
  for (ParamID id = 0; id < 37; ++id)
    EXPECT_EQ(all.count(id), 1u) << id;
  for (ParamID id = 0x10002; id <= 0x10083; ++id)
    EXPECT_EQ(all.count(id), 1u) << id;
  EXPECT_EQ(all.count(0x10000), 0u) << "an instrument has no bypass parameter";

  const struct
  {
    ParamID id;
    const char* title;
    int32 steps;
    int32 flags;
    const char* units;
  } cases[] = {
    {0, "Sample A Play", 1, ParameterInfo::kCanAutomate, ""},
    {6, "Sample A Semitones", 0, ParameterInfo::kCanAutomate, "st"},
    {18, "Filter Cutoff", 0, ParameterInfo::kCanAutomate, "Hz"},
    {23, "Filter Mode", 5, ParameterInfo::kCanAutomate | ParameterInfo::kIsList, ""},
    {26, "Motion A Shape", 6, ParameterInfo::kCanAutomate | ParameterInfo::kIsList, ""},
    {34, "Master", 0, ParameterInfo::kCanAutomate, ""},
    {36, "Space Width", 0, ParameterInfo::kCanAutomate, ""},
    {0x10002, "BankSel.MSB", 0, 0, ""},
    {0x10002 + 7, "MainVolume", 0, 0, ""},
    {0x10002 + 128, "Channel Aftertouch", 0, 0, ""},
    {0x10002 + 129, "Pitch Bend", 0, 0, ""},
  };
  for (const auto& c : cases)
  {
    const ParameterInfo& info = all[c.id];
    EXPECT_EQ(Title(info), c.title) << c.id;
    EXPECT_EQ(info.stepCount, c.steps) << c.id;
    EXPECT_EQ(info.flags, c.flags) << c.id;
    EXPECT_EQ(VST3::StringConvert::convert(info.units), c.units) << c.id;
  }
  EXPECT_DOUBLE_EQ(all[0x10002 + 129].defaultNormalizedValue, 0.5);
  EXPECT_DOUBLE_EQ(all[0x10002 + 7].defaultNormalizedValue, 0.0);
}

TEST_F(ParametersTest, DefaultsMatchTheParameterTable)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  IEditController& c = instance->Controller();
  const struct
  {
    ParamID id;
    double normalised;
    const char16_t* text;
  } cases[] = {
    {0, 1.0, u"on"},
    {1, 0.5, u"0.750"},
    {4, (1.0 - 0.125) / 1.875, u"1.000"},
    {18, std::cbrt((6200.0 - 20.0) / 19980.0), u"6200.0"},
    {23, 0.0, u"Lowpass"},
    {27, 0.25, u"Filter"},
    {35, (8.5 - 0.1) / 11.9, u"8.50"},
  };
  for (const auto& p : cases)
  {
    EXPECT_NEAR(c.getParamNormalized(p.id), p.normalised, 1e-12) << p.id;
    String128 text{};
    ASSERT_EQ(c.getParamStringByValue(p.id, c.getParamNormalized(p.id), text), kResultOk);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), p.text) << p.id;
  }
  auto state = StateOf(*instance);
  ASSERT_EQ(state.params.size(), 37u);
  EXPECT_DOUBLE_EQ(state.params[18], 6200.0);
  EXPECT_DOUBLE_EQ(state.params[35], 8.5);
}

TEST_F(ParametersTest, GroupsBecomeUnitsAndTheProxiesSitInTheMidiChannelUnit)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto units = instance->Query<IUnitInfo>();
  ASSERT_TRUE(units);
  std::map<std::string, UnitInfo> byName;
  for (int32 i = 0; i < units->getUnitCount(); ++i)
  {
    UnitInfo info{};
    ASSERT_EQ(units->getUnitInfo(i, info), kResultOk);
    byName[VST3::StringConvert::convert(info.name)] = info;
  }
  const struct
  {
    const char* name;
    UnitID id;
    UnitID parent;
  } expected[] = {
    {"Root", 0, -1},  {"Sample A", 1, 0}, {"Sample B", 2, 0}, {"Blend", 3, 0},    {"Filter", 4, 0},
    {"Motion", 5, 0}, {"Space", 6, 0},    {"Output", 7, 0},   {"MIDI CCs", 9, 0}, {"CH1", 10, 9},
  };
  ASSERT_EQ(byName.size(), std::size(expected));
  for (const auto& u : expected)
  {
    ASSERT_EQ(byName.count(u.name), 1u) << u.name;
    EXPECT_EQ(byName[u.name].id, u.id) << u.name;
    EXPECT_EQ(byName[u.name].parentUnitId, u.parent) << u.name;
  }

  auto all = AllParameters(instance->Controller());
  const struct
  {
    ParamID id;
    UnitID unit;
  } members[] = {
    {0, 1},  {15, 2}, {16, 3}, {17, 3}, {23, 4},       {24, 5},       {32, 6},
    {33, 6}, {34, 7}, {35, 6}, {36, 6}, {0x10002, 10}, {0x10083, 10},
  };
  for (const auto& m : members)
    EXPECT_EQ(all[m.id].unitId, m.unit) << m.id;
}

TEST_F(ParametersTest, AHostEditStoresTheValueWithoutEchoingAnEdit)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto handler = owned(new RecordingComponentHandler());
  instance->Controller().setComponentHandler(handler);

  EXPECT_EQ(instance->Controller().setParamNormalized(18, 0.5), kResultOk);
  EXPECT_DOUBLE_EQ(instance->Controller().getParamNormalized(18), 0.5);
  EXPECT_NEAR(StateOf(*instance).params[18], 20.0 + 0.125 * 19980.0, 0.05 + 1e-9); // on the 0.1 Hz grid
  EXPECT_TRUE(handler->Calls().empty());

  // Stepped parameters land on their steps; unknown ids are refused and change nothing.
  EXPECT_EQ(instance->Controller().setParamNormalized(23, 0.55), kResultOk);
  EXPECT_DOUBLE_EQ(StateOf(*instance).params[23], 3.0);
  EXPECT_EQ(instance->Controller().setParamNormalized(0x10000, 1.0), kResultFalse);
  EXPECT_EQ(instance->Controller().setParamNormalized(0x20000, 1.0), kResultFalse);
  EXPECT_DOUBLE_EQ(instance->Controller().getParamNormalized(0x20000), 0.0);
  instance->Controller().setComponentHandler(nullptr);
}

TEST_F(ParametersTest, TextConversionsFollowThePluginRules)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  IEditController& c = instance->Controller();
  const struct
  {
    ParamID id;
    const char16_t* text;
    double normalised;
  } cases[] = {
    {23, u"Notch", 0.6}, {23, u"nonsense", 0.0}, {27, u"B Speed", 1.0}, {0, u"off", 0.0},
    {34, u"1.5", 1.0},   {34, u"99", 1.0},       {2, u"-100", 0.0},     {6, u"12", 0.75},
  };
  for (const auto& t : cases)
  {
    ParamValue v = -1.0;
    std::u16string text(t.text);
    ASSERT_EQ(c.getParamValueByString(t.id, reinterpret_cast<TChar*>(&text[0]), v), kResultOk) << t.id;
    EXPECT_NEAR(v, t.normalised, 1e-12) << t.id;
  }
  String128 out{};
  ASSERT_EQ(c.getParamStringByValue(23, 0.4, out), kResultOk);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(out)), u"Bandpass");
}

TEST_F(ParametersTest, MidiControllersMapOnlyOnTheFirstBusAndChannel)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto mapping = instance->Query<IMidiMapping>();
  ASSERT_TRUE(mapping);
  const struct
  {
    int32 bus;
    int16 channel;
    CtrlNumber cc;
    tresult result;
    ParamID id;
  } cases[] = {
    {0, 0, 0, kResultTrue, 0x10002},
    {0, 0, 7, kResultTrue, 0x10009},
    {0, 0, kAfterTouch, kResultTrue, 0x10082},
    {0, 0, kPitchBend, kResultTrue, 0x10083},
    {1, 0, 7, kResultFalse, 0},
    {0, 1, 7, kResultFalse, 0},
    {0, -1, 7, kResultFalse, 0},
    {0, 0, kCtrlProgramChange, kResultFalse, 0},
    {0, 0, -5, kResultFalse, 0},
  };
  for (const auto& m : cases)
  {
    ParamID id = 0;
    EXPECT_EQ(mapping->getMidiControllerAssignment(m.bus, m.channel, m.cc, id), m.result)
      << m.bus << "/" << m.channel << "/" << m.cc;
    if (m.result == kResultTrue)
    {
      EXPECT_EQ(id, m.id);
    }
  }
}

TEST_F(ParametersTest, ProgramQueriesCheckTheirRanges)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto units = instance->Query<IUnitInfo>();
  ASSERT_TRUE(units);
  EXPECT_EQ(units->getProgramListCount(), 0);
  ProgramListInfo listInfo{};
  EXPECT_EQ(units->getProgramListInfo(0, listInfo), kResultFalse);
  String128 name{};
  EXPECT_EQ(units->getProgramName(0x10001, 0, name), kResultOk);
  EXPECT_EQ(VST3::StringConvert::convert(name), "empty");
  for (int32 index : {-1, 1, 1000000})
    EXPECT_EQ(units->getProgramName(0x10001, index, name), kResultFalse) << index;
  EXPECT_EQ(units->getProgramName(7, 0, name), kResultFalse);
}
