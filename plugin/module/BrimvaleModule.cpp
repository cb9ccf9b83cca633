// The module's one class: how the factory describes it and how an instance is built.
#include "plugin/Brimvale.h"
#include "plugin/BrimvaleVersion.h"

#include "iplug/vst3/IPlugVST3Entry.h"

namespace iplug
{

const VST3ClassDescription& GetVST3ClassDescription()
{
  static const VST3ClassDescription description{
    brimvale::kMakerName,     brimvale::kMakerURL,
    brimvale::kMakerEmail,    {0xF2AEE70D, 0x00DE4F4E, 0x50776C6C, 0x42566D31},
    brimvale::kProductName,   "Instrument|Sampler",
    brimvale::kVersionString,
  };
  return description;
}

Steinberg::Vst::IComponent* ConstructPlug(const InstanceInfo& info)
{
  return new Brimvale(info);
}

} // namespace iplug
