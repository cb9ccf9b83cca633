// Everything of the one VST3 object that does not depend on the plug-in's editor delegate:
// processor and edit controller at once, on the SDK's single-component effect.
#pragma once

#include "iplug/IPlugAPIBaseCore.h"
#include "iplug/vst3/IPlugVST3ControllerBase.h"
#include "iplug/vst3/IPlugVST3ProcessorBase.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

namespace iplug
{

/** The VST3 interfaces of a plug-in object, implemented over the API core, the processor half
 *  and the controller half. The template IPlugVST3 joins it to the plug-in's editor delegate. */
class IPlugVST3Core : public IPlugAPIBaseCore,
                      public IPlugVST3ProcessorBase,
                      public IPlugVST3ControllerBase,
                      public Steinberg::Vst::SingleComponentEffect,
                      public Steinberg::Vst::IMidiMapping,
                      public Steinberg::Vst::ChannelContext::IInfoListener
{
public:
  /** Starts the framework timer last. */
  IPlugVST3Core(IEditorDelegate& delegate, const Config& config, EAPI plugAPI);

  // Steinberg::IPluginBase / IComponent
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  Steinberg::tresult PLUGIN_API terminate() override;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  /** The plug-in's state chunk, then the bypass flag. */
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;

  // IAudioProcessor
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;

  // IEditController
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID tag) override;
  /** The preset parameter recalls a preset; a plug-in parameter also reaches the plug-in. */
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                   Steinberg::Vst::ParamValue value) override;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;

  // IUnitInfo
  Steinberg::int32 PLUGIN_API getProgramListCount() override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;

  // IMidiMapping
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(Steinberg::int32 busIndex, Steinberg::int16 channel,
                                                            Steinberg::Vst::CtrlNumber midiCCNumber,
                                                            Steinberg::Vst::ParamID& tag) override;

  // IInfoListener
  Steinberg::tresult PLUGIN_API setChannelContextInfos(Steinberg::Vst::IAttributeList* list) override;

  // The API core's host hooks.
  void BeginInformHostOfParamChange(int idx) override;
  void InformHostOfParamChange(int idx, double normalizedValue) override;
  void EndInformHostOfParamChange(int idx) override;
  void InformHostOfParameterDetailsChange() override;
  void SetLatency(int latency) override;
  void GetTrackColor(int& r, int& g, int& b) override;
  void GetTrackName(WDL_String& str) override;
  int GetTrackIndex() override;
  void GetTrackNamespace(WDL_String& str) override;
  int GetTrackNamespaceIndex() override;

  // The editor's edits also move the host-side parameters.
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void DirtyParametersFromUI() override;

  /** Asks the host to resize the editor view when the size changes, and stores the size. */
  bool EditorResize(int viewWidth, int viewHeight) override;

  /** The host's handler, through which the editor asks for the host's context menu; may be null. */
  Steinberg::Vst::IComponentHandler* GetComponentHandler() const { return getComponentHandler(); }
  /** Asks the host, through its handler, for its menu for the parameter while it shows our view. */
  Steinberg::Vst::IContextMenu* CreateHostContextMenuForParam(int paramIdx);

  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IMidiMapping)
  DEF_INTERFACE(Steinberg::Vst::ChannelContext::IInfoListener)
  END_DEFINE_INTERFACES(SingleComponentEffect)
  REFCOUNT_METHODS(SingleComponentEffect)
};

} // namespace iplug
