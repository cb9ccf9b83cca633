#include "iplug/vst3/IPlugVST3Core.h"

#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3State.h"
#include "iplug/vst3/IPlugVST3Utilities.h"
#include "iplug/vst3/IPlugVST3View.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

#include <cmath>
#include <cstring>

namespace iplug
{

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugVST3Core::IPlugVST3Core(IEditorDelegate& delegate, const Config& config, EAPI plugAPI)
: IPlugAPIBaseCore(delegate, config, plugAPI)
, IPlugVST3ProcessorBase(config, delegate, MidiMsgsFromEditor(), MidiMsgsFromProcessor())
{
  CreateTimer();
}

tresult PLUGIN_API IPlugVST3Core::initialize(FUnknown* context)
{
  if (SingleComponentEffect::initialize(context) != kResultOk)
    return kResultFalse;
  CreateBuses(*this);
  IPlugVST3ControllerBase::Initialize(*this, parameters, Delegate(), IsInstrument(), DoesMIDIIn(),
                                      [this](const char* group) { return AddParamGroup(group); });
  if (GetHost() == kHostUninit)
  {
    FUnknownPtr<IHostApplication> app(context);
    String128 name16{};
    if (app && app->getName(name16) == kResultOk)
    {
      WDL_String name;
      UTF16ToUTF8(name, name16, 128);
      SetHost(name.Get(), 0);
    }
  }
  OnHostIdentified();
  Delegate().OnParamReset(kReset);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3Core::terminate()
{
  return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IPlugVST3Core::setActive(TBool state)
{
  OnActivate(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3Core::getState(IBStream* state)
{
  IByteChunk chunk;
  if (!SerializeState(chunk))
    return kResultFalse;
  return WriteVST3State(state, chunk, GetBypassed()) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3Core::setState(IBStream* state)
{
  IByteChunk chunk;
  if (!ReadVST3Stream(state, chunk, GetHost() == kHostWaveLab))
    return kResultFalse;
  const int pos = UnserializeState(chunk, 0);
  bool bypassed = GetBypassed();
  const bool complete = pos >= 0 && ReadVST3Bypass(state, pos, bypassed);
  // Whatever the chunk changed, the host-side values follow the plug-in's.
  UpdateParams(parameters, Delegate(), bypassed);
  if (!complete)
    return kResultFalse;
  Delegate().OnRestoreState();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3Core::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                     SpeakerArrangement* outputs, int32 numOuts)
{
  return SetBusArrangements(*this, GetHost(), inputs, numIns, outputs, numOuts) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3Core::setupProcessing(ProcessSetup& setup)
{
  return SetupProcessing(setup) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPlugVST3Core::setProcessing(TBool state)
{
  SetProcessing(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3Core::canProcessSampleSize(int32 symbolicSampleSize)
{
  return CanProcessSampleSize(symbolicSampleSize) ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IPlugVST3Core::getLatencySamples()
{
  return static_cast<uint32>(GetLatency());
}

uint32 PLUGIN_API IPlugVST3Core::getTailSamples()
{
  return GetTailSize() == 0x7FFFFFFF ? kInfiniteTail : static_cast<uint32>(GetTailSize());
}

tresult PLUGIN_API IPlugVST3Core::process(ProcessData& data)
{
  Process(data, audioInputs, audioOutputs);
  return kResultOk;
}

ParamValue PLUGIN_API IPlugVST3Core::getParamNormalized(ParamID tag)
{
  return EditController::getParamNormalized(tag);
}

tresult PLUGIN_API IPlugVST3Core::setParamNormalized(ParamID tag, ParamValue value)
{
  if (tag == kPresetParam)
  {
    if (NPresets() > 0)
    {
      const double v = value > 0.0 ? (value < 1.0 ? value : 1.0) : 0.0;
      RestorePreset(static_cast<int>(std::round(v * (NPresets() - 1))));
    }
    return kResultOk;
  }
  if (EditController::setParamNormalized(tag, value) != kResultOk)
    return kResultFalse;
  if (tag < static_cast<ParamID>(Delegate().NParams()))
    SetPlugParamFromHost(Delegate(), static_cast<int>(tag), value);
  return kResultOk;
}

IPlugView* PLUGIN_API IPlugVST3Core::createView(FIDString name)
{
  if (!HasUI() || !name || std::strcmp(name, ViewType::kEditor) != 0)
    return nullptr;
  auto* view = new IPlugVST3View(*this, Delegate());
  SetView(view);
  return view;
}

tresult PLUGIN_API IPlugVST3Core::setComponentState(IBStream*)
{
  return kResultOk;
}

int32 PLUGIN_API IPlugVST3Core::getProgramListCount()
{
  return 0;
}

tresult PLUGIN_API IPlugVST3Core::getProgramListInfo(int32, ProgramListInfo&)
{
  return kResultFalse;
}

tresult PLUGIN_API IPlugVST3Core::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
  if (listId != static_cast<ProgramListID>(kPresetParam) || !name || programIndex < 0 || programIndex >= NPresets())
    return kResultFalse;
  UTF8ToUTF16Fixed(name, 128, GetPresetName(programIndex));
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3Core::getMidiControllerAssignment(int32 busIndex, int16 channel, CtrlNumber midiCCNumber,
                                                              ParamID& tag)
{
  return GetMidiControllerAssignment(busIndex, channel, midiCCNumber, tag) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3Core::setChannelContextInfos(IAttributeList* list)
{
  return SetChannelContextInfos(list) ? kResultTrue : kResultFalse;
}

void IPlugVST3Core::BeginInformHostOfParamChange(int idx)
{
  beginEdit(static_cast<ParamID>(idx));
}

void IPlugVST3Core::InformHostOfParamChange(int idx, double normalizedValue)
{
  performEdit(static_cast<ParamID>(idx), normalizedValue);
}

void IPlugVST3Core::EndInformHostOfParamChange(int idx)
{
  endEdit(static_cast<ParamID>(idx));
}

void IPlugVST3Core::InformHostOfParameterDetailsChange()
{
  if (auto* handler = getComponentHandler())
    handler->restartComponent(kParamTitlesChanged);
}

void IPlugVST3Core::SetLatency(int latency)
{
  IPlugProcessor::SetLatency(latency);
  if (auto* handler = getComponentHandler())
    handler->restartComponent(kLatencyChanged);
}

void IPlugVST3Core::GetTrackColor(int& r, int& g, int& b)
{
  GetChannelColor(r, g, b);
}

void IPlugVST3Core::GetTrackName(WDL_String& str)
{
  str.Set(GetChannelName());
}

int IPlugVST3Core::GetTrackIndex()
{
  return GetChannelIndex();
}

void IPlugVST3Core::GetTrackNamespace(WDL_String& str)
{
  str.Set(GetChannelNamespace());
}

int IPlugVST3Core::GetTrackNamespaceIndex()
{
  return GetChannelNamespaceIndex();
}

void IPlugVST3Core::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  if (auto* host = getParameterObject(static_cast<ParamID>(paramIdx)))
    host->setNormalized(normalizedValue);
  IPlugAPIBaseCore::SendParameterValueFromUI(paramIdx, normalizedValue);
}

void IPlugVST3Core::DirtyParametersFromUI()
{
  UpdateParams(parameters, Delegate(), GetBypassed());
  startGroupEdit();
  IPlugAPIBaseCore::DirtyParametersFromUI();
  finishGroupEdit();
}

bool IPlugVST3Core::EditorResize(int viewWidth, int viewHeight)
{
  if (!HasUI())
    return true;
  const bool changed = viewWidth != Delegate().GetEditorWidth() || viewHeight != Delegate().GetEditorHeight();
  if (changed && GetView())
    GetView()->RequestHostResize(viewWidth, viewHeight);
  Delegate().SetEditorSize(viewWidth, viewHeight);
  return true;
}

IContextMenu* IPlugVST3Core::CreateHostContextMenuForParam(int paramIdx)
{
  // A host offers a menu for a parameter only while it has our view.
  if (!GetComponentHandler() || !GetView())
    return nullptr;
  FUnknownPtr<IComponentHandler3> handler(GetComponentHandler());
  if (!handler)
    return nullptr;
  ParamID paramID = static_cast<ParamID>(paramIdx);
  return handler->createContextMenu(GetView(), &paramID);
}

} // namespace iplug
