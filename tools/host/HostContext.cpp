#include "tools/host/HostContext.h"

#include "public.sdk/source/vst/utility/stringconvert.h"

namespace testhost
{

using namespace Steinberg;

NamedHostApplication::NamedHostApplication(std::string name) : mName(std::move(name))
{}

tresult PLUGIN_API NamedHostApplication::getName(Vst::String128 name)
{
  return VST3::StringConvert::convert(mName, name) ? kResultTrue : kInternalError;
}

IMPLEMENT_FUNKNOWN_METHODS(RecordingComponentHandler, Vst::IComponentHandler, Vst::IComponentHandler::iid)

RecordingComponentHandler::RecordingComponentHandler(){FUNKNOWN_CTOR}

tresult PLUGIN_API RecordingComponentHandler::beginEdit(Vst::ParamID id)
{
  mCalls.push_back({EKind::kBegin, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
  mCalls.push_back({EKind::kPerform, id, value});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::endEdit(Vst::ParamID id)
{
  mCalls.push_back({EKind::kEnd, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent(int32 flags)
{
  mCalls.push_back({EKind::kRestart, static_cast<Vst::ParamID>(flags), 0.0});
  return kResultOk;
}

} // namespace testhost
