#include "tools/host/Render.h"

#include <algorithm>

namespace testhost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

bool Render(HostedInstance& instance, int64_t frames, int32_t blockSize, const std::vector<AutomationPoint>& automation,
            Channels& out)
{
  std::vector<AutomationPoint> points(automation);
  std::stable_sort(points.begin(), points.end(),
                   [](const AutomationPoint& a, const AutomationPoint& b) { return a.frame < b.frame; });
  const int32 nChans = instance.OutputChannels();
  out.assign(nChans, std::vector<float>());
  for (auto& channel : out)
    channel.reserve(static_cast<size_t>(frames));

  ParameterChanges changes(static_cast<int32>(points.size()) + 1);
  size_t next = 0;
  for (int64_t start = 0; start < frames; start += blockSize)
  {
    const int32 n = static_cast<int32>(std::min<int64_t>(blockSize, frames - start));
    changes.clearQueue();
    for (; next < points.size() && points[next].frame < start + n; ++next)
    {
      int32 queueIndex = 0, pointIndex = 0;
      IParamValueQueue* queue = changes.addParameterData(points[next].id, queueIndex);
      const int32 offset = static_cast<int32>(std::max<int64_t>(0, points[next].frame - start));
      queue->addPoint(offset, points[next].normalised, pointIndex);
    }
    if (instance.Process(n, &changes) != kResultOk)
      return false;
    for (int32 c = 0; c < nChans; ++c)
    {
      for (int32 i = 0; i < n; ++i)
        out[c].push_back(static_cast<float>(instance.OutputSample(c, i)));
    }
  }
  return true;
}

} // namespace testhost
