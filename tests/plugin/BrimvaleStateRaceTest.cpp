// A host may restore a state, which reloads both samples, on its own thread while the audio
// thread processes: the ThreadSanitizer lane runs this to find any unguarded sharing.
#include "plugin/Brimvale.h"
#include "tests/host/TestSignal.h"
#include "tools/wav/WavFile.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{
struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

// A saved state naming two samples, with Blend and Master set: header, paths, 37 values, bypass.
std::vector<char> StateBytes(Brimvale& plug, const std::string& a, const std::string& b, double blend)
{
  auto out = owned(new MemoryStream());
  EXPECT_EQ(plug.getState(out), kResultOk);
  int64 size = 0;
  out->tell(&size);
  std::vector<char> bytes(out->getData(), out->getData() + size);
  std::vector<char> state;
  auto put = [&state](const void* p, size_t n) {
    state.insert(state.end(), static_cast<const char*>(p), static_cast<const char*>(p) + n);
  };
  state.insert(state.end(), bytes.begin(), bytes.begin() + 8); // magic and version
  for (const std::string* path : {&a, &b})
  {
    const auto length = static_cast<uint32_t>(path->size());
    put(&length, sizeof(length));
    put(path->data(), path->size());
  }
  const long freshHeader = 16; // magic, version and two empty paths
  state.insert(state.end(), bytes.begin() + freshHeader, bytes.end());
  std::memcpy(state.data() + state.size() - 4 - 37 * 8 + 16 * 8, &blend, sizeof(blend));
  return state;
}

tresult SetState(Brimvale& plug, const std::vector<char>& bytes)
{
  auto in = owned(new MemoryStream(const_cast<char*>(bytes.data()), static_cast<TSize>(bytes.size())));
  return plug.setState(in);
}

TEST(BrimvaleStateRace, RestoringStatesWhileProcessing)
{
  const auto dir = std::filesystem::temp_directory_path() / "brimvale-state-race";
  std::filesystem::create_directories(dir);
  const std::string low = (dir / "low.wav").string(), high = (dir / "high.wav").string();
  ASSERT_TRUE(wavwriter::WriteWav(low, testhost::MakeTestSignal(48000, 0.3), 48000, wavwriter::EWavFormat::kPcm16));
  ASSERT_TRUE(wavwriter::WriteWav(high, testhost::MakeTestSignal(44100, 0.2), 44100, wavwriter::EWavFormat::kFloat32));

  std::unique_ptr<Brimvale, ReleasePlug> plug(new Brimvale(iplug::InstanceInfo()));
  ASSERT_EQ(plug->initialize(nullptr), kResultOk);
  ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  ASSERT_EQ(plug->activateBus(kAudio, kOutput, 0, true), kResultOk);
  ASSERT_EQ(plug->setActive(true), kResultOk);
  ASSERT_EQ(plug->setProcessing(true), kResultOk);
  const std::vector<char> states[2] = {StateBytes(*plug, low, high, 0.2), StateBytes(*plug, high, low, 0.9)};

  std::atomic<bool> done{false};
  std::atomic<int> blocks{0};
  std::atomic<bool> finite{true};
  std::thread audio([&] {
    float left[256], right[256];
    float* channels[2] = {left, right};
    AudioBusBuffers bus{};
    bus.numChannels = 2;
    bus.channelBuffers32 = channels;
    ProcessData data{};
    data.numSamples = 256;
    data.symbolicSampleSize = kSample32;
    data.numOutputs = 1;
    data.outputs = &bus;
    while (!done.load())
    {
      std::fill(left, left + 256, std::nanf("")); // each block must write over every frame
      std::fill(right, right + 256, std::nanf(""));
      if (plug->process(data) != kResultOk)
        finite = false;
      for (int i = 0; i < 256; ++i)
        if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
          finite = false;
      ++blocks;
    }
  });

  int restored = 0;
  for (int i = 0; i < 40 || blocks.load() < 40; ++i)
  {
    EXPECT_EQ(SetState(*plug, states[i % 2]), kResultOk) << i;
    ++restored;
  }
  done = true;
  audio.join();
  EXPECT_TRUE(finite.load());

  // The instance ends on the last state restored, as a later save shows.
  auto out = owned(new MemoryStream());
  ASSERT_EQ(plug->getState(out), kResultOk);
  int64 size = 0;
  out->tell(&size);
  EXPECT_EQ(std::vector<char>(out->getData(), out->getData() + size), states[(restored - 1) % 2]);
  plug->setProcessing(false);
  plug->setActive(false);
  plug->terminate();
}
} // namespace
