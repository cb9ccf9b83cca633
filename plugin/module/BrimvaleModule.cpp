// The module's one class: how the factory describes it and how an instance is built.
#include "plugin/Brimvale.h"
#include "plugin/BrimvaleIDs.h"
#include "plugin/BrimvaleVersion.h"

#include "iplug/vst3/IPlugVST3Entry.h"

namespace iplug
{

const VST3ClassDescription& GetVST3ClassDescription()
{
  static const VST3ClassDescription description{
    brimvale::kMakerName,
    brimvale::kMakerURL,
    brimvale::kMakerEmail,
    {brimvale::kClassIdWords[0], brimvale::kClassIdWords[1], brimvale::kClassIdWords[2], brimvale::kClassIdWords[3]},
    brimvale::kProductName,
    "Instrument|Sampler",
    brimvale::kVersionString,
  };
  return description;
}

Steinberg::Vst::IComponent* ConstructPlug(const InstanceInfo& info)
{
  return new Brimvale(info);
}

} // namespace iplug
