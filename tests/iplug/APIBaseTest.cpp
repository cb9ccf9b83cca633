#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "iplug/IPlugManualTimer.h"
#include "tests/iplug/TestPlug.h"

using namespace iplug;
using iplug::test::MakeTestConfig;
using iplug::test::TestPlug;

TEST(HostLookup, FindsTheFirstKeyWordIgnoringCase)
{
  struct Case
  {
    const char* name;
    EHost host;
  };
  const Case cases[] = {
    {"REAPER", kHostReaper},
    {"WaveLab Elements 12.0.30", kHostWaveLabElements},
    {"WaveLab 12.0.30", kHostWaveLab},
    {"Ableton Live 11", kHostAbletonLive},
    {"Steinberg Cubase", kHostCubase},
    {"Bitwig Studio", kHostBitwig},
    {"Blue Cat's VST Host", kHostBlueCat},
    {"iZotope RX 10", kHostiZotopeRX},
    {"Standalone App", kHostStandalone},
    {"www.example", kHostWWW},
    {"reason live", kHostAbletonLive}, // "live" is tried before "reason"
    {"some other program", kHostUnknown},
    {"", kHostUnknown},
    {nullptr, kHostUnknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LookUpHost(c.name), c.host) << (c.name ? c.name : "(null)");
}

TEST(HostLookup, SetHostStoresNameIdAndVersionThenCallsTheHooksInOrder)
{
  TestPlug plug(MakeTestConfig(0));
  EXPECT_EQ(plug.GetHost(), kHostUninit);
  plug.SetHost("Ardour", 0x00080100);
  EXPECT_EQ(plug.GetHost(), kHostArdour);
  EXPECT_STREQ(plug.GetHostName(), "Ardour");
  EXPECT_EQ(plug.GetHostVersion(false), 0x00080100);
  EXPECT_EQ(plug.GetHostVersion(true), 80100);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"hostInit", "hostIdentified"}));
}

TEST(Versions, FormatAndDecimalForms)
{
  struct Case
  {
    int version;
    const char* text;
    int decimal;
  };
  const Case cases[] = {{0x010203, "v1.2.3", 10203},
                        {0x00010001, "v1.0.1", 10001},
                        {0, "v0.0.0", 0},
                        {0x7FFFFFFF, "v32767.255.255", 327695755}};
  for (const Case& c : cases)
  {
    WDL_String str;
    GetVersionStr(c.version, str);
    EXPECT_STREQ(str.Get(), c.text);
    EXPECT_EQ(GetDecimalVersion(c.version), c.decimal);
  }

  const char* const apis[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "CLAP", ""};
  for (int api = 0; api < 10; ++api)
    EXPECT_STREQ(GetAPIStr(api), apis[api]);
  EXPECT_STREQ(GetAPIStr(-1), "");

  WDL_String info;
  GetBuildInfoStr(info, 0x010203, kAPIVST3, "Jan  1 2026", "12:34:56");
  EXPECT_STREQ(info.Get(), "v1.2.3 VST3 (x86-64), built on Jan  1 2026 at 12:34 ");
}

TEST(APIBase, ConfigurationReachesThePluginBase)
{
  Config config = MakeTestConfig(3, 2, true);
  config.plugWidth = 1480;
  config.plugHeight = 360;
  config.plugMinWidth = 1600; // pairs given the wrong way round are stored ordered
  config.plugMaxWidth = 888;
  config.plugMinHeight = 216;
  config.plugMaxHeight = 576;
  TestPlug plug(config);
  EXPECT_STREQ(plug.GetPluginName(), "TestPlug");
  EXPECT_EQ(plug.NParams(), 3);
  EXPECT_EQ(plug.NPresets(), 2);
  EXPECT_STREQ(plug.GetPresetName(1), "empty");
  EXPECT_TRUE(plug.DoesStateChunks());
  EXPECT_EQ(plug.GetMinWidth(), 888);
  EXPECT_EQ(plug.GetMaxWidth(), 1600);
  EXPECT_EQ(plug.GetEditorWidth(), 1480);
  EXPECT_STREQ(plug.GetAPIStr(), "VST3");
  EXPECT_STRNE(GetStartTimeStamp(), "");
}

TEST(APIBase, EditorResizeIsConstrainedToTheLimits)
{
  Config config = MakeTestConfig(0);
  config.plugMinWidth = 100;
  config.plugMaxWidth = 200;
  config.plugMinHeight = 50;
  config.plugMaxHeight = 80;
  TestPlug plug(config);
  struct Case
  {
    int w, h;
    bool inside;
    int cw, ch;
  };
  const Case cases[] = {
    {150, 60, true, 150, 60}, {100, 80, true, 100, 80}, {99, 60, false, 100, 60}, {500, 10, false, 200, 50}};
  for (const Case& c : cases)
  {
    int w = c.w, h = c.h;
    EXPECT_EQ(plug.ConstrainEditorResize(w, h), c.inside) << c.w << "x" << c.h;
    EXPECT_EQ(w, c.cw);
    EXPECT_EQ(h, c.ch);
  }
}

TEST(APIBase, SetParameterValueStepsClampsAndTellsTheHostTheGivenValue)
{
  TestPlug plug(MakeTestConfig(1));
  plug.GetParam(0)->InitInt("Steps", 0, 0, 10);
  struct Case
  {
    double normalized, value;
  };
  const Case cases[] = {{0.25, 3.0}, {0.24, 2.0}, {1.7, 10.0}, {-0.3, 0.0}};
  for (const Case& c : cases)
  {
    plug.events.clear();
    plug.informedNormalized.clear();
    plug.SetParameterValue(0, c.normalized);
    EXPECT_EQ(plug.GetParam(0)->Value(), c.value) << c.normalized;
    EXPECT_EQ(plug.informedNormalized, std::vector<double>{c.normalized});
    EXPECT_EQ(plug.events, (std::vector<std::string>{"host 0", "change 0 3 -1"}));
  }
}

TEST(APIBase, EditorEditsReachHostAndPlugin)
{
  TestPlug plug(MakeTestConfig(2));
  plug.GetParam(0)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.1);
  plug.BeginInformHostOfParamChangeFromUI(0);
  plug.SendParameterValueFromUI(0, 0.75);
  plug.EndInformHostOfParamChangeFromUI(0);
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 5.0);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"begin 0", "host 0", "change 0 3 -1", "changeUI 0 3", "end 0"}));

  plug.events.clear();
  plug.SendParameterValueFromUI(7, 0.5);
  EXPECT_TRUE(plug.events.empty()) << "an index without a parameter is ignored";

  plug.informedNormalized.clear();
  plug.DirtyParametersFromUI();
  EXPECT_EQ(plug.informedNormalized.size(), 2u);
  EXPECT_DOUBLE_EQ(plug.informedNormalized[0], 0.75);

  EXPECT_TRUE(plug.EditorResizeFromUI(10, 10, false));
  EXPECT_FALSE(plug.EditorResizeFromUI(10, 10, true));
}

// The editor calls these through the plug-in's delegate, the framework through its core: either
// way they must reach the plug-in class's own overrides.
TEST(APIBase, EditorOperationsReachThePluginThroughTheDelegateAndTheCore)
{
  struct DeferringPlug : TestPlug
  {
    using TestPlug::TestPlug;
    void DeferMidiMsg(const IMidiMsg& msg) override { events.push_back("defer " + std::to_string(msg.mData1)); }
  };
  DeferringPlug plug(MakeTestConfig(1));
  plug.GetParam(0)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.1);
  IEditorDelegate& delegate = plug;
  IPlugAPIBaseCore& core = plug;

  delegate.BeginInformHostOfParamChangeFromUI(0);
  core.EndInformHostOfParamChangeFromUI(0);
  delegate.SendMidiMsgFromUI(IMidiMsg(0, 0x90, 1, 100));
  core.SendMidiMsgFromUI(IMidiMsg(0, 0x90, 2, 100));
  delegate.SendParameterValueFromUI(0, 0.75);
  core.SendArbitraryMsgFromUI(5, 6, 0, nullptr);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"begin 0", "end 0", "defer 1", "defer 2", "host 0", "change 0 3 -1",
                                                   "changeUI 0 3", "message 5 6 0"}));
}

TEST(APIBase, DeferredMidiBeyondTheQueueIsDropped)
{
  TestPlug plug(MakeTestConfig(0));
  for (int i = 0; i < 33; ++i)
    plug.SendMidiMsgFromUI(IMidiMsg(0, 0x90, static_cast<uint8_t>(i), 100));
  EXPECT_EQ(plug.MidiMsgsFromEditor().ElementsAvailable(), 32u);
  IMidiMsg msg;
  int last = -1;
  while (plug.MidiMsgsFromEditor().Pop(msg))
    last = msg.mData1;
  EXPECT_EQ(last, 31);

  const uint8_t bytes[2] = {0xF0, 0xF7};
  for (int i = 0; i < 5; ++i)
    plug.SendSysexMsgFromUI(ISysEx(i, bytes, 2));
  EXPECT_EQ(plug.SysExDataFromEditor().ElementsAvailable(), 4u);
}

TEST(APIBase, TimerTickDrainsProcessorQueuesThenIdles)
{
  TestPlug plug(MakeTestConfig(0));
  ManualTimer timer([](Timer&) {}, 20);
  plug.OnTimer(timer);
  EXPECT_EQ(plug.events, std::vector<std::string>{"idle"}) << "with empty queues a tick only idles";

  plug.events.clear();
  plug.MidiMsgsFromProcessor().Push(IMidiMsg(0, 0xB0, 7, 1));
  plug.MidiMsgsFromProcessor().Push(IMidiMsg(0, 0xB0, 8, 1));
  const uint8_t bytes[3] = {0xF0, 1, 0xF7};
  plug.SysExDataFromProcessor().Push(SysExData(ISysEx(0, bytes, 3)));
  plug.OnTimer(timer);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"midi 7", "midi 8", "sysex 3", "idle"}));
}

TEST(APIBase, CreatedTimerTicksEveryTwentyMillisecondsUntilThePluginGoes)
{
  std::unique_ptr<Timer> probe(Timer::Create([](Timer&) {}, 20));
  if (!dynamic_cast<ManualTimer*>(probe.get()))
    GTEST_SKIP() << "this platform's own timer drives the plug-in; it is tested with the platform";
  probe.reset();

  auto* plug = new TestPlug(MakeTestConfig(0));
  plug->CreateTimer();
  plug->CreateTimer(); // a second timer replaces the first
  ManualTimer::AdvanceAll(19);
  EXPECT_TRUE(plug->events.empty());
  ManualTimer::AdvanceAll(41);
  EXPECT_EQ(plug->events, (std::vector<std::string>{"idle", "idle", "idle"}));
  delete plug;
  ManualTimer::AdvanceAll(100); // would reach the deleted plug-in if its timer were still running
}

TEST(APIBase, CompareStateIgnoresDifferencesBeyondFloatPrecision)
{
  TestPlug plug(MakeTestConfig(2));
  plug.GetParam(0)->InitDouble("A", 0.3, 0.0, 1.0, 0.0001);
  plug.GetParam(1)->InitDouble("B", 100.0, 0.0, 1000.0, 0.0001);

  double data[3] = {99.0, 0.3 + 1e-12, 100.0 + 1e-9};
  const auto* bytes = reinterpret_cast<const uint8_t*>(data);
  EXPECT_TRUE(plug.CompareState(bytes, 1, sizeof(data)));
  EXPECT_FALSE(plug.CompareState(bytes, 0, sizeof(data)));
  EXPECT_FALSE(plug.CompareState(bytes, 1, sizeof(data) - 1)) << "too few values is no match";
  data[2] = 100.01;
  EXPECT_FALSE(plug.CompareState(bytes, 1, sizeof(data)));

  TestPlug empty(MakeTestConfig(0));
  EXPECT_TRUE(empty.CompareState(nullptr, 0, 0));
}

TEST(APIBase, ImportantParametersAreTheFirstCount)
{
  TestPlug plug(MakeTestConfig(5));
  struct Case
  {
    int count, expected;
  };
  for (const Case& c : {Case{3, 3}, Case{0, 0}, Case{5, 0}, Case{-1, 0}})
  {
    WDL_TypedBuf<int> results;
    plug.OnHostRequestingImportantParameters(c.count, results);
    ASSERT_EQ(results.GetSize(), c.expected) << c.count;
    for (int i = 0; i < results.GetSize(); ++i)
      EXPECT_EQ(results.Get()[i], i);
  }
}

TEST(APIBase, ParameterChangesFromTheAPIAreQueuedInRealUnits)
{
  TestPlug plug(MakeTestConfig(1));
  plug.GetParam(0)->InitDouble("Freq", 50.0, 0.0, 100.0, 1.0);
  plug.SendParameterValueFromAPI(0, 0.5, true);
  plug.SendParameterValueFromAPI(0, 12.0, false);
  ParamTuple change;
  ASSERT_TRUE(plug.ParamChangesFromAPI().Pop(change));
  EXPECT_EQ(change.value, 50.0);
  ASSERT_TRUE(plug.ParamChangesFromAPI().Pop(change));
  EXPECT_EQ(change.value, 12.0);
}
