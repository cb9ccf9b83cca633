// Renders a started instance block by block, with automation points placed in the block they fall
// in at their offset inside it.
#pragma once

#include "tools/host/ModuleHost.h"

#include <cstdint>
#include <vector>

namespace testhost
{

struct AutomationPoint
{
  int64_t frame;
  Steinberg::Vst::ParamID id;
  double normalised;
};

using Channels = std::vector<std::vector<float>>;

// Points need not be sorted. Returns false when a process call fails.
bool Render(HostedInstance& instance, int64_t frames, int32_t blockSize, const std::vector<AutomationPoint>& automation,
            Channels& out);

} // namespace testhost
