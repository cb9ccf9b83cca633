// What the test host gives a plug-in: an application object with a chosen name and a component
// handler that records every edit the plug-in reports.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <string>
#include <vector>

namespace testhost
{

class NamedHostApplication : public Steinberg::Vst::HostApplication
{
public:
  explicit NamedHostApplication(std::string name = "Brimvale Test Host");
  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;

private:
  std::string mName;
};

class RecordingComponentHandler : public Steinberg::Vst::IComponentHandler
{
public:
  enum class EKind
  {
    kBegin,
    kPerform,
    kEnd,
    kRestart
  };
  struct Call
  {
    EKind kind;
    Steinberg::Vst::ParamID id; // the restart flags for kRestart
    double value;
  };

  RecordingComponentHandler();
  virtual ~RecordingComponentHandler() = default;

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

  const std::vector<Call>& Calls() const { return mCalls; }

  DECLARE_FUNKNOWN_METHODS

private:
  std::vector<Call> mCalls;
};

} // namespace testhost
