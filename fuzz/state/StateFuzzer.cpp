// Saved states come from hosts, project files and other machines: a live instance must take any
// bytes through setState, and afterwards save a state that restores to itself, and render finite
// audio. A seed names the small sample among the seeds by a relative path, which resolves because
// run-fuzzer works inside the corpus, so the render is checked on sound too, not only on silence.
#include "plugin/Brimvale.h"

#include "public.sdk/source/common/memorystream.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr int32 kFrames = 64;

struct LiveInstance
{
  Brimvale* plug = new Brimvale(iplug::InstanceInfo());
  float left[kFrames] = {};
  float right[kFrames] = {};
  float* channels[2] = {left, right};
  AudioBusBuffers bus{};
  ProcessData data{};

  LiveInstance()
  {
    plug->initialize(nullptr);
    ProcessSetup setup{kRealtime, kSample32, kFrames, 48000.0};
    plug->setupProcessing(setup);
    plug->activateBus(kAudio, kOutput, 0, true);
    plug->setActive(true);
    plug->setProcessing(true);
    bus.numChannels = 2;
    bus.channelBuffers32 = channels;
    data.numSamples = kFrames;
    data.symbolicSampleSize = kSample32;
    data.numOutputs = 1;
    data.outputs = &bus;
  }

  // The instance's saved state; aborts when it cannot save.
  std::vector<uint8_t> Saved()
  {
    auto out = owned(new MemoryStream());
    if (plug->getState(out) != kResultOk)
      std::abort();
    int64 size = 0;
    out->tell(&size);
    const auto* bytes = reinterpret_cast<const uint8_t*>(out->getData());
    return std::vector<uint8_t>(bytes, bytes + size);
  }

  tresult Restore(const uint8_t* bytes, size_t size)
  {
    auto in = owned(new MemoryStream(const_cast<uint8_t*>(bytes), static_cast<TSize>(size)));
    return plug->setState(in);
  }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  static LiveInstance live;
  live.Restore(bytes, size); // refused or taken, what follows holds either way

  // Whatever was taken, the instance's own save restores to the very same save.
  const std::vector<uint8_t> saved = live.Saved();
  if (live.Restore(saved.data(), saved.size()) != kResultOk || live.Saved() != saved)
    std::abort();

  std::memset(live.left, 0xFF, sizeof(live.left)); // NaN: the block must write over every frame
  std::memset(live.right, 0xFF, sizeof(live.right));
  live.plug->process(live.data);
  for (int32 i = 0; i < kFrames; ++i)
    if (!std::isfinite(live.left[i]) || !std::isfinite(live.right[i]))
      std::abort();
  return 0;
}
