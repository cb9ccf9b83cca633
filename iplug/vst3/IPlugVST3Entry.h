// The module's entry as the VST3 host sees it: the factory with its one class, and the creation
// of plug-in objects. The plug-in's module supplies its class description and its constructor.
#pragma once

#include "iplug/vst3/IPlugVST3.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <cstdint>

namespace iplug
{

/** The one class of the module, as the factory describes it. */
struct VST3ClassDescription
{
  const char* vendor;
  const char* url;
  const char* email;
  uint32_t classIdWords[4]; // each written most significant byte first
  const char* name;
  const char* subCategories;
  const char* version;
};

// Supplied by the plug-in's module.
const VST3ClassDescription& GetVST3ClassDescription();
/** Allocates and constructs one plug-in object; returns its component interface. */
Steinberg::Vst::IComponent* ConstructPlug(const InstanceInfo& info);

/** ConstructPlug under a process-wide lock, so that no two constructions run at once. */
Steinberg::Vst::IComponent* MakePlug(const InstanceInfo& info);

/** The factory's creation function for the class. */
Steinberg::FUnknown* createInstance(void* context);

} // namespace iplug

// Called by the SDK's module entry when the module is loaded and unloaded.
bool InitModule();
bool DeinitModule();
