// Saved states come from hosts, project files and other machines: a live instance must take any
// bytes through setState, and afterwards still save a well-formed state and render.
#include "plugin/Brimvale.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
  AudioBusBuffers bus {};
  ProcessData data {};

  LiveInstance()
  {
    plug->initialize(nullptr);
    ProcessSetup setup {kRealtime, kSample32, kFrames, 48000.0};
    plug->setupProcessing(setup);
    plug->setActive(true);
    plug->setProcessing(true);
    bus.numChannels = 2;
    bus.channelBuffers32 = channels;
    data.numSamples = kFrames;
    data.symbolicSampleSize = kSample32;
    data.numOutputs = 1;
    data.outputs = &bus;
  }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
  static LiveInstance live;
  auto in = owned(new MemoryStream(const_cast<uint8_t*>(bytes), static_cast<TSize>(size)));
  live.plug->setState(in);

  auto out = owned(new MemoryStream());
  if (live.plug->getState(out) != kResultOk)
    std::abort();
  live.plug->process(live.data);
  return 0;
}
