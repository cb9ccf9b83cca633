// The one object a VST3 host creates per instance: processor and edit controller at once, and the
// plug-in's editor delegate. EditorDelegate is the editor side the plug-in stacks below its bases.
#pragma once

#include "iplug/IPlugAPIBase.h"
#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3ControllerBase.h"
#include "iplug/vst3/IPlugVST3ProcessorBase.h"
#include "iplug/vst3/IPlugVST3State.h"
#include "iplug/vst3/IPlugVST3Utilities.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <cmath>

namespace iplug
{

/** What the factory hands to a new instance; VST3 gives it nothing. */
struct InstanceInfo
{
};

template <class EditorDelegate>
class IPlugVST3 : public IPlugAPIBase<EditorDelegate>,
                  public IPlugVST3ProcessorBase,
                  public IPlugVST3ControllerBase,
                  public Steinberg::Vst::SingleComponentEffect,
                  public Steinberg::Vst::IMidiMapping,
                  public Steinberg::Vst::ChannelContext::IInfoListener
{
  using APIBase = IPlugAPIBase<EditorDelegate>;

public:
  IPlugVST3(const InstanceInfo&, const Config& config)
  : APIBase(config, kAPIVST3)
  , IPlugVST3ProcessorBase(config, *this, this->MidiMsgsFromEditor(), this->MidiMsgsFromProcessor())
  {
    this->CreateTimer();
  }

  // IPluginBase / IComponent
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override
  {
    using namespace Steinberg;
    if (SingleComponentEffect::initialize(context) != kResultOk)
      return kResultFalse;
    CreateBuses(*this);
    IPlugVST3ControllerBase::Initialize(*this, parameters, *this, IsInstrument(), DoesMIDIIn(),
                                        [this](const char* group) { return this->AddParamGroup(group); });
    if (this->GetHost() == kHostUninit)
    {
      FUnknownPtr<Vst::IHostApplication> app(context);
      Vst::String128 name16 {};
      if (app && app->getName(name16) == kResultOk)
      {
        WDL_String name;
        UTF16ToUTF8(name, name16, 128);
        this->SetHost(name.Get(), 0);
      }
    }
    this->OnHostIdentified();
    this->OnParamReset(kReset);
    return kResultOk;
  }

  Steinberg::tresult PLUGIN_API terminate() override { return SingleComponentEffect::terminate(); }

  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override
  {
    this->OnActivate(state != 0);
    return Steinberg::kResultOk;
  }

  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override
  {
    IByteChunk chunk;
    if (!this->SerializeState(chunk))
      return Steinberg::kResultFalse;
    return WriteVST3State(state, chunk, GetBypassed()) ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }

  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override
  {
    IByteChunk chunk;
    if (!ReadVST3Stream(state, chunk, this->GetHost() == kHostWaveLab))
      return Steinberg::kResultFalse;
    const int pos = this->UnserializeState(chunk, 0);
    bool bypassed = GetBypassed();
    const bool complete = pos >= 0 && ReadVST3Bypass(state, pos, bypassed);
    // Whatever the chunk changed, the host-side values follow the plug-in's.
    UpdateParams(parameters, *this, bypassed);
    if (!complete)
      return Steinberg::kResultFalse;
    this->OnRestoreState();
    return Steinberg::kResultOk;
  }

  // IAudioProcessor
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override
  {
    return SetBusArrangements(*this, this->GetHost(), inputs, numIns, outputs, numOuts) ? Steinberg::kResultTrue
                                                                                        : Steinberg::kResultFalse;
  }

  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override
  {
    return SetupProcessing(setup) ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }

  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override
  {
    SetProcessing(state != 0);
    return Steinberg::kResultOk;
  }

  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override
  {
    return CanProcessSampleSize(symbolicSampleSize) ? Steinberg::kResultTrue : Steinberg::kResultFalse;
  }

  Steinberg::uint32 PLUGIN_API getLatencySamples() override { return static_cast<Steinberg::uint32>(GetLatency()); }

  Steinberg::uint32 PLUGIN_API getTailSamples() override
  {
    return GetTailSize() == 0x7FFFFFFF ? Steinberg::Vst::kInfiniteTail : static_cast<Steinberg::uint32>(GetTailSize());
  }

  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override
  {
    Process(data, audioInputs, audioOutputs);
    return Steinberg::kResultOk;
  }

  // IEditController
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID tag) override
  {
    return EditController::getParamNormalized(tag);
  }

  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                   Steinberg::Vst::ParamValue value) override
  {
    if (tag == kPresetParam)
    {
      if (this->NPresets() > 0)
      {
        const double v = value > 0.0 ? (value < 1.0 ? value : 1.0) : 0.0;
        this->RestorePreset(static_cast<int>(std::round(v * (this->NPresets() - 1))));
      }
      return Steinberg::kResultOk;
    }
    if (EditController::setParamNormalized(tag, value) != Steinberg::kResultOk)
      return Steinberg::kResultFalse;
    if (tag < static_cast<Steinberg::Vst::ParamID>(this->NParams()))
      SetPlugParamFromHost(*this, static_cast<int>(tag), value);
    return Steinberg::kResultOk;
  }

  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString) override { return nullptr; }
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream*) override { return Steinberg::kResultOk; }

  // IUnitInfo
  Steinberg::int32 PLUGIN_API getProgramListCount() override { return 0; }
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32, Steinberg::Vst::ProgramListInfo&) override
  {
    return Steinberg::kResultFalse;
  }
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override
  {
    if (listId != static_cast<Steinberg::Vst::ProgramListID>(kPresetParam) || !name || programIndex < 0 ||
        programIndex >= this->NPresets())
      return Steinberg::kResultFalse;
    UTF8ToUTF16Fixed(name, 128, this->GetPresetName(programIndex));
    return Steinberg::kResultOk;
  }

  // IMidiMapping
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(Steinberg::int32 busIndex, Steinberg::int16 channel,
                                                            Steinberg::Vst::CtrlNumber midiCCNumber,
                                                            Steinberg::Vst::ParamID& tag) override
  {
    return GetMidiControllerAssignment(busIndex, channel, midiCCNumber, tag) ? Steinberg::kResultTrue
                                                                             : Steinberg::kResultFalse;
  }

  // IInfoListener
  Steinberg::tresult PLUGIN_API setChannelContextInfos(Steinberg::Vst::IAttributeList* list) override
  {
    return SetChannelContextInfos(list) ? Steinberg::kResultTrue : Steinberg::kResultFalse;
  }

  // The API base's host hooks.
  void BeginInformHostOfParamChange(int idx) override { beginEdit(static_cast<Steinberg::Vst::ParamID>(idx)); }
  void InformHostOfParamChange(int idx, double normalizedValue) override
  {
    performEdit(static_cast<Steinberg::Vst::ParamID>(idx), normalizedValue);
  }
  void EndInformHostOfParamChange(int idx) override { endEdit(static_cast<Steinberg::Vst::ParamID>(idx)); }
  void InformHostOfParameterDetailsChange() override
  {
    if (auto* handler = getComponentHandler())
      handler->restartComponent(Steinberg::Vst::kParamTitlesChanged);
  }
  void SetLatency(int latency) override
  {
    IPlugProcessor::SetLatency(latency);
    if (auto* handler = getComponentHandler())
      handler->restartComponent(Steinberg::Vst::kLatencyChanged);
  }

  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override
  {
    if (auto* host = getParameterObject(static_cast<Steinberg::Vst::ParamID>(paramIdx)))
      host->setNormalized(normalizedValue);
    APIBase::SendParameterValueFromUI(paramIdx, normalizedValue);
  }

  void DirtyParametersFromUI() override
  {
    UpdateParams(parameters, *this, GetBypassed());
    startGroupEdit();
    APIBase::DirtyParametersFromUI();
    finishGroupEdit();
  }

  void GetTrackColor(int& r, int& g, int& b) override { GetChannelColor(r, g, b); }
  void GetTrackName(WDL_String& str) override { str.Set(GetChannelName()); }
  int GetTrackIndex() override { return GetChannelIndex(); }
  void GetTrackNamespace(WDL_String& str) override { str.Set(GetChannelNamespace()); }
  int GetTrackNamespaceIndex() override { return GetChannelNamespaceIndex(); }

  OBJ_METHODS(IPlugVST3, SingleComponentEffect)
  DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IMidiMapping)
    DEF_INTERFACE(Steinberg::Vst::ChannelContext::IInfoListener)
  END_DEFINE_INTERFACES(SingleComponentEffect)
  REFCOUNT_METHODS(SingleComponentEffect)
};

} // namespace iplug
