#pragma once

#include <cstdint>
#include <memory>

#include "iplug/IPlugPluginBaseCore.h"
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
 *  normalised editor values, and the hooks by which the binding informs its host.
 *
 *  The template IPlugAPIBase joins it to the plug-in's editor delegate and routes the delegate's
 *  editor-side operations (the last group below) here. */
class IPlugAPIBaseCore : public IPluginBaseCore
{
public:
  static constexpr int kParamChangeQueueSize = 512;
  static constexpr int kMidiQueueSize = 32;
  static constexpr int kSysExQueueSize = 4;

  IPlugAPIBaseCore(IEditorDelegate& delegate, const Config& config, EAPI plugAPI);
  ~IPlugAPIBaseCore() override;

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
  const char* GetHostName() const { return mHostName.Get(); }
  /** Starts the 20 ms timer that calls OnTimer, replacing any earlier one. */
  void CreateTimer();
  /** Hands processor MIDI and system-exclusive messages to the editor side, then OnIdle. */
  void OnTimer(Timer& t);

  // The editor delegate's operations from the editor to the plug-in, as every API binding does them.
  virtual void SendParameterValueFromUI(int paramIdx, double normalizedValue);
  virtual void BeginInformHostOfParamChangeFromUI(int paramIdx) { BeginInformHostOfParamChange(paramIdx); }
  virtual void EndInformHostOfParamChangeFromUI(int paramIdx) { EndInformHostOfParamChange(paramIdx); }
  virtual void DirtyParametersFromUI();
  virtual bool EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize);
  virtual void SendMidiMsgFromUI(const IMidiMsg& msg) { DeferMidiMsg(msg); }
  virtual void SendSysexMsgFromUI(const ISysEx& msg) { DeferSysexMsg(msg); }
  virtual void SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* pData);
  virtual void DeferMidiMsg(const IMidiMsg& msg) { mMidiMsgsFromEditor.Push(msg); }
  virtual void DeferSysexMsg(const ISysEx& msg) { mSysExDataFromEditor.Push(SysExData(msg)); }

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

} // namespace iplug
