// The edit-controller half of a VST3 instance: host-visible parameters and units, host edits into
// plug-in values, MIDI controller proxies and the host's channel context.
#pragma once

#include "iplug/IPlugEditorDelegate.h"
#include "iplug/wdl/WdlString.h"

#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <functional>

namespace iplug
{

class IPlugVST3View;

class IPlugVST3ControllerBase
{
public:
  /** Returns the 0-based position of a parameter group, adding it when new. */
  using AddParamGroupFunc = std::function<int(const char* group)>;

  IPlugVST3ControllerBase() = default;
  IPlugVST3ControllerBase(const IPlugVST3ControllerBase&) = delete;
  IPlugVST3ControllerBase& operator=(const IPlugVST3ControllerBase&) = delete;

  /** Units, the plug-in's parameters (ids 0..n-1), bypass for effects, and the MIDI proxies. */
  void Initialize(Steinberg::Vst::EditControllerEx1& controller, Steinberg::Vst::ParameterContainer& parameters,
                  IEditorDelegate& plug, bool isInstrument, bool midiIn, const AddParamGroupFunc& addParamGroup);

  /** A host edit of a plug-in parameter: stores it, tells the plug-in and moves its controls. */
  void SetPlugParamFromHost(IEditorDelegate& plug, int paramIdx, double normalized);

  /** Every host-side parameter takes its plug-in parameter's value; bypass takes bypassed. */
  void UpdateParams(Steinberg::Vst::ParameterContainer& parameters, const IEditorDelegate& plug, bool bypassed);

  static bool GetMidiControllerAssignment(Steinberg::int32 busIndex, Steinberg::int16 channel,
                                          Steinberg::Vst::CtrlNumber midiCCNumber, Steinberg::Vst::ParamID& tag);

  bool SetChannelContextInfos(Steinberg::Vst::IAttributeList* list);

  // The host's channel context, as last reported.
  void GetChannelColor(int& r, int& g, int& b) const;
  const char* GetChannelName() const { return mChannelName.Get(); }
  const char* GetChannelUID() const { return mChannelUID.Get(); }
  int GetChannelIndex() const { return mChannelIndex; }
  const char* GetChannelNamespace() const { return mChannelNamespace.Get(); }
  int GetChannelNamespaceIndex() const { return mChannelNamespaceIndex; }

  /** The editor view while it exists; not owned: the host owns it, and it forgets itself here
   *  when it is destroyed. */
  IPlugVST3View* GetView() const { return mView; }
  void SetView(IPlugVST3View* view) { mView = view; }

private:
  WDL_String mChannelName;
  WDL_String mChannelUID;
  WDL_String mChannelNamespace;
  Steinberg::int32 mChannelIndex = 0;
  Steinberg::int32 mChannelNamespaceIndex = 0;
  Steinberg::uint8 mChannelColor[3] = {0, 0, 0};
  IPlugVST3View* mView = nullptr;
};

} // namespace iplug
