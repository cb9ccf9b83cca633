// The audio-processor half of a VST3 instance: buses, processing set-up and the per-block road
// from the host's process call to the plug-in's ProcessBlock.
#pragma once

#include "iplug/IPlugEditorDelegate.h"
#include "iplug/IPlugHost.h"
#include "iplug/IPlugMidi.h"
#include "iplug/IPlugProcessor.h"
#include "iplug/IPlugQueue.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

namespace iplug
{

class IPlugVST3ProcessorBase : public IPlugProcessor
{
public:
  /** plug is the object this processor belongs to; the queues are its editor <-> processor MIDI. */
  IPlugVST3ProcessorBase(const Config& config, IEditorDelegate& plug, IPlugQueue<IMidiMsg>& midiFromEditor,
                         IPlugQueue<IMidiMsg>& midiFromProcessor);

  /** Adds the audio buses of the widest configurations and the MIDI event buses. */
  void CreateBuses(Steinberg::Vst::SingleComponentEffect& effect);
  bool SetBusArrangements(Steinberg::Vst::SingleComponentEffect& effect, EHost host,
                          Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                          Steinberg::Vst::SpeakerArrangement* outputs, Steinberg::int32 numOuts);
  /** False, changing nothing, for a sample size other than 32 or 64 bits or a rate that is not
   *  a positive number. */
  bool SetupProcessing(const Steinberg::Vst::ProcessSetup& setup);
  void SetProcessing(bool state);
  static bool CanProcessSampleSize(Steinberg::int32 symbolicSampleSize);
  /** One block: transport, parameter changes, MIDI in, audio, MIDI out. */
  void Process(Steinberg::Vst::ProcessData& data, Steinberg::Vst::BusList& audioInputs,
               Steinberg::Vst::BusList& audioOutputs);

  bool SendMidiMsg(const IMidiMsg& msg) override;

private:
  void AddAudioBuses(Steinberg::Vst::SingleComponentEffect& effect, ERoute direction, int configIdx);
  void PrepareProcessContext(Steinberg::Vst::ProcessData& data);
  void ProcessParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ProcessMidiIn(Steinberg::Vst::IEventList* events);
  void ProcessAudio(Steinberg::Vst::ProcessData& data, Steinberg::Vst::BusList& audioInputs,
                    Steinberg::Vst::BusList& audioOutputs);
  void ConnectInputs(Steinberg::Vst::ProcessData& data, Steinberg::Vst::BusList& audioInputs);
  void ConnectOutputs(Steinberg::Vst::ProcessData& data, Steinberg::Vst::BusList& audioOutputs);
  void ProcessMidiOut(Steinberg::Vst::IEventList* events, int nFrames);

  int mMaxNInChans;
  IEditorDelegate& mPlug;
  IPlugQueue<IMidiMsg>& mMidiFromEditor;
  IPlugQueue<IMidiMsg>& mMidiFromProcessor;
  Steinberg::Vst::ProcessSetup mProcessSetup{};
  Steinberg::Vst::ProcessContext mProcessContext{};
  IMidiQueueBase mMidiOutputQueue;
  bool mSidechainActive = false;
  bool mInputsGiven = true; // the constructor marks every input connected
};

} // namespace iplug
