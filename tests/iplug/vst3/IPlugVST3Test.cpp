// The VST3 binding with a small effect plug-in of its own: the paths an instrument never takes
// (bypass, pass-through) and the host-facing hooks the instrument relies on.
#include "iplug/vst3/IPlugVST3.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace iplug;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

Config EffectConfig(bool midiOut)
{
  Config c;
  c.plugDoesMidiOut = midiOut;
  c.nParams = 2;
  c.nPresets = 1;
  c.channelIOStr = "2-2";
  c.pluginName = "Test Effect";
  c.plugType = kEffect;
  c.plugDoesMidiIn = true;
  c.plugDoesChunks = true;
  return c;
}

class TestEffect : public IPlugVST3<IEditorDelegate>
{
public:
  explicit TestEffect(bool midiOut = false) : IPlugVST3(InstanceInfo(), EffectConfig(midiOut))
  {
    GetParam(0)->InitDouble("Gain", 0.5, 0.0, 2.0, 0.01, "", 0, "Main");
    GetParam(1)->InitEnum("Mode", 0, {"One", "Two", "Three"}, 0, "Main");
    SetTailSize(0x7FFFFFFF);
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    const double gain = GetParam(0)->Value();
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < nFrames; ++i)
        outputs[c][i] = inputs[c][i] * gain;
  }
  void ProcessMidiMsg(const IMidiMsg& msg) override
  {
    midi.push_back(msg);
    SendMidiMsg(msg);
  }
  void OnParamChange(int idx, EParamSource source, int offset) override { changes.push_back({idx, source, offset}); }
  void OnParamChangeUI(int idx, EParamSource source) override { uiChanges.push_back({idx, source, 0}); }
  void SendParameterValueFromDelegate(int idx, double value, bool) override { delegateSends.push_back({idx, value}); }

  struct Change
  {
    int idx;
    EParamSource source;
    int offset;
  };
  std::vector<IMidiMsg> midi;
  std::vector<Change> changes;
  std::vector<Change> uiChanges;
  std::vector<std::pair<int, double>> delegateSends;
};

struct Release
{
  void operator()(TestEffect* p) const { p->release(); }
};

class Handler : public IComponentHandler, public IComponentHandler2
{
public:
  Handler() = default;
  virtual ~Handler() = default;
  tresult PLUGIN_API beginEdit(ParamID id) override { return Log('b', id, 0); }
  tresult PLUGIN_API performEdit(ParamID id, ParamValue v) override { return Log('p', id, v); }
  tresult PLUGIN_API endEdit(ParamID id) override { return Log('e', id, 0); }
  tresult PLUGIN_API restartComponent(int32 flags) override { return Log('r', static_cast<ParamID>(flags), 0); }
  tresult PLUGIN_API setDirty(TBool) override { return kResultOk; }
  tresult PLUGIN_API requestOpenEditor(FIDString) override { return kResultOk; }
  tresult PLUGIN_API startGroupEdit() override { return Log('[', 0, 0); }
  tresult PLUGIN_API finishGroupEdit() override { return Log(']', 0, 0); }
  struct Call
  {
    char kind;
    ParamID id;
    double value;
  };
  std::vector<Call> calls;
  std::string Kinds() const
  {
    std::string s;
    for (const auto& c : calls)
      s += c.kind;
    return s;
  }
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
    QUERY_INTERFACE(iid, obj, IComponentHandler2::iid, IComponentHandler2)
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return ++mRefs; }
  uint32 PLUGIN_API release() override
  {
    if (--mRefs == 0)
    {
      delete this;
      return 0;
    }
    return mRefs;
  }

private:
  tresult Log(char kind, ParamID id, double value)
  {
    calls.push_back({kind, id, value});
    return kResultOk;
  }
  uint32 mRefs = 1;
};

class NamedHost : public HostApplication
{
public:
  explicit NamedHost(const char* name) : mName(name) {}
  tresult PLUGIN_API getName(String128 name) override
  {
    return VST3::StringConvert::convert(mName, name) ? kResultOk : kResultFalse;
  }

private:
  std::string mName;
};

class ComplainingStream : public MemoryStream
{
public:
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
  {
    MemoryStream::read(buffer, numBytes, numBytesRead);
    return kResultFalse;
  }
};

class IPlugVST3Test : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug.reset(new TestEffect());
    ASSERT_EQ(plug->initialize(&host), kResultOk);
  }
  void TearDown() override
  {
    plug->setComponentHandler(nullptr);
    plug->terminate();
  }
  void Start(int32 block)
  {
    ProcessSetup setup{kRealtime, kSample32, block, 48000.0};
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    plug->activateBus(kAudio, Steinberg::Vst::kInput, 0, true);
    plug->activateBus(kAudio, Steinberg::Vst::kOutput, 0, true);
    plug->setActive(true);
    plug->setProcessing(true);
  }
  NamedHost host{"WaveLab 11.2"}; // the SDK's host object is not reference counted
  std::unique_ptr<TestEffect, Release> plug;
};

} // namespace

TEST_F(IPlugVST3Test, TheHostIsIdentifiedByTheNameItGives)
{
  EXPECT_EQ(plug->GetHost(), kHostWaveLab);
  EXPECT_STREQ(plug->GetHostName(), "WaveLab 11.2");
}

TEST_F(IPlugVST3Test, AnEffectGetsABypassParameterAndPassesAudioThroughWhenBypassed)
{
  ParameterInfo info{};
  ASSERT_EQ(plug->getParameterInfoByTag(0x10000, info), kResultOk);
  EXPECT_EQ(info.flags, 0x10009);
  EXPECT_EQ(plug->getParameterCount(), 3 + 130);
  EXPECT_EQ(plug->getBusCount(kAudio, Steinberg::Vst::kInput), 1);
  EXPECT_EQ(plug->getTailSamples(), kInfiniteTail);

  Start(4);
  float in0[4] = {1, 2, 3, 4}, in1[4] = {-1, -2, -3, -4}, out0[4] = {}, out1[4] = {};
  float* ins[2] = {in0, in1};
  float* outs[2] = {out0, out1};
  AudioBusBuffers inBus{}, outBus{};
  inBus.numChannels = outBus.numChannels = 2;
  inBus.channelBuffers32 = ins;
  outBus.channelBuffers32 = outs;
  ProcessData data{};
  data.numSamples = 4;
  data.symbolicSampleSize = kSample32;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;

  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_FLOAT_EQ(out0[3], 2.0f); // gain 0.5
  EXPECT_FLOAT_EQ(out1[3], -2.0f);

  ParameterChanges changes(1);
  int32 q = 0, p = 0;
  changes.addParameterData(0x10000, q)->addPoint(0, 1.0, p);
  data.inputParameterChanges = &changes;
  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_TRUE(plug->GetBypassed());
  EXPECT_FLOAT_EQ(out0[3], 4.0f);
  EXPECT_FLOAT_EQ(out1[0], -1.0f);

  // A block without input buffers reads silence, not the last block's input again.
  data.numInputs = 0;
  data.inputs = nullptr;
  data.inputParameterChanges = nullptr;
  ASSERT_EQ(plug->process(data), kResultOk);
  for (int i = 0; i < 4; ++i)
  {
    EXPECT_FLOAT_EQ(out0[i], 0.0f) << i;
    EXPECT_FLOAT_EQ(out1[i], 0.0f) << i;
  }
}

TEST_F(IPlugVST3Test, AutomationAppliesTheLastPointWithItsOffset)
{
  Start(64);
  ParameterChanges changes(1);
  int32 q = 0, p = 0;
  IParamValueQueue* queue = changes.addParameterData(0, q);
  queue->addPoint(1, 0.1, p);
  queue->addPoint(20, 0.9, p);
  queue->addPoint(40, 0.25, p);
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.inputParameterChanges = &changes;
  plug->changes.clear();
  plug->uiChanges.clear();
  ASSERT_EQ(plug->process(data), kResultOk);
  EXPECT_DOUBLE_EQ(plug->GetParam(0)->Value(), 0.5);
  ASSERT_EQ(plug->changes.size(), 1u);
  EXPECT_EQ(plug->changes[0].idx, 0);
  EXPECT_EQ(plug->changes[0].source, kHost);
  EXPECT_EQ(plug->changes[0].offset, 40);
  EXPECT_TRUE(plug->uiChanges.empty()) << "nothing goes to the editor from the audio thread";
}

TEST_F(IPlugVST3Test, ProxyValuesAndNoteEventsBecomeMidiMessages)
{
  Start(64);
  ParameterChanges changes(2);
  int32 q = 0, p = 0;
  changes.addParameterData(0x10002 + 129, q)->addPoint(5, 0.5, p);
  changes.addParameterData(0x10002 + 130, q)->addPoint(5, 1.0, p); // channel 2: not registered
  EventList events(4);
  Event off{};
  off.type = Event::kNoteOffEvent;
  off.sampleOffset = 9;
  off.noteOff = {2, 64, 1.0f, -1, 0.0f};
  events.addEvent(off);
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.inputParameterChanges = &changes;
  data.inputEvents = &events;
  ASSERT_EQ(plug->process(data), kResultOk);
  ASSERT_EQ(plug->midi.size(), 2u);
  EXPECT_EQ(plug->midi[0].mStatus, 0xE0);
  EXPECT_EQ(plug->midi[0].mData1, 0);
  EXPECT_EQ(plug->midi[0].mData2, 64);
  EXPECT_EQ(plug->midi[0].mOffset, 5);
  EXPECT_EQ(plug->midi[1].mStatus, 0x82);
  EXPECT_EQ(plug->midi[1].mData2, 0) << "a note-off carries no velocity";
  EXPECT_EQ(plug->midi[1].mOffset, 9);
  IMidiMsg queued;
  int nQueued = 0;
  while (plug->MidiMsgsFromProcessor().Pop(queued))
    ++nQueued;
  EXPECT_EQ(nQueued, 2);
}

TEST_F(IPlugVST3Test, HostAndEditorEditsReachTheOtherSide)
{
  auto* handler = new Handler();
  plug->setComponentHandler(handler);
  handler->release(); // the plug-in holds it now
  plug->uiChanges.clear();

  ASSERT_EQ(plug->setParamNormalized(1, 1.0), kResultOk);
  EXPECT_DOUBLE_EQ(plug->GetParam(1)->Value(), 2.0);
  ASSERT_EQ(plug->uiChanges.size(), 1u);
  EXPECT_EQ(plug->uiChanges[0].source, kHost);
  ASSERT_EQ(plug->delegateSends.size(), 1u);
  EXPECT_DOUBLE_EQ(plug->delegateSends[0].second, 1.0);
  EXPECT_TRUE(handler->calls.empty());

  plug->BeginInformHostOfParamChangeFromUI(0);
  plug->SendParameterValueFromUI(0, 0.75);
  plug->EndInformHostOfParamChangeFromUI(0);
  EXPECT_EQ(handler->Kinds(), "bpe");
  EXPECT_DOUBLE_EQ(handler->calls[1].value, 0.75);
  EXPECT_DOUBLE_EQ(plug->getParamNormalized(0), 0.75);
  EXPECT_DOUBLE_EQ(plug->GetParam(0)->Value(), 1.5);

  handler->calls.clear();
  plug->DirtyParametersFromUI();
  EXPECT_EQ(handler->Kinds(), "[pp]");

  handler->calls.clear();
  plug->SetLatency(32);
  plug->InformHostOfParameterDetailsChange();
  ASSERT_EQ(handler->Kinds(), "rr");
  EXPECT_EQ(handler->calls[0].id, static_cast<ParamID>(kLatencyChanged));
  EXPECT_EQ(handler->calls[1].id, static_cast<ParamID>(kParamTitlesChanged));
  EXPECT_EQ(plug->getLatencySamples(), 32u);
}

TEST_F(IPlugVST3Test, TheChannelContextIsKept)
{
  auto list = HostAttributeList::make();
  const std::u16string name = u"Drums \u00e9";
  list->setString(ChannelContext::kChannelNameKey, reinterpret_cast<const TChar*>(name.c_str()));
  list->setInt(ChannelContext::kChannelNameLengthKey, static_cast<int64>(name.size()));
  list->setInt(ChannelContext::kChannelIndexKey, 7);
  list->setInt(ChannelContext::kChannelColorKey, 0xFF102030);
  EXPECT_EQ(plug->setChannelContextInfos(list), kResultTrue);
  EXPECT_EQ(plug->setChannelContextInfos(nullptr), kResultFalse);
  WDL_String text;
  plug->GetTrackName(text);
  EXPECT_STREQ(text.Get(), "Drums \xC3\xA9");
  EXPECT_EQ(plug->GetTrackIndex(), 7);
  int r = 0, g = 0, b = 0;
  plug->GetTrackColor(r, g, b);
  EXPECT_EQ(r, 0x10);
  EXPECT_EQ(g, 0x20);
  EXPECT_EQ(b, 0x30);
}

TEST_F(IPlugVST3Test, StateFramingWritesTheBypassFlagAndToleratesWaveLabStreams)
{
  plug->GetParam(0)->Set(1.25);
  auto stream = owned(new MemoryStream());
  ASSERT_EQ(plug->getState(stream), kResultOk);
  int64 size = 0;
  stream->tell(&size);
  EXPECT_EQ(size, 2 * 8 + 4);

  // WaveLab's streams report errors on reads that did deliver; its states still load.
  auto complaining = owned(new ComplainingStream());
  int32 written = 0;
  complaining->write(stream->getData(), static_cast<int32>(size), &written);
  complaining->seek(0, IBStream::kIBSeekSet, nullptr);
  plug->GetParam(0)->Set(0.0);
  ASSERT_EQ(plug->setState(complaining), kResultFalse) << "the bypass read fails too";
  EXPECT_DOUBLE_EQ(plug->GetParam(0)->Value(), 1.25);
  EXPECT_DOUBLE_EQ(plug->getParamNormalized(0), 0.625);

  plug->GetParam(0)->Set(0.0);
  stream->seek(0, IBStream::kIBSeekSet, nullptr);
  ASSERT_EQ(plug->setState(stream), kResultOk);
  EXPECT_DOUBLE_EQ(plug->GetParam(0)->Value(), 1.25);
}

// A host may send a block longer than the size it set up: every frame of it is processed, in
// 32 and in 64 bits.
TEST_F(IPlugVST3Test, ABlockLongerThanTheSetUpSizeIsProcessedToItsEnd)
{
  for (int32 sampleSize : {kSample32, kSample64})
  {
    ProcessSetup setup{kRealtime, sampleSize, 4, 48000.0};
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    plug->activateBus(kAudio, Steinberg::Vst::kInput, 0, true);
    plug->activateBus(kAudio, Steinberg::Vst::kOutput, 0, true);
    plug->setActive(true);
    plug->setProcessing(true);

    constexpr int kFrames = 10;
    float in32[2][kFrames], out32[2][kFrames];
    double in64[2][kFrames], out64[2][kFrames];
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < kFrames; ++f)
      {
        in32[c][f] = static_cast<float>((c ? -1 : 1) * (f + 1));
        in64[c][f] = in32[c][f];
        out32[c][f] = 7.0f;
        out64[c][f] = 7.0;
      }
    float* ins32[2] = {in32[0], in32[1]};
    float* outs32[2] = {out32[0], out32[1]};
    double* ins64[2] = {in64[0], in64[1]};
    double* outs64[2] = {out64[0], out64[1]};
    AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers32 = ins32;
    outBus.channelBuffers32 = outs32;
    if (sampleSize == kSample64)
    {
      inBus.channelBuffers64 = ins64;
      outBus.channelBuffers64 = outs64;
    }
    ProcessData data{};
    data.numSamples = kFrames;
    data.symbolicSampleSize = sampleSize;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    ASSERT_EQ(plug->process(data), kResultOk);

    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < kFrames; ++f)
      {
        const double heard = sampleSize == kSample64 ? out64[c][f] : out32[c][f];
        EXPECT_DOUBLE_EQ(heard, 0.5 * in64[c][f]) << "sample size " << sampleSize << " channel " << c << " frame " << f;
      }
    plug->setProcessing(false);
    plug->setActive(false);
  }
}

// A message that ProcessBlock sends counts from the start of its piece of a long block; the
// host gets it at its place in the whole block.
TEST(IPlugVST3MidiOut, MessagesSentWhileProcessingALongBlockKeepTheirPlace)
{
  struct Sender : TestEffect
  {
    Sender() : TestEffect(true) {}
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override
    {
      TestEffect::ProcessBlock(inputs, outputs, nFrames);
      SendMidiMsg(IMidiMsg(1, 0x90, 60, 100));
    }
  };
  std::unique_ptr<TestEffect, Release> plug(new Sender());
  ASSERT_EQ(plug->initialize(nullptr), kResultOk);
  ProcessSetup setup{kRealtime, kSample32, 4, 48000.0};
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  plug->activateBus(kAudio, Steinberg::Vst::kOutput, 0, true);

  float out0[10] = {}, out1[10] = {};
  float* outs[2] = {out0, out1};
  AudioBusBuffers outBus{};
  outBus.numChannels = 2;
  outBus.channelBuffers32 = outs;
  EventList out(16);
  ProcessData data{};
  data.numSamples = 10;
  data.symbolicSampleSize = kSample32;
  data.numOutputs = 1;
  data.outputs = &outBus;
  data.outputEvents = &out;
  ASSERT_EQ(plug->process(data), kResultOk);

  std::vector<int32> offsets;
  for (int32 i = 0; i < out.getEventCount(); ++i)
  {
    Event e{};
    out.getEvent(i, e);
    offsets.push_back(e.sampleOffset);
  }
  EXPECT_EQ(offsets, (std::vector<int32>{1, 5, 9}));
  plug->terminate();
}

TEST(IPlugVST3MidiOut, ProcessedMessagesLeaveAsEventsInTheirBlock)
{
  std::unique_ptr<TestEffect, Release> plug(new TestEffect(true));
  ASSERT_EQ(plug->initialize(nullptr), kResultOk);
  EXPECT_EQ(plug->getBusCount(kEvent, Steinberg::Vst::kOutput), 1);
  ProcessSetup setup{kRealtime, kSample32, 64, 48000.0};
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);

  EventList in(4), out(16);
  Event on{};
  on.type = Event::kNoteOnEvent;
  on.sampleOffset = 3;
  on.noteOn = {1, 60, 0.0f, 1.0f, 0, -1};
  in.addEvent(on);
  ParameterChanges changes(2);
  int32 q = 0, p = 0;
  changes.addParameterData(0x10002 + 7, q)->addPoint(4, 1.0, p);   // main volume
  changes.addParameterData(0x10002 + 129, q)->addPoint(5, 1.0, p); // pitch bend up
  plug->SendMidiMsg(IMidiMsg(100, 0xC2, 9, 0));                    // beyond this block
  ProcessData data{};
  data.numSamples = 64;
  data.symbolicSampleSize = kSample32;
  data.inputEvents = &in;
  data.outputEvents = &out;
  data.inputParameterChanges = &changes;
  ASSERT_EQ(plug->process(data), kResultOk);

  // The queue keeps them in offset order, whatever order they came in.
  ASSERT_EQ(out.getEventCount(), 3);
  Event e{};
  out.getEvent(0, e);
  EXPECT_EQ(e.type, Event::kNoteOnEvent);
  EXPECT_EQ(e.noteOn.channel, 1);
  EXPECT_EQ(e.noteOn.pitch, 60);
  EXPECT_FLOAT_EQ(e.noteOn.velocity, 1.0f);
  EXPECT_EQ(e.sampleOffset, 3);
  out.getEvent(1, e);
  EXPECT_EQ(e.type, Event::kLegacyMIDICCOutEvent);
  EXPECT_EQ(e.midiCCOut.controlNumber, 7);
  EXPECT_EQ(e.midiCCOut.value, 127);
  EXPECT_EQ(e.sampleOffset, 4);
  out.getEvent(2, e);
  EXPECT_EQ(e.midiCCOut.controlNumber, kPitchBend);
  EXPECT_EQ(e.midiCCOut.value, 125);
  EXPECT_EQ(e.midiCCOut.value2, 127);
  EXPECT_EQ(e.sampleOffset, 5);

  out.clear();
  data.inputEvents = nullptr;
  data.inputParameterChanges = nullptr;
  ASSERT_EQ(plug->process(data), kResultOk);
  ASSERT_EQ(out.getEventCount(), 1);
  out.getEvent(0, e);
  EXPECT_EQ(e.midiCCOut.controlNumber, kCtrlProgramChange);
  EXPECT_EQ(e.midiCCOut.value, 9);
  EXPECT_EQ(e.sampleOffset, 36);
  plug->terminate();
}
