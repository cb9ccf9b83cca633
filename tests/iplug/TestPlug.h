#pragma once

#include <string>
#include <vector>

#include "iplug/IPlugAPIBase.h"

namespace iplug::test
{

/** A plug-in object on the framework bases that records what reaches its hooks. */
class TestPlug : public IPlugAPIBase<IEditorDelegate>
{
public:
  explicit TestPlug(const Config& config) : IPlugAPIBase<IEditorDelegate>(config, kAPIVST3) {}

  void OnParamChange(int paramIdx, EParamSource source, int sampleOffset) override
  {
    events.push_back("change " + std::to_string(paramIdx) + " " + std::to_string(source) + " " +
                     std::to_string(sampleOffset));
  }
  void OnParamChangeUI(int paramIdx, EParamSource source) override
  {
    events.push_back("changeUI " + std::to_string(paramIdx) + " " + std::to_string(source));
  }
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
  {
    delegateValues.push_back(value);
    IPlugAPIBase<IEditorDelegate>::SendParameterValueFromDelegate(paramIdx, value, normalized);
  }
  bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void*) override
  {
    events.push_back("message " + std::to_string(msgTag) + " " + std::to_string(ctrlTag) + " " +
                     std::to_string(dataSize));
    return true;
  }
  void OnMidiMsgUI(const IMidiMsg& msg) override { events.push_back("midi " + std::to_string(msg.mData1)); }
  void OnSysexMsgUI(const ISysEx& msg) override { events.push_back("sysex " + std::to_string(msg.mSize)); }
  void OnIdle() override { events.push_back("idle"); }
  void OnRestoreState() override { events.push_back("restore"); }
  void InformHostOfParamChange(int idx, double normalized) override
  {
    events.push_back("host " + std::to_string(idx));
    informedNormalized.push_back(normalized);
  }
  void HostSpecificInit() override { events.push_back("hostInit"); }
  void OnHostIdentified() override { events.push_back("hostIdentified"); }
  void BeginInformHostOfParamChange(int idx) override { events.push_back("begin " + std::to_string(idx)); }
  void EndInformHostOfParamChange(int idx) override { events.push_back("end " + std::to_string(idx)); }

  std::vector<std::string> events;
  std::vector<double> delegateValues;
  std::vector<double> informedNormalized;
};

inline Config MakeTestConfig(int nParams, int nPresets = 1, bool chunks = false)
{
  Config config;
  config.nParams = nParams;
  config.nPresets = nPresets;
  config.channelIOStr = "0-2";
  config.pluginName = "TestPlug";
  config.mfrName = "Tester";
  config.vendorVersion = 0x00010203;
  config.uniqueID = 0x54737431;
  config.plugDoesChunks = chunks;
  return config;
}

} // namespace iplug::test
