#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "iplug/IPlugPluginBase.h"
#include "iplug/IPlugQueue.h"
#include "iplug/IPlugTimer.h"

namespace iplug
{

/** A parameter change on its way to the editor. */
struct ParamTuple
{
  int32_t idx = kNoParameter;
  double value = 0.0;
};

/** What every plug-in API binding needs: the 20 ms main-thread timer and the queues that cross
 *  between the audio thread and the editor, host identification, parameter changes from
 *  normalised editor values, and the hooks by which the binding informs its host. */
template <class EditorDelegate>
class IPlugAPIBase : public IPluginBase<EditorDelegate>
{
public:
  static constexpr int kParamChangeQueueSize = 512;
  static constexpr int kMidiQueueSize = 32;
  static constexpr int kSysExQueueSize = 4;

  IPlugAPIBase(const Config& config, EAPI plugAPI);
  ~IPlugAPIBase() override;

  /** Whether a parameter chunk at data (dataSize bytes, startPos counted in 64-bit values) holds
   *  the current values, compared at 32-bit float precision. False when it holds too few. */
  virtual bool CompareState(const uint8_t* data, int startPos, int dataSize) const;
  virtual bool OnHostRequestingAboutBox() { return false; }
  virtual bool OnHostRequestingProductHelp() { return false; }
  virtual void OnHostIdentified() {}
  virtual void OnHostRequestingImportantParameters(int count, WDL_TypedBuf<int>& results);
  virtual bool OnHostRequestingSupportedViewConfiguration(int width, int height) { return width + height == 0; }
  virtual void OnHostSelectedViewConfiguration(int, int) {}
  virtual bool GetMidiNoteText(int, char* text) const
  {
    if (text)
      *text = '\0';
    return false;
  }
  virtual void OnIdle() {}
  virtual void GetTrackColor(int& r, int& g, int& b) { r = g = b = 0; }
  virtual void GetTrackName(WDL_String&) {}
  virtual int GetTrackIndex() { return 0; }
  virtual void GetTrackNamespace(WDL_String&) {}
  virtual int GetTrackNamespaceIndex() { return 0; }
  /** Queues a value for the editor, dropped when the queue is full. */
  virtual void SendParameterValueFromAPI(int paramIdx, double value, bool normalized);
  virtual void HostSpecificInit() {}
  virtual bool EditorResize(int, int) { return false; }
  virtual void BeginInformHostOfParamChange(int) {}
  virtual void EndInformHostOfParamChange(int) {}
  virtual void InformHostOfParamChange(int, double) {}
  virtual void TransmitMidiMsgFromProcessor(const IMidiMsg&) {}
  virtual void TransmitSysExDataFromProcessor(const SysExData&) {}

  /** Stores a parameter from a normalised value (mapped, stepped, clamped), tells the host, then
   *  OnParamChange(kUI). */
  void SetParameterValue(int paramIdx, double normalizedValue);
  /** Stores the host's name and identifies the host, then HostSpecificInit and OnHostIdentified. */
  void SetHost(const char* host, int version);
  const char* GetHostName() const { return this->mHostName.Get(); }
  /** Starts the 20 ms timer that calls OnTimer, replacing any earlier one. */
  void CreateTimer();
  /** Hands processor MIDI and system-exclusive messages to the editor side, then OnIdle. */
  void OnTimer(Timer& t);

  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { BeginInformHostOfParamChange(paramIdx); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { EndInformHostOfParamChange(paramIdx); }
  void DirtyParametersFromUI() override;
  bool EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize) override;
  void SendMidiMsgFromUI(const IMidiMsg& msg) override { DeferMidiMsg(msg); }
  void SendSysexMsgFromUI(const ISysEx& msg) override { DeferSysexMsg(msg); }
  void SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* pData) override
  {
    this->OnMessage(msgTag, ctrlTag, dataSize, pData);
  }
  void DeferMidiMsg(const IMidiMsg& msg) override { mMidiMsgsFromEditor.Push(msg); }
  void DeferSysexMsg(const ISysEx& msg) override { mSysExDataFromEditor.Push(SysExData(msg)); }

  // The queues, each with one producer thread and one consumer thread.
  /** Editor -> processing: filled by DeferMidiMsg on the main thread. */
  IPlugQueue<IMidiMsg>& MidiMsgsFromEditor() { return mMidiMsgsFromEditor; }
  /** Processing -> editor: emptied by OnTimer on the main thread. */
  IPlugQueue<IMidiMsg>& MidiMsgsFromProcessor() { return mMidiMsgsFromProcessor; }
  IPlugQueue<SysExData>& SysExDataFromEditor() { return mSysExDataFromEditor; }
  IPlugQueue<SysExData>& SysExDataFromProcessor() { return mSysExDataFromProcessor; }
  IPlugQueue<ParamTuple>& ParamChangesFromAPI() { return mParamChangeFromProcessor; }

private:
  std::unique_ptr<Timer> mTimer;
  IPlugQueue<ParamTuple> mParamChangeFromProcessor{kParamChangeQueueSize};
  IPlugQueue<IMidiMsg> mMidiMsgsFromEditor{kMidiQueueSize};
  IPlugQueue<IMidiMsg> mMidiMsgsFromProcessor{kMidiQueueSize};
  IPlugQueue<SysExData> mSysExDataFromEditor{kSysExQueueSize};
  IPlugQueue<SysExData> mSysExDataFromProcessor{kSysExQueueSize};
  SysExData mSysexBuf;
};

template <class EditorDelegate>
IPlugAPIBase<EditorDelegate>::IPlugAPIBase(const Config& config, EAPI plugAPI)
  : IPluginBase<EditorDelegate>(config, plugAPI)
{
  StampStartTime();
}

template <class EditorDelegate>
IPlugAPIBase<EditorDelegate>::~IPlugAPIBase()
{
  // The timer goes first, so that no tick can reach a half-destroyed plug-in.
  if (mTimer)
    mTimer->Stop();
  mTimer.reset();
}

template <class EditorDelegate>
bool IPlugAPIBase<EditorDelegate>::CompareState(const uint8_t* data, int startPos, int dataSize) const
{
  const int n = this->NParams();
  if (n == 0)
    return true;
  if (!data || startPos < 0 || dataSize < 0)
    return false;
  const int64_t needed = (int64_t{startPos} + n) * static_cast<int64_t>(sizeof(double));
  if (needed > dataSize)
    return false;

  for (int i = 0; i < n; ++i)
  {
    double stored = 0.0;
    std::memcpy(&stored, data + (static_cast<size_t>(startPos) + static_cast<size_t>(i)) * sizeof(double),
                sizeof(double));
    const float a = static_cast<float>(stored);
    const float b = static_cast<float>(this->GetParam(i)->Value());
    if (!(std::fabs(a - b) < 1e-5f))
      return false;
  }
  return true;
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::OnHostRequestingImportantParameters(int count, WDL_TypedBuf<int>& results)
{
  if (count >= 1 && count < this->NParams())
    for (int i = 0; i < count; ++i)
      results.Add(i);
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::SendParameterValueFromAPI(int paramIdx, double value, bool normalized)
{
  const IParam* param = this->GetParam(paramIdx);
  if (!param)
    return;
  ParamTuple change;
  change.idx = paramIdx;
  change.value = normalized ? param->FromNormalized(value) : value;
  mParamChangeFromProcessor.Push(change);
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::SetParameterValue(int paramIdx, double normalizedValue)
{
  IParam* param = this->GetParam(paramIdx);
  if (!param)
    return;
  param->Set(param->Constrain(param->FromNormalized(normalizedValue)));
  InformHostOfParamChange(paramIdx, normalizedValue);
  this->OnParamChange(paramIdx, kUI, -1);
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::SetHost(const char* host, int version)
{
  this->mHostName.Set(host ? host : "");
  this->mHost = LookUpHost(host);
  this->mHostVersion = version;
  HostSpecificInit();
  OnHostIdentified();
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::CreateTimer()
{
  mTimer.reset();
  mTimer.reset(Timer::Create([this](Timer& t) { OnTimer(t); }, IDLE_TIMER_RATE_MS));
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::OnTimer(Timer&)
{
  IMidiMsg msg;
  while (mMidiMsgsFromProcessor.Pop(msg))
    this->SendMidiMsgFromDelegate(msg);

  while (mSysExDataFromProcessor.Pop(mSysexBuf))
    this->SendSysexMsgFromDelegate(ISysEx(mSysexBuf.mOffset, mSysexBuf.mData, mSysexBuf.mSize));

  OnIdle();
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  if (!this->GetParam(paramIdx))
    return;
  SetParameterValue(paramIdx, normalizedValue);
  this->OnParamChangeUI(paramIdx, kUI);
}

template <class EditorDelegate>
void IPlugAPIBase<EditorDelegate>::DirtyParametersFromUI()
{
  for (int i = 0; i < this->NParams(); ++i)
    InformHostOfParamChange(i, this->GetParamNormalized(i));
}

template <class EditorDelegate>
bool IPlugAPIBase<EditorDelegate>::EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize)
{
  return needsPlatformResize ? EditorResize(viewWidth, viewHeight) : true;
}

} // namespace iplug
