// Blocks of audio as a host asks for them: automation, silence, samples named by a state, and
// calls without frames or buffers.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tools/host/Render.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace testhost;
using namespace Steinberg;
using namespace Steinberg::Vst;

using ProcessingTest = BrimvaleModuleTest;

namespace
{

struct Levels
{
  float peak = 0.0f;
  bool finite = true;
};

Levels Measure(const Channels& out)
{
  Levels l;
  for (const auto& channel : out)
    for (float s : channel)
    {
      l.finite = l.finite && std::isfinite(s);
      l.peak = std::max(l.peak, std::fabs(s));
    }
  return l;
}

} // namespace

TEST_F(ProcessingTest, OnlyTheLastPointOfAQueueApplies)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  ASSERT_TRUE(instance->Start(48000.0, 512));
  ParameterChanges changes(4);
  int32 queueIdx = 0, pointIdx = 0;
  IParamValueQueue* master = changes.addParameterData(34, queueIdx);
  master->addPoint(0, 0.1, pointIdx);
  master->addPoint(100, 0.9, pointIdx);
  master->addPoint(300, 0.4, pointIdx);
  IParamValueQueue* mode = changes.addParameterData(23, queueIdx);
  mode->addPoint(10, 1.0, pointIdx);
  mode->addPoint(20, 0.2, pointIdx);
  ASSERT_EQ(instance->Process(512, &changes), kResultOk);
  auto state = StateOf(*instance);
  EXPECT_NEAR(state.params[34], 0.6, 1e-12);
  EXPECT_DOUBLE_EQ(state.params[23], 1.0);
}

TEST_F(ProcessingTest, WithoutSamplesTheOutputIsSilent)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  ASSERT_TRUE(instance->Start(48000.0, 480));
  // The host's buffers hold old audio: silence must be written, not left unwritten.
  constexpr int32 kFrames = 480;
  std::vector<float> left(kFrames, 0.5f), right(kFrames, -0.5f);
  float* channels[2] = {left.data(), right.data()};
  AudioBusBuffers bus{};
  bus.numChannels = 2;
  bus.channelBuffers32 = channels;
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.numSamples = kFrames;
  data.numOutputs = 1;
  data.outputs = &bus;
  for (int block = 0; block < 100; ++block)
  {
    ASSERT_EQ(instance->Processor().process(data), kResultOk);
    const Levels l = Measure({left, right});
    ASSERT_TRUE(l.finite) << block;
    ASSERT_EQ(l.peak, 0.0f) << block;
    std::fill(left.begin(), left.end(), 0.5f);
    std::fill(right.begin(), right.end(), -0.5f);
  }
}

TEST_F(ProcessingTest, AStateThatNamesAWavMakesBoundedSound)
{
  const std::string wav = WriteTestWav("tone.wav");
  for (int32 sampleSize : {kSample32, kSample64})
  {
    auto instance = MakeInstance();
    ASSERT_TRUE(instance);
    BrimvaleState state = StateOf(*instance);
    state.pathA = wav;
    ASSERT_EQ(instance->SetState(state.Bytes()), kResultOk);
    EXPECT_EQ(StateOf(*instance).pathA, wav);
    ASSERT_TRUE(instance->Start(48000.0, 512, sampleSize));
    Channels out;
    ASSERT_TRUE(Render(*instance, 48000, 512, {}, out));
    const Levels l = Measure(out);
    EXPECT_TRUE(l.finite) << sampleSize;
    EXPECT_GT(l.peak, 1e-3f) << sampleSize;
    EXPECT_LE(l.peak, 1.0f) << sampleSize;
  }
}

TEST_F(ProcessingTest, CallsWithoutFramesOrBuffersAreHarmless)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  ASSERT_TRUE(instance->Start(48000.0, 256));
  ParameterChanges changes(1);
  int32 queueIdx = 0, pointIdx = 0;
  changes.addParameterData(34, queueIdx)->addPoint(0, 0.5, pointIdx);

  // A flush: no frames, no buffers at all, but parameter changes still apply.
  ProcessData flush{};
  flush.symbolicSampleSize = kSample32;
  flush.inputParameterChanges = &changes;
  EXPECT_EQ(instance->Processor().process(flush), kResultOk);
  EXPECT_NEAR(StateOf(*instance).params[34], 0.75, 1e-12);

  // Frames but no output buses, and a bus whose channel pointers are missing.
  ProcessData noBuses{};
  noBuses.symbolicSampleSize = kSample32;
  noBuses.numSamples = 256;
  EXPECT_EQ(instance->Processor().process(noBuses), kResultOk);

  AudioBusBuffers bus{};
  bus.numChannels = 2;
  float* missing[2] = {nullptr, nullptr};
  bus.channelBuffers32 = missing;
  ProcessData nullChannels = noBuses;
  nullChannels.numOutputs = 1;
  nullChannels.outputs = &bus;
  EXPECT_EQ(instance->Processor().process(nullChannels), kResultOk);

  // A zero-frame block through the host's own buffers, and the instance still renders afterwards.
  EXPECT_EQ(instance->Process(0), kResultOk);
  EXPECT_EQ(instance->Process(256), kResultOk);
}

// MIDI notes and the MIDI controller proxies reach the MIDI road, never the sound: an instance fed
// them renders exactly what an identical instance renders without them.
TEST_F(ProcessingTest, MidiAndProxyValuesDoNotDisturbTheAudio)
{
  const std::string wav = WriteTestWav("tone.wav");
  std::unique_ptr<HostedInstance> instances[2];
  for (auto& instance : instances)
  {
    instance = MakeInstance();
    ASSERT_TRUE(instance);
    BrimvaleState state = StateOf(*instance);
    state.pathA = wav;
    ASSERT_EQ(instance->SetState(state.Bytes()), kResultOk);
    ASSERT_EQ(StateOf(*instance).pathA, wav);
    ASSERT_TRUE(instance->Start(48000.0, 128));
  }
  EventList events(8);
  Event on{};
  on.type = Event::kNoteOnEvent;
  on.noteOn = {0, 60, 0.0f, 1.0f, 0, -1};
  events.addEvent(on);
  ParameterChanges changes(3);
  int32 queueIdx = 0, pointIdx = 0;
  changes.addParameterData(0x10002 + 129, queueIdx)->addPoint(0, 1.0, pointIdx);     // pitch bend
  changes.addParameterData(0x10002 + 130 * 3, queueIdx)->addPoint(0, 1.0, pointIdx); // not registered
  changes.addParameterData(0xFFFFFFFF, queueIdx)->addPoint(0, 1.0, pointIdx);

  float peak = 0.0f;
  for (int block = 0; block < 2000; ++block) // far more messages than any queue holds
  {
    ASSERT_EQ(instances[0]->Process(128, &changes, &events), kResultOk);
    ASSERT_EQ(instances[1]->Process(128), kResultOk);
    for (int32 c = 0; c < 2; ++c)
      for (int32 i = 0; i < 128; ++i)
      {
        const double fed = instances[0]->OutputSample(c, i);
        ASSERT_EQ(fed, instances[1]->OutputSample(c, i)) << "block " << block << ", channel " << c << ", frame " << i;
        peak = std::max(peak, static_cast<float>(std::fabs(fed)));
      }
  }
  EXPECT_GT(peak, 1e-3f);
  EXPECT_EQ(StateOf(*instances[0]).Bytes(), StateOf(*instances[1]).Bytes());
}
