#pragma once

#include "iplug/IPlugAPIBaseCore.h"
#include "iplug/IPlugPluginBase.h"

namespace iplug
{

/** A plug-in object's editor delegate joined to the core that every API binding shares
 *  (IPlugAPIBaseCore: the timer, the queues, host identification and the host hooks).
 *
 *  The delegate's operations from the editor to the plug-in are implemented by the core. Each of
 *  the overrides below overrides the delegate's operation and the core's alike, so that a call
 *  through either reaches the plug-in's final override; by default that is the core's version.
 *  Core is IPlugAPIBaseCore or a core that builds on it for one API (IPlugVST3Core). */
template <class EditorDelegate, class Core = IPlugAPIBaseCore>
class IPlugAPIBase : public IPluginBase<EditorDelegate, Core>
{
public:
  IPlugAPIBase(const Config& config, EAPI plugAPI) : IPluginBase<EditorDelegate, Core>(config, plugAPI) {}

  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override
  {
    Core::SendParameterValueFromUI(paramIdx, normalizedValue);
  }
  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { Core::BeginInformHostOfParamChangeFromUI(paramIdx); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { Core::EndInformHostOfParamChangeFromUI(paramIdx); }
  void DirtyParametersFromUI() override { Core::DirtyParametersFromUI(); }
  bool EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize) override
  {
    return Core::EditorResizeFromUI(viewWidth, viewHeight, needsPlatformResize);
  }
  void SendMidiMsgFromUI(const IMidiMsg& msg) override { Core::SendMidiMsgFromUI(msg); }
  void SendSysexMsgFromUI(const ISysEx& msg) override { Core::SendSysexMsgFromUI(msg); }
  void SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* pData) override
  {
    Core::SendArbitraryMsgFromUI(msgTag, ctrlTag, dataSize, pData);
  }
  void DeferMidiMsg(const IMidiMsg& msg) override { Core::DeferMidiMsg(msg); }
  void DeferSysexMsg(const ISysEx& msg) override { Core::DeferSysexMsg(msg); }
};

} // namespace iplug
