// Loads a VST3 bundle by path and drives one instance of a class the way a host does:
// initialize, setupProcessing, setActive, setProcessing, process, state calls, and the reverse on
// the way out.
#pragma once

#include "tools/host/HostContext.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/module.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "public.sdk/source/vst/hosting/processdata.h"

#include <memory>
#include <string>
#include <vector>

namespace testhost
{

class LoadedModule
{
public:
  // Null with a reason in error when the bundle can't be loaded.
  static std::shared_ptr<LoadedModule> Load(const std::string& bundlePath, std::string& error);

  const VST3::Hosting::PluginFactory& Factory() const { return mModule->getFactory(); }
  std::vector<VST3::Hosting::ClassInfo> AudioClasses() const;

private:
  explicit LoadedModule(VST3::Hosting::Module::Ptr module) : mModule(std::move(module)) {}
  VST3::Hosting::Module::Ptr mModule;
};

class HostedInstance
{
public:
  // Creates and initialises the class; null with a reason in error on any failure.
  static std::unique_ptr<HostedInstance> Create(std::shared_ptr<LoadedModule> module, const VST3::UID& classId,
                                                Steinberg::FUnknown* hostContext, std::string& error);
  ~HostedInstance();
  HostedInstance(const HostedInstance&) = delete;
  HostedInstance& operator=(const HostedInstance&) = delete;

  Steinberg::Vst::IComponent& Component() { return *mComponent; }
  Steinberg::Vst::IAudioProcessor& Processor() { return *mProcessor; }
  Steinberg::Vst::IEditController& Controller() { return *mController; }
  template <typename T>
  Steinberg::IPtr<T> Query()
  {
    return Steinberg::FUnknownPtr<T>(mComponent.get());
  }

  // setupProcessing, activates every bus, setActive(true), setProcessing(true).
  bool Start(double sampleRate, Steinberg::int32 maxBlock, Steinberg::int32 sampleSize = Steinberg::Vst::kSample32,
             Steinberg::int32 processMode = Steinberg::Vst::kRealtime);
  // setProcessing(false), setActive(false); harmless when not started.
  void Stop();
  bool Started() const { return mStarted; }

  // One block into the instance's own output buffers (nFrames <= the maximum block).
  Steinberg::tresult Process(Steinberg::int32 nFrames, Steinberg::Vst::IParameterChanges* changes = nullptr,
                             Steinberg::Vst::IEventList* events = nullptr);
  Steinberg::int32 OutputChannels() const;
  double OutputSample(Steinberg::int32 channel, Steinberg::int32 frame) const;

  bool GetState(std::vector<char>& bytes);
  Steinberg::tresult SetState(const std::vector<char>& bytes);

private:
  HostedInstance() = default;

  std::shared_ptr<LoadedModule> mModule; // outlives the objects it made
  Steinberg::IPtr<Steinberg::Vst::IComponent> mComponent;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> mProcessor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> mController;
  Steinberg::Vst::HostProcessData mData;
  Steinberg::Vst::ProcessContext mContext{};
  bool mStarted = false;
};

} // namespace testhost
