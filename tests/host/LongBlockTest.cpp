// A host that sends a block longer than the size it set up hears the whole block: the same sound
// as a twin instance given the same frames in blocks of the set-up size.
#include "tests/host/BrimvaleModuleFixture.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace testhost;
using namespace Steinberg;
using namespace Steinberg::Vst;

using LongBlockTest = BrimvaleModuleTest;

TEST_F(LongBlockTest, SoundsLikeTheSameFramesInBlocksOfTheSetUpSize)
{
  constexpr int32 kSetUp = 64;
  constexpr int32 kLong = 4 * kSetUp + 24;
  const std::string wav = WriteTestWav("tone.wav");

  for (int32 sampleSize : {kSample32, kSample64})
  {
    auto twin = MakeInstance();
    auto instance = MakeInstance();
    ASSERT_TRUE(twin && instance);
    for (HostedInstance* each : {twin.get(), instance.get()})
    {
      BrimvaleState state = StateOf(*each);
      state.pathA = wav;
      ASSERT_EQ(each->SetState(state.Bytes()), kResultOk);
      ASSERT_TRUE(each->Start(48000.0, kSetUp, sampleSize));
    }

    std::vector<std::vector<double>> expected(2);
    for (int32 done = 0; done < kLong; done += kSetUp)
    {
      const int32 n = std::min(kSetUp, kLong - done);
      ASSERT_EQ(twin->Process(n), kResultOk);
      for (int32 c = 0; c < 2; ++c)
        for (int32 f = 0; f < n; ++f)
          expected[c].push_back(twin->OutputSample(c, f));
    }
    double peak = 0.0;
    for (const auto& channel : expected)
      for (double s : channel)
        peak = std::max(peak, std::fabs(s));
    ASSERT_GT(peak, 1e-3) << "the twin must make sound for the comparison to mean anything";

    // The host's buffers hold old data that must not survive the block.
    std::vector<std::vector<float>> out32(2, std::vector<float>(kLong, 7.0f));
    std::vector<std::vector<double>> out64(2, std::vector<double>(kLong, 7.0));
    float* channels32[2] = {out32[0].data(), out32[1].data()};
    double* channels64[2] = {out64[0].data(), out64[1].data()};
    AudioBusBuffers bus{};
    bus.numChannels = 2;
    bus.channelBuffers32 = channels32;
    if (sampleSize == kSample64)
      bus.channelBuffers64 = channels64;
    ProcessData data{};
    data.symbolicSampleSize = sampleSize;
    data.numSamples = kLong;
    data.numOutputs = 1;
    data.outputs = &bus;
    ASSERT_EQ(instance->Processor().process(data), kResultOk);

    int mismatches = 0;
    for (int32 c = 0; c < 2; ++c)
      for (int32 f = 0; f < kLong; ++f)
      {
        const double heard = sampleSize == kSample64 ? out64[c][f] : out32[c][f];
        if (std::fabs(heard - expected[c][f]) > 1e-6 && ++mismatches <= 3)
          ADD_FAILURE() << "sample size " << sampleSize << " channel " << c << " frame " << f << ": " << heard
                        << " instead of " << expected[c][f];
      }
    EXPECT_EQ(mismatches, 0) << "sample size " << sampleSize;
  }
}
