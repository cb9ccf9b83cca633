#include "iplug/vst3/IPlugVST3ProcessorBase.h"

#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3Utilities.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace iplug
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// A normalised value from the host, with NaN taken as 0.
double HostNormalized(double value)
{
  return value > 0.0 ? (value < 1.0 ? value : 1.0) : 0.0;
}

// Whether the host gave a usable buffer for every channel of a bus.
template <typename Sample>
bool HasAllBuffers(Sample** buffers, int32 nChans)
{
  if (!buffers)
    return false;
  for (int32 c = 0; c < nChans; ++c)
  {
    if (!buffers[c])
      return false;
  }
  return true;
}

} // namespace

IPlugVST3ProcessorBase::IPlugVST3ProcessorBase(const Config& config, IEditorDelegate& plug,
                                               IPlugQueue<IMidiMsg>& midiFromEditor,
                                               IPlugQueue<IMidiMsg>& midiFromProcessor)
: IPlugProcessor(config)
, mMaxNInChans(MaxNChannelsForBus(kInput, 0))
, mPlug(plug)
, mMidiFromEditor(midiFromEditor)
, mMidiFromProcessor(midiFromProcessor)
{
  SetChannelConnections(kInput, 0, MaxNChannels(kInput), true);
  SetChannelConnections(kOutput, 0, MaxNChannels(kOutput), true);
  InitLatencyDelay();
  SetBlockSize(512);
}

void IPlugVST3ProcessorBase::AddAudioBuses(SingleComponentEffect& effect, ERoute direction, int configIdx)
{
  const IOConfig* config = GetIOConfig(configIdx);
  if (!config)
    return;
  const int nBuses = config->NBuses(direction);
  for (int i = 0; i < nBuses; ++i)
  {
    WDL_String name;
    GetBusName(direction, i, nBuses, name);
    String128 name16{};
    UTF8ToUTF16Fixed(name16, 128, name.Get());
    const SpeakerArrangement arr = GetVSTSpeakerArrangement(config->GetBusInfo(direction, i)->mNChans);
    const BusType type = i == 0 ? kMain : kAux;
    const int32 flags = i == 0 ? BusInfo::kDefaultActive : 0;
    if (direction == kInput)
      effect.addAudioInput(name16, arr, type, flags);
    else
      effect.addAudioOutput(name16, arr, type, flags);
  }
}

void IPlugVST3ProcessorBase::CreateBuses(SingleComponentEffect& effect)
{
  int inConfigIdx = 0, outConfigIdx = 0;
  MaxNBuses(kInput, &inConfigIdx);
  const int nOutBuses = MaxNBuses(kOutput, &outConfigIdx);
  AddAudioBuses(effect, kInput, inConfigIdx);
  AddAudioBuses(effect, kOutput, outConfigIdx);

  if (GetPluginType() == kMIDIEffect && nOutBuses == 0)
    effect.addAudioOutput(STR16("Dummy Output"), SpeakerArr::kEmpty, kMain, 0);
  if (DoesMIDIIn())
    effect.addEventInput(STR16("MIDI Input"), 1, kMain, BusInfo::kDefaultActive);
  if (DoesMIDIOut())
    effect.addEventOutput(STR16("MIDI Output"), 1, kMain, BusInfo::kDefaultActive);
}

bool IPlugVST3ProcessorBase::SetBusArrangements(SingleComponentEffect& effect, EHost host, SpeakerArrangement* inputs,
                                                int32 numIns, SpeakerArrangement* outputs, int32 numOuts)
{
  if (host == kHostArdour || host == kHostMixbus)
    return true;

  SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);
  SetChannelConnections(kOutput, 0, MaxNChannels(kOutput), false);

  if (numIns < 0 || numOuts < 0 || numIns > MaxNBuses(kInput) || numOuts > MaxNBuses(kOutput))
    return false;
  if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
    return false;

  std::vector<int> inChans, outChans;
  for (int32 i = 0; i < numIns; ++i)
    inChans.push_back(SpeakerArr::getChannelCount(inputs[i]));
  for (int32 i = 0; i < numOuts; ++i)
    outChans.push_back(SpeakerArr::getChannelCount(outputs[i]));

  const int configIdx = GetIOConfigWithChanCounts(inChans, outChans);
  if (configIdx < 0)
    return false;

  effect.removeAudioBusses();
  AddAudioBuses(effect, kInput, configIdx);
  AddAudioBuses(effect, kOutput, configIdx);
  return true;
}

bool IPlugVST3ProcessorBase::SetupProcessing(const ProcessSetup& setup)
{
  // A rate that is not a positive number would reach every rate-dependent computation.
  if (!CanProcessSampleSize(setup.symbolicSampleSize) || !(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate))
    return false;
  mProcessSetup = setup;
  SetSampleRate(setup.sampleRate);
  SetBlockSize(std::max(setup.maxSamplesPerBlock, 0));
  mMidiOutputQueue.Resize(std::max(setup.maxSamplesPerBlock, 1));
  OnReset();
  return true;
}

void IPlugVST3ProcessorBase::SetProcessing(bool state)
{
  if (!state)
    OnReset();
}

bool IPlugVST3ProcessorBase::CanProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64;
}

bool IPlugVST3ProcessorBase::SendMidiMsg(const IMidiMsg& msg)
{
  // Offsets from ProcessBlock count from its piece of the host's block.
  IMidiMsg inBlock = msg;
  inBlock.mOffset += GetPieceStart();
  mMidiOutputQueue.Add(inBlock);
  return true;
}

void IPlugVST3ProcessorBase::PrepareProcessContext(ProcessData& data)
{
  if (data.processContext)
    mProcessContext = *data.processContext;

  ITimeInfo timeInfo;
  const ProcessContext& c = mProcessContext;
  timeInfo.mTempo = c.tempo;
  timeInfo.mSamplePos = (c.state & ProcessContext::kProjectTimeMusicValid) ? static_cast<double>(c.projectTimeSamples)
                                                                           : -1.0;
  timeInfo.mPPQPos = c.projectTimeMusic;
  timeInfo.mLastBar = c.barPositionMusic;
  timeInfo.mCycleStart = c.cycleStartMusic;
  timeInfo.mCycleEnd = c.cycleEndMusic;
  timeInfo.mNumerator = c.timeSigNumerator;
  timeInfo.mDenominator = c.timeSigDenominator;
  timeInfo.mTransportIsRunning = (c.state & ProcessContext::kPlaying) != 0;
  timeInfo.mTransportLoopEnabled = (c.state & ProcessContext::kCycleActive) != 0;
  SetTimeInfo(timeInfo);
  SetRenderingOffline(data.processMode == kOffline);
}

void IPlugVST3ProcessorBase::ProcessParameterChanges(IParameterChanges* changes)
{
  if (!changes)
    return;
  const int32 nQueues = changes->getParameterCount();
  for (int32 q = 0; q < nQueues; ++q)
  {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue)
      continue;
    const int32 nPoints = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    if (nPoints < 1 || queue->getPoint(nPoints - 1, offset, value) != kResultTrue)
      continue;
    value = HostNormalized(value);
    const ParamID id = queue->getParameterId();
    if (id == kBypassParam)
    {
      SetBypassed(value > 0.5);
    }
    else if (id < static_cast<ParamID>(mPlug.NParams()))
    {
      IParam* param = mPlug.GetParam(static_cast<int>(id));
      param->Set(param->Constrain(param->FromNormalized(value)));
      mPlug.OnParamChange(static_cast<int>(id), kHost, offset);
    }
    else
    {
      IMidiMsg msg;
      if (DoesMIDIIn() && MidiMsgFromProxyParam(id, value, offset, msg))
      {
        mMidiFromProcessor.Push(msg);
        ProcessMidiMsg(msg);
      }
    }
  }
}

void IPlugVST3ProcessorBase::ProcessMidiIn(IEventList* events)
{
  if (!DoesMIDIIn())
    return;
  if (events)
  {
    const int32 nEvents = events->getEventCount();
    for (int32 i = 0; i < nEvents; ++i)
    {
      Event event{};
      if (events->getEvent(i, event) != kResultOk)
        continue;
      IMidiMsg msg;
      if (MidiMsgFromEvent(event, msg))
      {
        ProcessMidiMsg(msg);
        mMidiFromProcessor.Push(msg);
      }
      else if (event.type == Event::kDataEvent && event.data.type == DataEvent::kMidiSysEx && event.data.bytes)
      {
        ProcessSysEx(ISysEx(event.sampleOffset, event.data.bytes, static_cast<int>(event.data.size)));
      }
    }
  }
  IMidiMsg msg;
  while (mMidiFromEditor.Pop(msg))
    ProcessMidiMsg(msg);
}

void IPlugVST3ProcessorBase::ConnectInputs(ProcessData& data, BusList& audioInputs)
{
  const bool hostGivesInputs = data.numInputs > 0 && data.inputs;
  if (!hostGivesInputs && mInputsGiven)
  {
    // Unconnected inputs read the scratch buffers, which must not replay the last input.
    SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);
    ZeroScratchBuffers();
  }
  mInputsGiven = hostGivesInputs;
  if (!hostGivesInputs)
    return;
  const bool is32 = data.symbolicSampleSize == kSample32;
  SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);

  const AudioBusBuffers& main = data.inputs[0];
  const bool mainOk = is32 ? HasAllBuffers(main.channelBuffers32, main.numChannels)
                           : HasAllBuffers(main.channelBuffers64, main.numChannels);
  if (mainOk)
  {
    SetChannelConnections(kInput, 0, main.numChannels, true);
    if (is32)
      AttachBuffers(kInput, 0, main.numChannels, main.channelBuffers32, data.numSamples);
    else
      AttachBuffers(kInput, 0, main.numChannels, main.channelBuffers64, data.numSamples);
  }

  if (data.numInputs < 2)
    return;
  const bool sidechainActive = audioInputs.size() > 1 && audioInputs[1]->isActive();
  const AudioBusBuffers& side = data.inputs[1];
  const bool sideOk = is32 ? HasAllBuffers(side.channelBuffers32, side.numChannels)
                           : HasAllBuffers(side.channelBuffers64, side.numChannels);
  if (sidechainActive && sideOk)
  {
    mSidechainActive = true;
    SetChannelConnections(kInput, mMaxNInChans, side.numChannels, true);
    if (is32)
      AttachBuffers(kInput, mMaxNInChans, side.numChannels, side.channelBuffers32, data.numSamples);
    else
      AttachBuffers(kInput, mMaxNInChans, side.numChannels, side.channelBuffers64, data.numSamples);
  }
  else if (mSidechainActive)
  {
    ZeroScratchBuffers();
    mSidechainActive = false;
  }
}

void IPlugVST3ProcessorBase::ConnectOutputs(ProcessData& data, BusList& audioOutputs)
{
  const bool is32 = data.symbolicSampleSize == kSample32;
  const int maxChans = MaxNChannels(kOutput);
  int chanOffset = 0;
  for (int32 b = 0; data.outputs && b < data.numOutputs && chanOffset < maxChans; ++b)
  {
    const AudioBusBuffers& bus = data.outputs[b];
    const int nChans = std::min<int>(std::max<int32>(bus.numChannels, 0), maxChans - chanOffset);
    const bool buffersOk = is32 ? HasAllBuffers(bus.channelBuffers32, nChans)
                                : HasAllBuffers(bus.channelBuffers64, nChans);
    const bool active = static_cast<size_t>(b) < audioOutputs.size() && audioOutputs[b]->isActive();
    SetChannelConnections(kOutput, chanOffset, nChans, active && buffersOk);
    SetChannelConnections(kOutput, chanOffset + nChans, maxChans - (chanOffset + nChans), false);
    if (active && buffersOk)
    {
      if (is32)
        AttachBuffers(kOutput, chanOffset, nChans, bus.channelBuffers32, data.numSamples);
      else
        AttachBuffers(kOutput, chanOffset, nChans, bus.channelBuffers64, data.numSamples);
    }
    chanOffset += nChans;
  }
  if (chanOffset == 0)
    SetChannelConnections(kOutput, 0, maxChans, false);
}

void IPlugVST3ProcessorBase::ProcessAudio(ProcessData& data, BusList& audioInputs, BusList& audioOutputs)
{
  if (!CanProcessSampleSize(data.symbolicSampleSize) || data.numSamples < 1)
    return;
  ConnectInputs(data, audioInputs);
  ConnectOutputs(data, audioOutputs);
  const int nFrames = data.numSamples;
  if (data.symbolicSampleSize == kSample32)
  {
    if (GetBypassed())
      PassThroughBuffers(0.0f, nFrames);
    else
      ProcessBuffers(0.0f, nFrames);
  }
  else
  {
    if (GetBypassed())
      PassThroughBuffers(0.0, nFrames);
    else
      ProcessBuffers(0.0, nFrames);
  }
}

void IPlugVST3ProcessorBase::Process(ProcessData& data, BusList& audioInputs, BusList& audioOutputs)
{
  PrepareProcessContext(data);
  ProcessParameterChanges(data.inputParameterChanges);
  ProcessMidiIn(data.inputEvents);
  ProcessAudio(data, audioInputs, audioOutputs);
  if (DoesMIDIOut())
    ProcessMidiOut(data.outputEvents, std::max(data.numSamples, 0));
  else
    mMidiOutputQueue.Clear(); // nothing would ever take these messages, so they must not pile up
}

void IPlugVST3ProcessorBase::ProcessMidiOut(IEventList* events, int nFrames)
{
  // Messages meant for a later block wait for it; the flush moves their offsets along.
  while (!mMidiOutputQueue.Empty() && mMidiOutputQueue.Peek().mOffset < nFrames)
  {
    Event event{};
    if (events && EventFromMidiMsg(mMidiOutputQueue.Peek(), event))
      events->addEvent(event);
    mMidiOutputQueue.Remove();
  }
  mMidiOutputQueue.Flush(nFrames);
}

} // namespace iplug
