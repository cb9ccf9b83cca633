// The one object a VST3 host creates per instance: processor and edit controller at once, and the
// plug-in's editor delegate. EditorDelegate is the editor side the plug-in stacks below its bases.
#pragma once

#include "iplug/IPlugAPIBase.h"
#include "iplug/vst3/IPlugVST3Core.h"

namespace iplug
{

/** What the factory hands to a new instance; VST3 gives it nothing. */
struct InstanceInfo
{};

/** The VST3 binding of a plug-in class. All of it is implemented by IPlugVST3Core; this template
 *  only joins that core to the editor delegate and gives the object its SDK class name. */
template <class EditorDelegate>
class IPlugVST3 : public IPlugAPIBase<EditorDelegate, IPlugVST3Core>
{
public:
  IPlugVST3(const InstanceInfo&, const Config& config) : IPlugAPIBase<EditorDelegate, IPlugVST3Core>(config, kAPIVST3)
  {}

  Steinberg::Vst::IContextMenu* CreateHostContextMenuForParam(int paramIdx) override
  {
    return IPlugVST3Core::CreateHostContextMenuForParam(paramIdx);
  }

  // The SDK's class identity macro names FObject unqualified.
  using FObject = Steinberg::FObject;
  OBJ_METHODS(IPlugVST3, Steinberg::Vst::SingleComponentEffect)
};

} // namespace iplug
