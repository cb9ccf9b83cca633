#include "iplug/vst3/IPlugVST3Entry.h"

#include "iplug/wdl/WdlMutex.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "public.sdk/source/main/pluginfactory.h"

namespace iplug
{

using namespace Steinberg;

Vst::IComponent* MakePlug(const InstanceInfo& info)
{
  static WDL_Mutex sMutex;
  WDL_MutexLock lock(&sMutex);
  return ConstructPlug(info);
}

FUnknown* createInstance(void*)
{
  return MakePlug(InstanceInfo());
}

} // namespace iplug

bool InitModule()
{
  return true;
}
bool DeinitModule()
{
  return true;
}

SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory()
{
  using namespace Steinberg;
  if (gPluginFactory)
  {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  const iplug::VST3ClassDescription& d = iplug::GetVST3ClassDescription();
  PFactoryInfo factoryInfo(d.vendor, d.url, d.email, PFactoryInfo::kUnicode);
  gPluginFactory = new CPluginFactory(factoryInfo);

  static const PClassInfo2 classInfo(
    FUID(d.classIdWords[0], d.classIdWords[1], d.classIdWords[2], d.classIdWords[3]).toTUID(),
    PClassInfo::kManyInstances, kVstAudioEffectClass, d.name, Vst::kSimpleModeSupported, d.subCategories, "", d.version,
    "VST 3.8.0");
  gPluginFactory->registerClass(&classInfo, iplug::createInstance, nullptr);
  return gPluginFactory;
}
