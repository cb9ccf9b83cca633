#include "iplug/vst3/IPlugVST3ControllerBase.h"

#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3Parameter.h"
#include "iplug/vst3/IPlugVST3Utilities.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"

namespace iplug
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

double Clamp01(double v)
{
  return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0;
}

void AddUnit(EditControllerEx1& controller, const char* name, UnitID id, UnitID parent)
{
  String128 name16{};
  UTF8ToUTF16Fixed(name16, 128, name);
  controller.addUnit(new Unit(name16, id, parent));
}

} // namespace

void IPlugVST3ControllerBase::Initialize(EditControllerEx1& controller, ParameterContainer& parameters,
                                         IEditorDelegate& plug, bool isInstrument, bool midiIn,
                                         const AddParamGroupFunc& addParamGroup)
{
  AddUnit(controller, "Root", kRootUnitId, kNoParentUnitId);

  if (!isInstrument)
    parameters.addParameter(new IPlugVST3BypassParameter());

  for (int i = 0; i < plug.NParams(); ++i)
  {
    IParam* param = plug.GetParam(i);
    UnitID unitID = kRootUnitId;
    const char* group = param->GetGroup();
    if (group && *group)
    {
      const int nGroupsBefore = controller.getUnitCount() - 1;
      const int groupIdx = addParamGroup(group);
      unitID = groupIdx + 1;
      if (groupIdx >= nGroupsBefore)
        AddUnit(controller, group, unitID, kRootUnitId);
    }
    parameters.addParameter(new IPlugVST3Parameter(param, static_cast<ParamID>(i), unitID));
  }

  if (!midiIn)
    return;
  const UnitID midiUnit = controller.getUnitCount() + 1;
  AddUnit(controller, "MIDI CCs", midiUnit, kRootUnitId);
  for (int channel = 0; channel < kNumRegisteredCCChannels; ++channel)
  {
    WDL_String channelName;
    channelName.SetFormatted(32, "CH%i", channel + 1);
    const UnitID channelUnit = controller.getUnitCount() + 1;
    AddUnit(controller, channelName.Get(), channelUnit, midiUnit);
    for (int k = 0; k < kCountCCParams; ++k)
    {
      const ParamID id = kMIDICCParamStartIdx + static_cast<ParamID>(channel * kCountCCParams + k);
      const char* name = k == kAftertouchCCParam  ? "Channel Aftertouch"
                         : k == kPitchBendCCParam ? "Pitch Bend"
                                                  : IMidiMsg::CCNameStr(k);
      String128 name16{};
      UTF8ToUTF16Fixed(name16, 128, name);
      const double defaultValue = k == kPitchBendCCParam ? 0.5 : 0.0;
      parameters.addParameter(name16, nullptr, 0, defaultValue, 0, static_cast<int32>(id), channelUnit);
    }
  }
}

void IPlugVST3ControllerBase::SetPlugParamFromHost(IEditorDelegate& plug, int paramIdx, double normalized)
{
  IParam* param = plug.GetParam(paramIdx);
  if (!param)
    return;
  param->Set(param->Constrain(param->FromNormalized(Clamp01(normalized))));
  plug.OnParamChangeUI(paramIdx, kHost);
  plug.SendParameterValueFromDelegate(paramIdx, normalized, true);
}

void IPlugVST3ControllerBase::UpdateParams(ParameterContainer& parameters, const IEditorDelegate& plug, bool bypassed)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    if (Parameter* host = parameters.getParameter(static_cast<ParamID>(i)))
      host->setNormalized(Clamp01(plug.GetParamNormalized(i)));
  }
  if (Parameter* bypass = parameters.getParameter(kBypassParam))
    bypass->setNormalized(bypassed ? 1.0 : 0.0);
}

bool IPlugVST3ControllerBase::GetMidiControllerAssignment(int32 busIndex, int16 channel, CtrlNumber midiCCNumber,
                                                          ParamID& tag)
{
  if (busIndex != 0 || channel < 0 || channel >= kNumRegisteredCCChannels || midiCCNumber < 0 ||
      midiCCNumber >= kCountCCParams)
    return false;
  tag = kMIDICCParamStartIdx + static_cast<ParamID>(channel * kCountCCParams + midiCCNumber);
  return true;
}

bool IPlugVST3ControllerBase::SetChannelContextInfos(IAttributeList* list)
{
  if (!list)
    return false;

  // Reads a text attribute whose length, when given, limits the characters taken.
  auto readText = [list](IAttributeList::AttrID lengthKey, IAttributeList::AttrID key, WDL_String& out) {
    int64 length = 128;
    list->getInt(lengthKey, length);
    String128 text{};
    if (list->getString(key, text, sizeof(text)) == kResultTrue)
      UTF16ToUTF8(out, text, static_cast<int>(length < 0 ? 0 : (length > 128 ? 128 : length)));
  };
  readText(ChannelContext::kChannelNameLengthKey, ChannelContext::kChannelNameKey, mChannelName);
  readText(ChannelContext::kChannelUIDLengthKey, ChannelContext::kChannelUIDKey, mChannelUID);
  readText(ChannelContext::kChannelIndexNamespaceLengthKey, ChannelContext::kChannelIndexNamespaceKey,
           mChannelNamespace);

  int64 value = 0;
  if (list->getInt(ChannelContext::kChannelIndexKey, value) == kResultTrue)
    mChannelIndex = static_cast<int32>(value);
  if (list->getInt(ChannelContext::kChannelIndexNamespaceOrderKey, value) == kResultTrue)
    mChannelNamespaceIndex = static_cast<int32>(value);
  if (list->getInt(ChannelContext::kChannelColorKey, value) == kResultTrue)
  {
    const auto color = static_cast<ChannelContext::ColorSpec>(value);
    mChannelColor[0] = ChannelContext::GetRed(color);
    mChannelColor[1] = ChannelContext::GetGreen(color);
    mChannelColor[2] = ChannelContext::GetBlue(color);
  }
  return true;
}

void IPlugVST3ControllerBase::GetChannelColor(int& r, int& g, int& b) const
{
  r = mChannelColor[0];
  g = mChannelColor[1];
  b = mChannelColor[2];
}

} // namespace iplug
