// A Brimvale instance whose messages to its editor are recorded instead of delivered, and which
// can open an editor on a surface without a platform (the plug-in only needs one to exist).
#pragma once

#include "plugin/Brimvale.h"

#include "tests/igraphics/RecordingGraphics.h"

#include <memory>
#include <vector>

struct ControlMsg
{
  int ctrlTag;
  int msgTag;
  std::vector<unsigned char> data;
};

class ObservedBrimvale : public Brimvale
{
public:
  ObservedBrimvale() : Brimvale(iplug::InstanceInfo()) {}

  /** Opens an editor whose surface holds no controls. */
  bool OpenEditor()
  {
    SetMakeGraphicsFunc([this] { return new OpenSurface(surfaceLog, *this); });
    SetLayoutFunc({});
    return OpenWindow(nullptr) != nullptr;
  }

  void SendControlValueFromDelegate(int ctrlTag, double normalized) override
  {
    controlValues.push_back({ctrlTag, normalized});
  }
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData) override
  {
    const auto* bytes = static_cast<const unsigned char*>(pData);
    controlMsgs.push_back({ctrlTag, msgTag, std::vector<unsigned char>(bytes, bytes + dataSize)});
  }
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
  {
    parameterSends.push_back({paramIdx, normalized ? value : -1.0});
  }
  const ControlMsg* LastMsg(int msgTag) const
  {
    for (auto it = controlMsgs.rbegin(); it != controlMsgs.rend(); ++it)
      if (it->msgTag == msgTag)
        return &*it;
    return nullptr;
  }
  void Forget()
  {
    controlValues.clear();
    controlMsgs.clear();
    parameterSends.clear();
  }

  std::vector<std::pair<int, double>> controlValues;
  std::vector<ControlMsg> controlMsgs;
  std::vector<std::pair<int, double>> parameterSends;

private:
  class OpenSurface : public iplug::igraphics::RecordingGraphics
  {
  public:
    OpenSurface(EventLog& log, iplug::igraphics::IGEditorDelegate& dlg) : RecordingGraphics(log, dlg, 1480, 360) {}
    void* OpenWindow(void*) override { return this; }
  };
  EventLog surfaceLog;
};

// The object is reference counted, like every VST3 object.
struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};
using ObservedPtr = std::unique_ptr<ObservedBrimvale, ReleasePlug>;
inline ObservedPtr MakeObserved()
{
  return ObservedPtr(new ObservedBrimvale());
}
